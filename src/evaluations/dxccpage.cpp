#include "dxccpage.h"

#include "cp1252.h"
#include "dxcc.h"
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
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

namespace {

using DxccEvaluation::Entry;
using DxccEvaluation::State;

const char* const kFilterCaptions[] = {
    "B\u00e4nder / Modes:", "Datum von / bis:", "QSO-Nr. von / bis:"};

QColor colourOf(State state) {
    switch (state) {
    case State::Worked:
        return Evaluation::kWorkedColour;
    case State::Confirmed:
        return Evaluation::kConfirmedColour;
    default:
        return Qt::black;
    }
}

QLabel* legend(const char* name, const QString& text, State state, QWidget* parent) {
    QLabel* label = WidgetFactory::label(name, text, parent);
    WidgetFactory::setColour(label, QPalette::WindowText, colourOf(state));
    QFont font = label->font();
    font.setBold(state != State::NotWorked);
    label->setFont(font);
    return label;
}

} // namespace

TDxccPage::TDxccPage(Station& station, Navigator& navigator, QWidget* tabSheet)
    : QWidget(tabSheet), m_station(station), m_navigator(navigator), m_filter("dxcc", this) {
    setObjectName(QStringLiteral("dxccPage"));
    m_showButton = new QPushButton(QStringLiteral("anzeigen!"), this);
    m_showButton->setObjectName(QStringLiteral("dxccStartBtn"));
    connect(m_showButton, &QPushButton::clicked, this, &TDxccPage::dxccStartBtnClick);
    m_resultLabel = WidgetFactory::label(
        "dxccResultLabel",
        QStringLiteral("Auf \"anzeigen!\" clicken, um ein Ergebnis zu erhalten!"), this);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("dxccPageControl"));
    m_tabs->setDocumentMode(true);
    m_allBox = createBox("dxccAllRichEdit",
                         WidgetFactory::addPage(m_tabs, "dxccAllTS", QStringLiteral("alle DXCCs")));
    m_workedBox = createBox(
        "dxccWorkedRichEdit",
        WidgetFactory::addPage(m_tabs, "dxccWorkedTS", QStringLiteral("nur gearbeitete DXCCs")));
    layoutPage(tabSheet);
    retranslate();
}

QTextEdit* TDxccPage::createBox(const char* name, QWidget* page) {
    auto* box = new QTextEdit(page);
    box->setObjectName(QLatin1String(name));
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setLineWrapMode(QTextEdit::NoWrap);
    box->viewport()->installEventFilter(this);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->addWidget(box);
    return box;
}

void TDxccPage::layoutPage(QWidget* tabSheet) {
    const Evaluation::FilterControls& f = m_filter;
    auto* filters = new QGridLayout;
    const std::pair<QWidget*, QWidget*> rows[] = {{f.bandEdit, f.modeEdit},
                                                  {f.startDatePicker, f.stopDatePicker},
                                                  {f.startNumberEdit, f.stopNumberEdit}};
    for (int row = 0; row < 3; ++row) {
        m_filterLabels.append(new QLabel(this));
        filters->addWidget(m_filterLabels.last(), row, 0);
        filters->addWidget(rows[row].first, row, 1);
        filters->addWidget(rows[row].second, row, 2);
    }
    auto* legends = new QVBoxLayout;
    legends->addWidget(m_showButton);
    legends->addWidget(
        legend("Label98", QStringLiteral("noch nicht gearbeitet"), State::NotWorked, this));
    legends->addWidget(legend("Label96", QStringLiteral("gearbeitet"), State::Worked, this));
    legends->addWidget(
        legend("Label97", QStringLiteral("gearbeitet und best\u00e4tigt"), State::Confirmed, this));
    legends->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(filters);
    top->addSpacing(16);
    top->addLayout(legends);
    top->addStretch();
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(8, 8, 8, 4);
    page->addLayout(top);
    page->addWidget(m_resultLabel);
    page->addWidget(m_tabs, 1);
    auto* sheet = new QVBoxLayout(tabSheet);
    sheet->setContentsMargins(0, 0, 0, 0);
    sheet->addWidget(this);
}

// The filter captions have no line in the language files.
void TDxccPage::retranslate() {
    for (int i = 0; i < m_filterLabels.size(); ++i)
        m_filterLabels[i]->setText(uiText(kFilterCaptions[i]));
}

void TDxccPage::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void TDxccPage::showEntries(QTextEdit* box, const QList<Entry>& entries) {
    box->clear();
    QTextCursor cursor(box->document());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        QTextCharFormat format;
        format.setForeground(colourOf(entries[i].state));
        format.setFontWeight(entries[i].state == State::NotWorked ? QFont::Normal : QFont::Bold);
        if (i > 0)
            cursor.insertBlock();
        cursor.insertText(entries[i].name, format);
    }
    box->moveCursor(QTextCursor::Start);
}

void TDxccPage::dxccStartBtnClick() {
    if (!m_station.hasLog())
        return;
    DxccEvaluation::Worked worked;
    const QString iniPath = defaultDxccIniPath();
    if (!Evaluation::runBusy(this, [&] {
            worked = DxccEvaluation::evaluate(
                m_station.currentQsos(), Evaluation::withConfirmations(m_filter.filter(), m_station), iniPath);
        }))
        return; // both boxes keep their earlier content
    m_workedEntries = worked.entries;
    showEntries(m_workedBox, m_workedEntries);
    QList<Entry> all;
    if (Evaluation::runBusy(
            this, [&] { all = DxccEvaluation::withAllEntities(worked.entries, iniPath); })) {
        m_allEntries = all;
        showEntries(m_allBox, m_allEntries);
        const int w = DxccEvaluation::count(all, State::Worked);
        const int c = DxccEvaluation::count(all, State::Confirmed);
        m_resultLabel->setText(m_station.msg(Msg::ResultHead) + QString::number(w + c) +
                               m_station.msg(Msg::ResultDxccs) + QString::number(c) +
                               m_station.msg(Msg::ResultTail));
    }
    // One message for the QSOs left out and all calls too short to evaluate, however many.
    QStringList messages = worked.skipped.report();
    for (const DxccEvaluation::ShortCall& s : worked.shortCalls)
        messages.append(m_station.msg(Msg::DxccShortCallHead) + fromCp1252(s.call) +
                        m_station.msg(Msg::DxccShortCallMid) + fromCp1252(s.number) +
                        m_station.msg(Msg::DxccShortCallTail));
    Evaluation::showMessages(this, messages);
}

bool TDxccPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        for (QTextEdit* box : {m_allBox, m_workedBox}) {
            if (watched == box->viewport() && (mouse->modifiers() & Qt::ControlModifier))
                dxccAllRichEditMouseUp(box, mouse->position().toPoint());
        }
    }
    return QWidget::eventFilter(watched, event);
}

// Ctrl+click: the whole clicked line, without its line break, is the entity searched for;
// a red line searches its confirmed QSOs only.
void TDxccPage::dxccAllRichEditMouseUp(QTextEdit* box, const QPoint& position) {
    QTextCursor cursor = box->cursorForPosition(position);
    const int line = cursor.blockNumber();
    const QList<Entry>& entries = box == m_allBox ? m_allEntries : m_workedEntries;
    if (line < 0 || line >= entries.size())
        return;
    cursor.movePosition(QTextCursor::StartOfBlock);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    box->setTextCursor(cursor);
    Navigator::SearchRows rows{QsoSearch::Criterion{QsoSearch::kDxccField, QsoSearch::Operator::Is,
                                                    cursor.selectedText()}};
    if (entries[line].state == State::Confirmed)
        rows.append(Evaluation::kConfirmedRow);
    m_navigator.showInSearch(rows);
    cursor.clearSelection();
    box->setTextCursor(cursor);
}
