#include "doppeltform.h"
#include "widgetfactory.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// The row names of the window; "QSL Out" and "QSL In" as the list headers spell them.
const char* const kFieldNames[] = {"#",      "Date",     "UTC",     "Band",  "Mode", "Call",
                                   "RST TX", "RST RX",   "DOK",     "Name",  "QTH",  "Locator",
                                   "TX Pwr", "Comments", "QSL Out", "QSL In"};

QPushButton* resultButton(const char* name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

} // namespace

TDoppeltForm::TDoppeltForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("DoppeltForm"));
    setModal(true);
    setWindowTitle(QStringLiteral("Dalu"));

    Label1 = new QLabel(QStringLiteral("Dieses Call wurde bereits geloggt!"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    WidgetFactory::setColour(Label1, QPalette::WindowText, QColor(255, 0, 0));

    const int rows = static_cast<int>(std::size(kFieldNames));
    ValueListEditor = new QTableWidget(rows, 2, this);
    ValueListEditor->setObjectName(QStringLiteral("ValueListEditor"));
    ValueListEditor->setHorizontalHeaderLabels({QStringLiteral("Feld"), QStringLiteral("Wert")});
    ValueListEditor->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ValueListEditor->setFocusPolicy(Qt::NoFocus);
    ValueListEditor->verticalHeader()->hide();
    ValueListEditor->verticalHeader()->setDefaultSectionSize(18);
    ValueListEditor->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < rows; ++row) {
        ValueListEditor->setItem(row, 0, new QTableWidgetItem(QLatin1String(kFieldNames[row])));
        ValueListEditor->setItem(row, 1, new QTableWidgetItem);
    }

    Button1 = resultButton("Button1", QStringLiteral("1 = egal, mach weiter"), this);
    Button2 = resultButton("Button2", QStringLiteral("2 = Eingabe verwerfen"), this);
    Button3 = resultButton("Button3", QStringLiteral("3 = Eingabe korriegieren"), this);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, [this] { done(GoOn); });
    connect(Button2, &QPushButton::clicked, this, [this] { done(Discard); });
    connect(Button3, &QPushButton::clicked, this, [this] { done(Correct); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ValueListEditor, 1);
    for (QPushButton* button : {Button1, Button2, Button3}) {
        layout->addWidget(button);
        button->installEventFilter(this);
    }
    installEventFilter(this);
    resize(320, 440);
}

void TDoppeltForm::showQso(const QStringList& fields) {
    for (int row = 0; row < ValueListEditor->rowCount(); ++row)
        ValueListEditor->item(row, 1)->setText(fields.value(row));
}

int TDoppeltForm::ask(const QStringList& fields) {
    showQso(fields);
    Button1->setFocus(Qt::OtherFocusReason);
    return exec();
}

// Without a cancel button or close box the window closes through its three results only.
void TDoppeltForm::reject() {}

bool TDoppeltForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && FormKeyPress(static_cast<QKeyEvent*>(event)->key()))
        return true;
    return QDialog::eventFilter(watched, event);
}

bool TDoppeltForm::FormKeyPress(int key) {
    if (key < Qt::Key_1 || key > Qt::Key_3)
        return false;
    done(key - Qt::Key_0);
    return true;
}
