#include "dokpage.h"

#include "cp1252.h"
#include "dok.h"
#include "dokevaluation.h"
#include "keyboardaccess.h"
#include "languagetargets.h"
#include "logfile.h"
#include "navigator.h"
#include "station.h"
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

TDokPage::TDokPage(Station& station, Navigator& navigator, QWidget* tabSheet)
    : QWidget(tabSheet), m_station(station), m_navigator(navigator), m_filter("dok", this) {
    setObjectName(QStringLiteral("dokPage"));
    m_showButton = new QPushButton(QStringLiteral("anzeigen!"), this);
    m_showButton->setObjectName(QStringLiteral("dokOkBtn"));
    connect(m_showButton, &QPushButton::clicked, this, &TDokPage::dokOkBtnClick);
    m_resultLabel = WidgetFactory::label(
        "dokResultLabel", QStringLiteral("Auf \"anzeigen!\" clicken, um ein Ergebnis zu erhalten!"),
        this);
    m_workedModel = new QStringListModel(this);
    m_confirmedModel = new QStringListModel(this);
    m_workedList = createList("dokGearbeitetListBox", m_workedModel, Evaluation::kWorkedColour);
    m_confirmedList =
        createList("dokBestaetigtListBox", m_confirmedModel, Evaluation::kConfirmedColour);
    m_infoMemo = new QPlainTextEdit(this);
    m_infoMemo->setObjectName(QStringLiteral("dokInfoMemo"));
    m_infoMemo->setReadOnly(true);
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
    const Evaluation::FilterControls& f = m_filter;
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
    legend->addWidget(m_showButton);
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
    lists->addWidget(m_workedList, 1, 0);
    lists->addWidget(m_confirmedList, 1, 1);
    lists->addWidget(m_infoMemo, 1, 2);
    lists->setColumnStretch(0, 1);
    lists->setColumnStretch(1, 1);
    lists->setColumnStretch(2, 2);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(8, 8, 8, 4);
    page->addLayout(top);
    page->addWidget(m_resultLabel);
    page->addLayout(lists, 1);
    KeyboardAccess::setTabOrder({f.bandEdit, f.modeEdit, m_showButton, f.startDatePicker,
                                 f.stopDatePicker, f.startNumberEdit, f.stopNumberEdit,
                                 m_workedList, m_confirmedList, m_infoMemo});
    auto* sheet = new QVBoxLayout(tabSheet);
    sheet->setContentsMargins(0, 0, 0, 0);
    sheet->addWidget(this);
}

void TDokPage::dokOkBtnClick() {
    if (!m_station.hasLog())
        return;
    m_workedModel->setStringList({});
    m_confirmedModel->setStringList({});
    DokEvaluation::Lists lists;
    const bool done = Evaluation::runBusy(this, [&] {
        DokEvaluation::evaluate(m_station.currentQsos(), Evaluation::withConfirmations(m_filter.filter(), m_station),
                                lists);
    });
    // After an error the lists show the DOKs found until then.
    m_workedModel->setStringList(shown(lists.worked));
    m_confirmedModel->setStringList(shown(lists.confirmed));
    if (!done)
        return;
    m_resultLabel->setText(m_station.msg(Msg::ResultHead) +
                           QString::number(lists.worked.size() + lists.confirmed.size()) +
                           m_station.msg(Msg::ResultDoks) +
                           QString::number(lists.confirmed.size()) +
                           m_station.msg(Msg::ResultTail));
    Evaluation::showMessages(this, lists.skipped.report());
}

void TDokPage::dokGearbeitetListBoxClick(QListView* list) {
    m_infoMemo->clear();
    const QModelIndex current = list->currentIndex();
    if (!current.isValid()) {
        WidgetFactory::setColour(m_infoMemo, QPalette::Text, Qt::black);
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
    m_infoMemo->setPlainText(lines.join(QLatin1Char('\n')));
    WidgetFactory::setColour(m_infoMemo, QPalette::Text, list->palette().color(QPalette::Text));
}

void TDokPage::dokGearbeitetListBoxExit(QListView* list) {
    list->selectionModel()->blockSignals(true);
    list->clearSelection();
    list->setCurrentIndex(QModelIndex());
    list->selectionModel()->blockSignals(false);
    m_infoMemo->clear();
}

bool TDokPage::eventFilter(QObject* watched, QEvent* event) {
    for (QListView* list : {m_workedList, m_confirmedList}) {
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
    Navigator::SearchRows rows{QsoSearch::Criterion{Evaluation::kDokField, QsoSearch::Operator::Is,
                                                    index.data().toString()}};
    if (list == m_confirmedList)
        rows.append(Evaluation::kConfirmedRow);
    m_navigator.showInSearch(rows);
}
