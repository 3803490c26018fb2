// QSL in: the QSO of a received card, found by the card's call, date and time.
#include "qslpage.h"

#include "asciicase.h"
#include "busyprogress.h"
#include "cp1252.h"
#include "errorboundary.h"
#include "germanformat.h"
#include "languagetargets.h"
#include "logfile.h"
#include "maskrules.h"
#include "meminifile.h"
#include "navigator.h"
#include "qslin.h"
#include "qsllistmodel.h"
#include "qslnewqsodialog.h"
#include "settingskeys.h"
#include "station.h"
#include "uitexts.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QMessageBox>
#include <QTableView>

void TQslPage::cardIn(const QString& call, const QString& date, const QString& utc) {
    m_callEdit->setText(call);
    m_dateEdit->setText(date);
    m_utcEdit->setText(utc);
    qslInBtnClick();
}

void TQslPage::setCardArrival(QDate day) {
    m_arrivalPicker->setDate(day);
}

void TQslPage::qslInBtnClick() {
    bool complete = false;
    QList<QsoSearch::Criterion> criteria;
    if (!ErrorBoundary::run(this, [&] { criteria = cardCriteria(complete); }))
        return; // a date or time that cannot be read: the operator corrects it
    m_hitPanel->hide();
    if (criteria.isEmpty()) {
        QMessageBox::critical(this, QStringLiteral("Dalu"), m_station.msg(Msg::QslInNoCriterion));
        return;
    }
    QList<CompactQso> hits;
    QList<int> positions;
    search(criteria, hits, positions);
    if (hits.isEmpty()) {
        if (!complete) {
            QMessageBox::information(this, QStringLiteral("Dalu"),
                                     m_station.msg(Msg::QslInNotFound));
            return;
        }
        if (QMessageBox::information(this, QStringLiteral("Dalu"),
                                     m_station.msg(Msg::QslInAskNewQso),
                                     QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes)
            askAndCreateQsoFromCard();
    } else if (hits.size() == 1) {
        // Opened only while it is still the QSO found.
        QStringList cells;
        for (int field = 0; field < kQsoFieldCount; ++field)
            cells.append(fromCp1252(hits.first().field(field)));
        openQso(positions.first(), cells);
    } else {
        showHits(std::move(hits), std::move(positions));
    }
    clearInputs();
}

// The criteria of the card: the call, the date and one or two for the time, each only when
// given. complete: call, date and time are all given, enough for a new QSO.
QList<QsoSearch::Criterion> TQslPage::cardCriteria(bool& complete) {
    using QsoSearch::Operator;
    QList<QsoSearch::Criterion> criteria;
    const QString call = upperAsciiLetters(m_callEdit->text().trimmed());
    if (!call.isEmpty())
        criteria.append({QsoSearch::kCallField, Operator::Contains, call});
    const QslIn::Input date = QslIn::completeDate(m_dateEdit->text(), QDate::currentDate().year());
    if (date.state == QslIn::Input::Invalid)
        throw DaluError(uiText("\"%1\" ist kein g\u00fcltiges Datum.").arg(date.text));
    if (date.state == QslIn::Input::Valid) {
        m_dateEdit->setText(date.text);
        criteria.append({int(QsoField::Date), Operator::Is, date.text});
    }
    const QslIn::TimeInput utc = QslIn::completeTime(m_utcEdit->text());
    if (utc.state == QslIn::Input::Invalid)
        throw DaluError(uiText("\"%1\" ist keine g\u00fcltige Uhrzeit.").arg(utc.text));
    if (utc.state == QslIn::Input::Valid)
        m_utcEdit->setText(utc.text);
    // A card gives hh:mm, the log hh:nn:ss: the card's minute takes two criteria.
    criteria.append(QslIn::timeCriteria(utc));
    complete =
        !call.isEmpty() && date.state == QslIn::Input::Valid && utc.state == QslIn::Input::Valid;
    return criteria;
}

// Every QSO of the log the criteria match, in the log's order. After a read error the
// hits found until then count.
void TQslPage::search(const QList<QsoSearch::Criterion>& criteria, QList<CompactQso>& hits,
                      QList<int>& positions) {
    if (!m_station.hasLog())
        return;
    ErrorBoundary::run(this, [&] {
        const BusyProgress busy(this);
        QsoSearch::TQsoSearch query(criteria);
        query.findIn(m_station.currentQsos(), hits, positions);
    });
}

// On the edit page, which returns here after saving; the QSL in date becomes the day the
// card arrived unless the QSO already records a received card.
void TQslPage::openQso(int position, const QStringList& expected) {
    m_navigator.editQso(
        {position, Navigator::ReturnTo::Evaluations, expected, m_arrivalPicker->date()});
}

// The card's QSO was not logged. A QSO without band and mode would count nowhere and still
// want a card: the operator names them first, and cancelling writes nothing.
void TQslPage::askAndCreateQsoFromCard() {
    const TMemIniFile& ini = m_station.settings();
    TQslNewQsoDialog dialog(
        SettingsKeys::read(ini, SettingsKeys::preset(SettingsKeys::kPresets[1])),
        SettingsKeys::read(ini, SettingsKeys::preset(SettingsKeys::kPresets[2])), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    TQsoRecord record;
    record[QsoField::Band] = toCp1252(dialog.band());
    record[QsoField::Mode] = toCp1252(dialog.mode());
    record[QsoField::RstTx] =
        toCp1252(MaskRules::trimmedText(MaskRules::storableText(dialog.rstTx(), true)));
    record[QsoField::RstRx] =
        toCp1252(MaskRules::trimmedText(MaskRules::storableText(dialog.rstRx(), true)));
    ErrorBoundary::run(this, [&] { createQsoFromCard(record); });
}

// Appends the card's QSO with the confirmed fields and opens it for the operator to complete.
void TQslPage::createQsoFromCard(TQsoRecord record) {
    if (!m_station.hasLog())
        return;
    record[QsoField::Call] = toCp1252(upperAsciiLetters(m_callEdit->text().trimmed()));
    record[QsoField::Date] = toCp1252(m_dateEdit->text());
    record[QsoField::Utc] = toCp1252(QslIn::completeTime(m_utcEdit->text()).logText());
    record[QsoField::QslIn] = GermanFormat::formatDate(m_arrivalPicker->date());
    // Numbered by the log under its write lock: another program may have written it since.
    const int number = m_station.appendQso(record);
    m_navigator.editQso({number, Navigator::ReturnTo::Evaluations, {}, {}});
}

void TQslPage::showHits(QList<CompactQso> hits, QList<int> positions) {
    m_hitModel->setRows(std::move(hits), std::move(positions));
    m_hitGrid->resizeColumnsToContents();
    m_hitPanel->show();
    m_hitGrid->setFocus();
    m_hitGrid->setCurrentIndex(m_hitModel->index(0, 0));
}

void TQslPage::qslSearchStringGridDblClick() {
    const QModelIndex current = m_hitGrid->currentIndex();
    const int position = m_hitModel->position(current.isValid() ? current.row() : -1);
    if (position >= 1)
        openQso(position, {});
}

void TQslPage::clearInputs() {
    for (QLineEdit* edit : {m_callEdit, m_dateEdit, m_utcEdit})
        edit->clear();
}
