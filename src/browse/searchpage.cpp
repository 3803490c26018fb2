#include "searchpage.h"

#include "busyprogress.h"
#include "errorboundary.h"
#include "keyboardaccess.h"
#include "logfile.h"
#include "logprintdialog.h"
#include "qsogrid.h"
#include "qsogridmodel.h"
#include "qsolists.h"
#include "qsosearch.h"
#include "settingskeys.h"
#include "station.h"
#include "uitexts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

const char* const kFormatRules = "Formatvorschriften:\n"
                                 "Datum    dd.mm.yyyy\n"
                                 "Uhrzeit  hh:nn:ss\n"
                                 "Band     immer mit Einheit\n"
                                 "         (z.B. 70cm)\n"
                                 "TX Pwr   #W (z.B. 0,5W)\n"
                                 "DOK      in GROSSBUCHSTABEN\n"
                                 "Locator  in GROSSBUCHSTABEN";

template <typename W> W* numbered(const char* name, int row, QWidget* parent) {
    auto* widget = new W(parent);
    widget->setObjectName(QLatin1String(name) + QString::number(row + 1));
    return widget;
}

} // namespace

TSearchPage::TSearchPage(Station& station, QsoLists& lists, Navigator& navigator, QWidget* parent)
    : QWidget(parent), m_station(station), m_lists(lists), m_navigator(navigator) {
    createCriteria();
    formatRulesMemo = new QPlainTextEdit(this);
    formatRulesMemo->setObjectName(QStringLiteral("Memo1"));
    formatRulesMemo->setReadOnly(true);
    formatRulesMemo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    formatRulesMemo->setPlainText(QString::fromUtf8(kFormatRules));
    SearchBtn = new QPushButton(QStringLiteral("Suche starten!"), this);
    SearchBtn->setObjectName(QStringLiteral("SearchBtn"));
    connect(SearchBtn, &QPushButton::clicked, this, &TSearchPage::SearchBtnClick);
    m_printBtn = new QPushButton(uiText("Drucken"), this);
    m_printBtn->setObjectName(QStringLiteral("sPrintBtn"));
    connect(m_printBtn, &QPushButton::clicked, this, &TSearchPage::print);
    sModel = new QsoGridModel(this);
    sStringGrid = new QsoGrid(sModel, this);
    sStringGrid->setObjectName(QStringLiteral("sStringGrid"));
    sStringGrid->setUserResizableColumns(true);
    connect(sStringGrid, &QsoGrid::rowActivated, this, &TSearchPage::sStringGridDblClick);
    layoutPage();
    // Hits shown before the log changed (a hit saved on the edit page) are searched again
    // when the page comes back, so that they show the saved values.
    connect(&station, &Station::logChanged, this, [this] { m_stale = m_searched; });

    // Initial state: row 1 looks for a part of the call, the others are off.
    setCriterion(0, true, QsoSearch::kCallField, static_cast<int>(QsoSearch::Operator::Contains),
                 QString());
    sCheckBoxClick();
}

void TSearchPage::createCriteria() {
    for (int row = 0; row < kRows; ++row) {
        sCheckBox[row] = numbered<QCheckBox>("sCheckBox", row, this);
        sFeldComboBox[row] = numbered<QComboBox>("sFeldComboBox", row, this);
        // The list's column captions, then the entity worked out from the call.
        sFeldComboBox[row]->addItems(QsoGridModel::headerCaptions());
        sFeldComboBox[row]->addItem(QStringLiteral("DXCC"));
        sOperatorComboBox[row] = numbered<QComboBox>("sOperatorComboBox", row, this);
        sOperatorComboBox[row]->addItems(QsoSearch::operatorNames());
        sEdit[row] = numbered<QLineEdit>("sEdit", row, this);
        connect(sCheckBox[row], &QCheckBox::clicked, this, &TSearchPage::sCheckBoxClick);
        for (QComboBox* combo : {sFeldComboBox[row], sOperatorComboBox[row]})
            connect(combo, &QComboBox::currentIndexChanged, this,
                    &TSearchPage::sOperatorComboBox1Change);
        // sEdit1KeyPress: Enter starts the search.
        connect(sEdit[row], &QLineEdit::returnPressed, this, &TSearchPage::SearchBtnClick);
    }
}

void TSearchPage::layoutPage() {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    for (int row = 0; row < kRows; ++row) {
        grid->addWidget(sCheckBox[row], row, 0);
        grid->addWidget(sFeldComboBox[row], row, 1);
        grid->addWidget(sOperatorComboBox[row], row, 2);
        grid->addWidget(sEdit[row], row, 3);
    }
    grid->addWidget(formatRulesMemo, 0, 4, kRows, 1);
    grid->addWidget(SearchBtn, kRows, 3);
    grid->addWidget(m_printBtn, kRows, 4, Qt::AlignRight);
    grid->addWidget(sStringGrid, kRows + 1, 0, 1, 5);
    QList<QWidget*> order;
    for (int row = 0; row < kRows; ++row) {
        order << sCheckBox[row] << sFeldComboBox[row] << sOperatorComboBox[row] << sEdit[row];
        if (row == 0)
            order << formatRulesMemo; // beside the first criterion, reaching down to the last
    }
    order << SearchBtn << m_printBtn << sStringGrid;
    KeyboardAccess::setTabOrder(order);
    grid->setColumnStretch(3, 2);
    grid->setColumnStretch(4, 2);
    grid->setRowStretch(kRows + 1, 1);
}

void TSearchPage::applyUiTexts() {
    m_printBtn->setText(uiText("Drucken"));
    for (int row = 0; row < kRows; ++row) {
        sCheckBox[row]->setToolTip(uiText("Kriterium %1 verwenden").arg(row + 1));
        sEdit[row]->setToolTip(uiText("Suchtext von Kriterium %1").arg(row + 1));
    }
}

void TSearchPage::setCriterion(int row, bool active, int field, int op, const QString& text) {
    if (row < 0 || row >= kRows)
        return;
    sCheckBox[row]->setChecked(active);
    sOperatorComboBox[row]->setCurrentIndex(op);
    sFeldComboBox[row]->setCurrentIndex(field);
    sEdit[row]->setText(text);
    sCheckBoxClick();
}

void TSearchPage::showCriteria(const Navigator::SearchRows& rows) {
    for (int row = 0; row < kRows; ++row) {
        const std::optional<QsoSearch::Criterion> r = rows.value(row);
        if (r)
            setCriterion(row, true, r->field, int(r->op), r->text);
        else
            sCheckBox[row]->setChecked(false);
    }
    sCheckBoxClick();
    SearchBtnClick();
}

void TSearchPage::sCheckBoxClick() {
    bool any = false;
    for (int row = 0; row < kRows; ++row) {
        const bool on = sCheckBox[row]->isChecked();
        for (QWidget* w :
             {static_cast<QWidget*>(sFeldComboBox[row]),
              static_cast<QWidget*>(sOperatorComboBox[row]), static_cast<QWidget*>(sEdit[row])})
            w->setEnabled(on);
        any = any || on;
    }
    SearchBtn->setEnabled(any);
}

void TSearchPage::sOperatorComboBox1Change() {
    for (int row = 0; row < kRows; ++row) {
        const int op = sOperatorComboBox[row]->currentIndex();
        if (op >= 0 && QsoSearch::isOrderedOperator(QsoSearch::Operator(op)) &&
            !QsoSearch::isOrderedField(sFeldComboBox[row]->currentIndex()))
            sFeldComboBox[row]->setCurrentIndex(QsoSearch::kNumberField);
    }
}

void TSearchPage::SucheTSShow() {
    if (m_stale)
        searchAgain();
}

void TSearchPage::searchAgain() {
    const int position = resultPosition(sStringGrid->Row());
    SearchBtnClick();
    const int row = int(m_positions.indexOf(position)) + 1;
    if (position > 0 && row > 0)
        sStringGrid->selectGridRow(row);
}

void TSearchPage::SearchBtnClick() {
    m_stale = false;
    m_searched = true;
    sModel->clear();
    m_positions.clear();
    for (int col = 0; col < SettingsKeys::kListColumnCount; ++col)
        sStringGrid->setColumnWidth(col, m_lists.columnWidth(col));
    if (!m_station.hasLog() || !SearchBtn->isEnabled())
        return;
    QList<QsoSearch::Criterion> criteria;
    for (int row = 0; row < kRows; ++row) {
        if (sCheckBox[row]->isChecked())
            criteria.append(
                {sFeldComboBox[row]->currentIndex(),
                 QsoSearch::Operator(std::max(0, sOperatorComboBox[row]->currentIndex())),
                 sEdit[row]->text()});
    }
    QList<CompactQso> hits;
    ErrorBoundary::run(this, [&] {
        const BusyProgress busy(this);
        QsoSearch::TQsoSearch search(criteria);
        search.findIn(m_station.currentQsos(), hits, m_positions);
    });
    sModel->setRows(hits); // after an error: the hits found until then
}

int TSearchPage::resultPosition(int gridRow) const {
    return gridRow >= 1 && gridRow <= m_positions.size() ? m_positions.at(gridRow - 1) : 0;
}

void TSearchPage::sStringGridDblClick() {
    // Opened by where the hit lies in the file, which is its "#" in a repaired log.
    const int position = resultPosition(sStringGrid->Row());
    if (position < 1)
        return; // the empty row of a search without hits
    QStringList hit;
    for (int col = 0; col < sModel->columnCount(); ++col)
        hit.append(sModel->cell(sStringGrid->Row() - 1, col));
    m_navigator.editQso({position, Navigator::ReturnTo::Search, hit, {}});
}

void TSearchPage::print() {
    ErrorBoundary::run(this, [&] {
        LogPrintDialog::print(this, sModel->rows(), sStringGrid->shownColumns(),
                              SettingsKeys::read(m_station.settings(), SettingsKeys::EigenesCall),
                              m_station.logFileName());
    });
}
