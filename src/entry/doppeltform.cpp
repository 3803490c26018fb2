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

    m_message = new QLabel(QStringLiteral("Dieses Call wurde bereits geloggt!"), this);
    m_message->setObjectName(QStringLiteral("Label1"));
    QFont bold = m_message->font();
    bold.setBold(true);
    m_message->setFont(bold);
    WidgetFactory::setColour(m_message, QPalette::WindowText, QColor(255, 0, 0));

    const int rows = static_cast<int>(std::size(kFieldNames));
    m_qsoTable = new QTableWidget(rows, 2, this);
    m_qsoTable->setObjectName(QStringLiteral("ValueListEditor"));
    m_qsoTable->setHorizontalHeaderLabels({QStringLiteral("Feld"), QStringLiteral("Wert")});
    m_qsoTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_qsoTable->setFocusPolicy(Qt::NoFocus);
    m_qsoTable->verticalHeader()->hide();
    m_qsoTable->verticalHeader()->setDefaultSectionSize(18);
    m_qsoTable->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < rows; ++row) {
        m_qsoTable->setItem(row, 0, new QTableWidgetItem(QLatin1String(kFieldNames[row])));
        m_qsoTable->setItem(row, 1, new QTableWidgetItem);
    }

    m_goOnButton = resultButton("Button1", QStringLiteral("1 = egal, mach weiter"), this);
    m_discardButton = resultButton("Button2", QStringLiteral("2 = Eingabe verwerfen"), this);
    m_correctButton = resultButton("Button3", QStringLiteral("3 = Eingabe korrigieren"), this);
    m_goOnButton->setDefault(true);
    connect(m_goOnButton, &QPushButton::clicked, this, [this] { done(GoOn); });
    connect(m_discardButton, &QPushButton::clicked, this, [this] { done(Discard); });
    connect(m_correctButton, &QPushButton::clicked, this, [this] { done(Correct); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_message);
    layout->addWidget(m_qsoTable, 1);
    for (QPushButton* button : {m_goOnButton, m_discardButton, m_correctButton}) {
        layout->addWidget(button);
        button->installEventFilter(this);
    }
    installEventFilter(this);
    resize(320, 440);
}

void TDoppeltForm::showQso(const QStringList& fields) {
    for (int row = 0; row < m_qsoTable->rowCount(); ++row)
        m_qsoTable->item(row, 1)->setText(fields.value(row));
}

int TDoppeltForm::ask(const QStringList& fields) {
    showQso(fields);
    m_goOnButton->setFocus(Qt::OtherFocusReason);
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
