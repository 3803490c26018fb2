#include "dokpage.h"

#include "cp1252.h"
#include "dok.h"
#include "dokevaluation.h"
#include "keyboardaccess.h"
#include "languagetargets.h"
#include "logfile.h"
#include "mainform.h"
#include "uitexts.h"
#include "widgetfactory.h"

#include <QBoxLayout>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringListModel>

namespace {

QStringList shown(const QList<QByteArray>& doks) {
    QStringList texts;
    for (const QByteArray& dok : doks)
        texts.append(fromCp1252(dok));
    return texts;
}

QLabel* colouredLabel(const char* name, const QString& text, const QColor& colour,
                      QWidget* parent) {
    QLabel* label = WidgetFactory::label(name, text, parent);
    WidgetFactory::setColour(label, QPalette::WindowText, colour);
    return label;
}

} // namespace

TDokPage::TDokPage(TMainForm& mainForm, QWidget* tabSheet)
    : QWidget(tabSheet), filterControls("dok", this), m_mainForm(mainForm) {
    setObjectName(QStringLiteral("dokPage"));
    dokOkBtn = new QPushButton(QStringLiteral("anzeigen!"), this);
    dokOkBtn->setObjectName(QStringLiteral("dokOkBtn"));
    connect(dokOkBtn, &QPushButton::clicked, this, &TDokPage::dokOkBtnClick);
    dokResultLabel = WidgetFactory::label(
        "dokResultLabel", QStringLiteral("Auf \"anzeigen!\" clicken, um ein Ergebnis zu erhalten!"),
        this);
    workedModel = new QStringListModel(this);
    confirmedModel = new QStringListModel(this);
    dokGearbeitetListBox =
        createList("dokGearbeitetListBox", workedModel, Evaluation::kWorkedColour);
    dokBestaetigtListBox =
        createList("dokBestaetigtListBox", confirmedModel, Evaluation::kConfirmedColour);
    dokInfoMemo = new QPlainTextEdit(this);
    dokInfoMemo->setObjectName(QStringLiteral("dokInfoMemo"));
    dokInfoMemo->setReadOnly(true);
    layoutPage(tabSheet);
}

QListView* TDokPage::createList(const char* name, QStringListModel* model, const QColor& colour) {
    auto* list = new QListView(this);
    list->setObjectName(QLatin1String(name));
    list->setModel(model);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setUniformItemSizes(true);
    WidgetFactory::setColour(list, QPalette::Text, colour);
    list->viewport()->installEventFilter(this);
    list->installEventFilter(this);
    connect(list->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this, list] { dokGearbeitetListBoxClick(list); });
    return list;
}

void TDokPage::layoutPage(QWidget* tabSheet) {
    const Evaluation::FilterControls& f = filterControls;
    auto* filters = new QGridLayout;
    filters->addWidget(
        WidgetFactory::label("Label82", QStringLiteral("B\u00e4nder / Modes:"), this), 0, 0);
    filters->addWidget(f.bandEdit, 0, 1);
    filters->addWidget(f.modeEdit, 0, 2);
    filters->addWidget(WidgetFactory::label("Label83", QStringLiteral("Datum von / bis:"), this), 1,
                       0);
    filters->addWidget(f.startDatePicker, 1, 1);
    filters->addWidget(f.stopDatePicker, 1, 2);
    filters->addWidget(WidgetFactory::label("Label84", QStringLiteral("QSO-Nr. von / bis:"), this),
                       2, 0);
    filters->addWidget(f.startNumberEdit, 2, 1);
    filters->addWidget(f.stopNumberEdit, 2, 2);

    auto* legend = new QVBoxLayout;
    legend->addWidget(dokOkBtn);
    legend->addWidget(
        colouredLabel("Label80", QStringLiteral("gearbeitet"), Evaluation::kWorkedColour, this));
    legend->addWidget(colouredLabel("Label81", QStringLiteral("gearbeitet und best\u00e4tigt"),
                                    Evaluation::kConfirmedColour, this));
    legend->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(filters);
    top->addSpacing(16);
    top->addLayout(legend);
    top->addStretch();

    auto* lists = new QGridLayout;
    lists->addWidget(WidgetFactory::label("Label93", QStringLiteral("Gearbeitete DOKs:"), this), 0,
                     0);
    lists->addWidget(WidgetFactory::label("Label94", QStringLiteral("Best\u00e4tigte DOKs:"), this),
                     0, 1);
    lists->addWidget(WidgetFactory::label("Label66", QStringLiteral("DOK-Info:"), this), 0, 2);
    lists->addWidget(dokGearbeitetListBox, 1, 0);
    lists->addWidget(dokBestaetigtListBox, 1, 1);
    lists->addWidget(dokInfoMemo, 1, 2);
    lists->setColumnStretch(0, 1);
    lists->setColumnStretch(1, 1);
    lists->setColumnStretch(2, 2);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(8, 8, 8, 4);
    page->addLayout(top);
    page->addWidget(dokResultLabel);
    page->addLayout(lists, 1);
    KeyboardAccess::setTabOrder({f.bandEdit, f.modeEdit, dokOkBtn, f.startDatePicker,
                                 f.stopDatePicker, f.startNumberEdit, f.stopNumberEdit,
                                 dokGearbeitetListBox, dokBestaetigtListBox, dokInfoMemo});
    auto* sheet = new QVBoxLayout(tabSheet);
    sheet->setContentsMargins(0, 0, 0, 0);
    sheet->addWidget(this);
}

void TDokPage::dokOkBtnClick() {
    TLogFile* log = m_mainForm.openLog();
    if (!log)
        return;
    workedModel->setStringList({});
    confirmedModel->setStringList({});
    DokEvaluation::Lists lists;
    const bool done = Evaluation::runBusy(
        this, [&] { DokEvaluation::evaluate(*log, filterControls.filter(), lists); });
    // After an error the lists show the DOKs found until then.
    workedModel->setStringList(shown(lists.worked));
    confirmedModel->setStringList(shown(lists.confirmed));
    if (!done)
        return;
    dokResultLabel->setText(m_mainForm.msg(Msg::ResultHead) +
                            QString::number(lists.worked.size() + lists.confirmed.size()) +
                            m_mainForm.msg(Msg::ResultDoks) +
                            QString::number(lists.confirmed.size()) +
                            m_mainForm.msg(Msg::ResultTail));
    Evaluation::showMessages(this, lists.skipped.report());
}

void TDokPage::dokGearbeitetListBoxClick(QListView* list) {
    dokInfoMemo->clear();
    const QModelIndex current = list->currentIndex();
    if (!current.isValid()) {
        WidgetFactory::setColour(dokInfoMemo, QPalette::Text, Qt::black);
        return;
    }
    const QString dok = current.data().toString();
    const DokEvaluation::Info info = DokEvaluation::info(dok, defaultDokIniPath());
    QStringList lines{dok};
    if (info.isSpecial())
        lines << uiText("Sonder-DOK");
    else
        lines << uiText("Ortsverband ") + info.club << uiText("Distrikt ") + info.district
              << info.website;
    dokInfoMemo->setPlainText(lines.join(QLatin1Char('\n')));
    WidgetFactory::setColour(dokInfoMemo, QPalette::Text, list->palette().color(QPalette::Text));
}

void TDokPage::dokGearbeitetListBoxExit(QListView* list) {
    list->selectionModel()->blockSignals(true);
    list->clearSelection();
    list->setCurrentIndex(QModelIndex());
    list->selectionModel()->blockSignals(false);
    dokInfoMemo->clear();
}

bool TDokPage::eventFilter(QObject* watched, QEvent* event) {
    for (QListView* list : {dokGearbeitetListBox, dokBestaetigtListBox}) {
        // Leaving the list, not the window losing its activation, is an exit.
        if (watched == list && event->type() == QEvent::FocusOut &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            dokGearbeitetListBoxExit(list);
        if (watched != list->viewport() || event->type() != QEvent::MouseButtonRelease)
            continue;
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->modifiers() & Qt::ControlModifier)
            dokGearbeitetListBoxMouseUp(list, list->indexAt(mouse->position().toPoint()));
    }
    return QWidget::eventFilter(watched, event);
}

// dokGearbeitetListBoxMouseUp and dokBestaetigtListBoxMouseUp: Ctrl+click on a DOK.
void TDokPage::dokGearbeitetListBoxMouseUp(QListView* list, const QModelIndex& index) {
    if (!index.isValid())
        return;
    using Evaluation::SearchRow;
    QList<std::optional<SearchRow>> rows{
        SearchRow{Evaluation::kDokField, QsoSearch::Operator::Is, index.data().toString()}};
    if (list == dokBestaetigtListBox)
        rows.append(Evaluation::kConfirmedRow);
    Evaluation::drillDown(m_mainForm, rows);
}
