// QSL in: the QSO of a received card, found through the search page.
#include "qslpage.h"

#include "station.h"

#include "asciicase.h"
#include "cp1252.h"
#include "datetickpicker.h"
#include "editpage.h"
#include "errorboundary.h"
#include "germanformat.h"
#include "languagetargets.h"
#include "logfile.h"
#include "mainform.h"
#include "maskrules.h"
#include "meminifile.h"
#include "qslin.h"
#include "qsllistmodel.h"
#include "qslnewqsodialog.h"
#include "qsogrid.h"
#include "qsogridmodel.h"
#include "qsosearch.h"
#include "searchpage.h"
#include "settingskeys.h"
#include "uitexts.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>

namespace {

enum CriterionRow { CallRow, DateRow, UtcRow };

constexpr int kDateField = static_cast<int>(QsoField::Date);

} // namespace

void TQslPage::qslInBtnClick() {
    bool complete = false;
    if (!ErrorBoundary::run(this, [&] { setCardCriteria(complete); }))
        return; // a date or time that cannot be read: the operator corrects it
    TSearchPage* search = m_mainForm.searchPage;
    qslSearchPanel->hide();
    if (!search->findChild<QPushButton*>(QStringLiteral("SearchBtn"))->isEnabled()) {
        QMessageBox::critical(this, QStringLiteral("Dalu"), m_mainForm.msg(Msg::QslInNoCriterion));
        return;
    }
    search->SearchBtnClick();
    if (search->resultPosition(1) < 1) {
        if (!complete) {
            QMessageBox::information(this, QStringLiteral("Dalu"),
                                     m_mainForm.msg(Msg::QslInNotFound));
            return;
        }
        if (QMessageBox::information(this, QStringLiteral("Dalu"),
                                     m_mainForm.msg(Msg::QslInAskNewQso),
                                     QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes)
            askAndCreateQsoFromCard();
    } else if (search->resultPosition(2) < 1) {
        search->findChild<QsoGrid*>(QStringLiteral("sStringGrid"))->selectGridRow(1);
        search->sStringGridDblClick();
        m_mainForm.editPage->setReturnMarker(Navigator::ReturnTo::Evaluations);
        applyCardArrival();
    } else {
        showHits();
    }
    clearInputs();
}

// The search page's criteria from the card: call, date and one or two rows for the time;
// the rest off. complete: call, date and time are all given, enough for a new QSO.
void TQslPage::setCardCriteria(bool& complete) {
    TSearchPage* search = m_mainForm.searchPage;
    const QString call = upperAsciiLetters(qslCallEdit->text().trimmed());
    search->setCriterion(CallRow, !call.isEmpty(), QsoSearch::kCallField,
                         int(QsoSearch::Operator::Contains), call);
    const QslIn::Input date = QslIn::completeDate(qslDateEdit->text(), QDate::currentDate().year());
    if (date.state == QslIn::Input::Invalid)
        throw DaluError(uiText("\"%1\" ist kein g\u00fcltiges Datum.").arg(date.text));
    if (date.state == QslIn::Input::Valid)
        qslDateEdit->setText(date.text);
    search->setCriterion(DateRow, date.state == QslIn::Input::Valid, kDateField,
                         int(QsoSearch::Operator::Is), date.text);
    const QslIn::TimeInput utc = QslIn::completeTime(qslUtcEdit->text());
    if (utc.state == QslIn::Input::Invalid)
        throw DaluError(uiText("\"%1\" ist keine g\u00fcltige Uhrzeit.").arg(utc.text));
    if (utc.state == QslIn::Input::Valid)
        qslUtcEdit->setText(utc.text);
    // A card gives hh:mm, the log hh:nn:ss: the card's minute takes two criteria rows.
    int row = UtcRow;
    for (const QsoSearch::Criterion& c : QslIn::timeCriteria(utc))
        search->setCriterion(row++, true, c.field, int(c.op), c.text);
    for (; row < TSearchPage::kRows; ++row)
        search->findChild<QCheckBox*>(QStringLiteral("sCheckBox%1").arg(row + 1))
            ->setChecked(false);
    search->sCheckBoxClick();
    complete =
        !call.isEmpty() && date.state == QslIn::Input::Valid && utc.state == QslIn::Input::Valid;
}

// The card's QSO was not logged. A QSO without band and mode would count nowhere and still
// want a card: the operator names them first, and cancelling writes nothing.
void TQslPage::askAndCreateQsoFromCard() {
    const TMemIniFile& ini = m_mainForm.settings();
    TQslNewQsoDialog dialog(
        SettingsKeys::read(ini, SettingsKeys::preset(SettingsKeys::kPresets[1])),
        SettingsKeys::read(ini, SettingsKeys::preset(SettingsKeys::kPresets[2])), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    TQsoRecord record;
    record[QsoField::Band] = toCp1252(dialog.band());
    record[QsoField::Mode] = toCp1252(dialog.mode());
    record[QsoField::RstTx] =
        toCp1252(MaskRules::trimmedText(MaskRules::storableText(dialog.rstTxEdit->text(), true)));
    record[QsoField::RstRx] =
        toCp1252(MaskRules::trimmedText(MaskRules::storableText(dialog.rstRxEdit->text(), true)));
    ErrorBoundary::run(this, [&] { createQsoFromCard(record); });
}

// Appends the card's QSO with the confirmed fields and opens it for the operator to complete.
void TQslPage::createQsoFromCard(TQsoRecord record) {
    TLogFile* log = m_mainForm.openLog();
    if (!log)
        return;
    record[QsoField::Call] = toCp1252(upperAsciiLetters(qslCallEdit->text().trimmed()));
    record[QsoField::Date] = toCp1252(qslDateEdit->text());
    record[QsoField::Utc] = toCp1252(QslIn::completeTime(qslUtcEdit->text()).logText());
    record[QsoField::QslIn] = GermanFormat::formatDate(qslInDatePicker->date());
    // Numbered by the log under its write lock: another program may have written it since.
    const int number = m_mainForm.station().appendQso(record);
    m_mainForm.editPage->setReturnMarker(Navigator::ReturnTo::Evaluations);
    m_mainForm.editPage->openQso(number);
}

void TQslPage::showHits() {
    TSearchPage* search = m_mainForm.searchPage;
    QList<CompactQso> hits;
    QList<int> positions;
    for (int row = 1; search->resultPosition(row) > 0; ++row) {
        hits.append(
            search->findChild<QsoGrid*>(QStringLiteral("sStringGrid"))->gridModel()->qso(row - 1));
        positions.append(search->resultPosition(row));
    }
    qslSearchModel->setRows(std::move(hits), std::move(positions));
    qslSearchStringGrid->resizeColumnsToContents();
    qslSearchPanel->show();
    qslSearchStringGrid->setFocus();
    qslSearchStringGrid->setCurrentIndex(qslSearchModel->index(0, 0));
}

void TQslPage::qslSearchStringGridDblClick() {
    const QModelIndex current = qslSearchStringGrid->currentIndex();
    const int position = qslSearchModel->position(current.isValid() ? current.row() : -1);
    if (position < 1)
        return;
    m_mainForm.editPage->setReturnMarker(Navigator::ReturnTo::Evaluations);
    m_mainForm.editPage->openQso(position);
    applyCardArrival();
}

// The day the card arrived, unless the QSO already records a received card.
void TQslPage::applyCardArrival() {
    if (!m_mainForm.editPage->qslInDate().isValid())
        m_mainForm.editPage->setQslInDate(qslInDatePicker->date());
}

void TQslPage::clearInputs() {
    for (QLineEdit* edit : {qslCallEdit, qslDateEdit, qslUtcEdit})
        edit->clear();
}
