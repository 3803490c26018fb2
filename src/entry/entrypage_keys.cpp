// The keyboard flow of the entry mask: Return from field to field, the commit of a QSO,
// the checks on entering and leaving fields, and ClearMask.
#include "entrypage.h"

#include "qsolists.h"
#include "station.h"

#include "cp1252.h"
#include "datetickpicker.h"
#include "errorboundary.h"
#include "maskrules.h"
#include "meminifile.h"
#include "qsogrid.h"
#include "qsogridmodel.h"
#include "settingskeys.h"
#include "uitexts.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

namespace {

bool isReturn(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

QByteArray bytes(const QString& text) {
    return toCp1252(text);
}

} // namespace

QWidget* TEntryPage::fieldOf(QObject* watched) const {
    for (TDateTickPicker* picker : {QslOutPicker, QslInPicker}) {
        if (watched == picker->checkBox() || watched == picker->dateEdit())
            return picker;
    }
    return qobject_cast<QWidget*>(watched);
}

QLabel* TEntryPage::captionOf(QWidget* field) const {
    const QList<QPair<QWidget*, QLabel*>> captions = {
        {CallEdit, CallLabel},    {RstTxEdit, RstTxLabel},       {RstRxEdit, RstRxLabel},
        {DokEdit, DokLabel},      {LocatorEdit, LocatorLabel},   {QthEdit, QthLabel},
        {NameEdit, NameLabel},    {CommentsMemo, CommentsLabel}, {QslOutPicker, QslOutLabel},
        {QslInPicker, QslInLabel}};
    for (const auto& [f, caption] : captions) {
        if (f == field)
            return caption;
    }
    return nullptr;
}

bool TEntryPage::EditKeyPress(QWidget* field, QKeyEvent* key) {
    if (isReturn(key)) {
        if (field == CommentsMemo && (key->modifiers() & Qt::ControlModifier)) {
            CommentsMemo->insertPlainText(QStringLiteral("\n"));
            return true;
        }
        focusNextFieldOrCommit(field);
        return true;
    }
    // Calls, reports, DOKs and locators are written in capitals as they are typed.
    const bool upper = field == CallEdit || field == RstTxEdit || field == RstRxEdit ||
                       field == DokEdit || field == LocatorEdit;
    const QString text = key->text();
    if (upper && text.size() == 1 && text.at(0) >= QLatin1Char('a') &&
        text.at(0) <= QLatin1Char('z') && !(key->modifiers() & Qt::ControlModifier)) {
        static_cast<QLineEdit*>(field)->insert(text.toUpper());
        return true;
    }
    return false;
}

void TEntryPage::focusNextFieldOrCommit(QWidget* field) {
    const int tag = field->property("Tag").toInt();
    const QList<QWidget*> order = {RstTxEdit, RstRxEdit,    DokEdit,      LocatorEdit, QthEdit,
                                   NameEdit,  CommentsMemo, QslOutPicker, QslInPicker};
    for (QWidget* next : order) {
        if (next->property("Tag").toInt() > tag && !next->isHidden()) {
            stopClock();
            emit qsoStarted();
            // A date picker is entered at its tick box, also while the window is inactive.
            auto* picker = qobject_cast<TDateTickPicker*>(next);
            (picker ? picker->checkBox() : next)->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    // The last shown field: a report typed there has not been left yet, check it now so
    // that a one-character report cannot slip into the log.
    if (field == RstRxEdit)
        markShortReport(RstRxEdit);
    commitQso();
}

void TEntryPage::commitQso() {
    for (QLineEdit* required : {CallEdit, RstTxEdit, RstRxEdit}) {
        if (isRed(required)) {
            emit commitRefused(uiText("Nicht eingetragen: \u201e%1\u201c fehlt oder ist zu kurz.")
                                   .arg(captionOf(required)->text()));
            required->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    // A band the transceiver could not give: the operator chooses it first.
    if (isRed(BandLabel)) {
        emit commitRefused(uiText("Nicht eingetragen: bitte erst das Band w\u00e4hlen."));
        openEditor(Editor::Band, false);
        return;
    }
    appendQso();
}

QWidget* TEntryPage::fieldWidget(QsoField field) const {
    QWidget* const widgets[kQsoFieldCount] = {NumberLabel, DateLabel,    UtcLabel,     BandLabel,
                                              ModeLabel,   CallEdit,     RstTxEdit,    RstRxEdit,
                                              DokEdit,     NameEdit,     QthEdit,      LocatorEdit,
                                              TxPwrLabel,  CommentsMemo, QslOutPicker, QslInPicker};
    return widgets[static_cast<int>(field)];
}

QString TEntryPage::text(QsoField field) const {
    QWidget* widget = fieldWidget(field);
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit->text();
    if (auto* picker = qobject_cast<TDateTickPicker*>(widget))
        return picker->dateText();
    return CommentsMemo->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

void TEntryPage::setText(QsoField field, const QString& text) {
    QWidget* widget = fieldWidget(field);
    if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setText(text);
    else if (widget == CommentsMemo)
        CommentsMemo->setPlainText(
            QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void TEntryPage::appendComment(const QString& line) {
    CommentsMemo->appendPlainText(line);
}

TQsoRecord TEntryPage::maskRecord() const {
    TQsoRecord rec;
    for (int f = 0; f < kQsoFieldCount; ++f)
        rec.fields[f] = bytes(text(static_cast<QsoField>(f)));
    return rec;
}

void TEntryPage::appendQso() {
    if (!m_station.hasLog()) {
        ErrorBoundary::show(this, uiText("Kein Log ist ge\u00f6ffnet: das QSO wurde nicht "
                                         "eingetragen. Bitte im Log-Men\u00fc ein Log \u00f6ffnen "
                                         "oder anlegen."));
        return;
    }
    TQsoRecord rec = maskRecord();
    int n = 0;
    // A failed append leaves the mask and the lists as they are: nothing typed is lost.
    // The number is the one the log gives under its write lock.
    if (!ErrorBoundary::run(this, [&] { n = m_station.appendQso(rec); }))
        return;
    rec[QsoField::Number] = QByteArray::number(n);
    ClearMask();
    Liste2StringGrid->selectGridRow(n);
    Liste2StringGrid->scrollTo(m_lists.lower()->index(n - 1, 0),
                               QAbstractItemView::PositionAtBottom);
    advanceSerialNumber();
    emit qsoCommitted(rec);
}

void TEntryPage::advanceSerialNumber() {
    TMemIniFile& ini = m_station.settings();
    if (!SettingsKeys::read(ini, SettingsKeys::ErgRstTxNummer))
        return;
    const std::optional<QString> next =
        MaskRules::nextSerial(SettingsKeys::read(ini, SettingsKeys::ErgRstTxText));
    if (next)
        emit serialNumberAdvanced(*next);
}

void TEntryPage::ClearMask() {
    AutoDateTimeTimer->start();
    AutoDateTimeTimerTimer();
    const TMemIniFile& ini = m_station.settings();
    const QList<QPair<const char*, QWidget*>> presets = {
        {"Call", CallEdit}, {"RstTx", RstTxEdit},      {"RstRx", RstRxEdit},
        {"Dok", DokEdit},   {"Locator", LocatorEdit},  {"Qth", QthEdit},
        {"Name", NameEdit}, {"Comments", CommentsMemo}};
    for (const auto& [key, field] : presets) {
        const QString value =
            ini.ReadString(QLatin1String(SettingsKeys::kVorgaben), QLatin1String(key), {});
        if (auto* edit = qobject_cast<QLineEdit*>(field))
            edit->setText(value);
        else
            CommentsMemo->setPlainText(value);
    }
    m_proposedReport.clear();
    proposeReports();
    for (TDateTickPicker* picker : {QslOutPicker, QslInPicker}) {
        picker->setDate(QDate::currentDate());
        picker->setChecked(false);
    }
    CallEdit->setFocus(Qt::OtherFocusReason);
    setRed(RstRxEdit, false);
    setRed(RstTxEdit, false);
    emit maskCleared();
}

void TEntryPage::proposeReports() {
    const TMemIniFile& ini = m_station.settings();
    if (!SettingsKeys::read(ini, SettingsKeys::ReportsByMode))
        return;
    const QString proposal = MaskRules::proposedReport(ModeLabel->text());
    const QList<QPair<const char*, QLineEdit*>> reports = {{"RstTx", RstTxEdit},
                                                           {"RstRx", RstRxEdit}};
    for (const auto& [key, edit] : reports) {
        // A preset is the operator's choice; a typed report stays.
        if (!ini.ReadString(QLatin1String(SettingsKeys::kVorgaben), QLatin1String(key), {})
                 .isEmpty() ||
            edit->text() != m_proposedReport)
            continue;
        edit->setText(proposal);
    }
    m_proposedReport = proposal;
}

void TEntryPage::stopClock() {
    AutoDateTimeTimer->stop();
}

void TEntryPage::fieldEnter(QWidget* field) {
    // A field left while the window was inactive keeps no editing colour.
    if (m_enteredField)
        setCaptionColour(captionOf(m_enteredField), false);
    m_enteredField = field;
    setCaptionColour(captionOf(field), true);
    if (field == CallEdit || field == RstTxEdit || field == RstRxEdit)
        setRed(field, false);
    if (auto* edit = qobject_cast<QLineEdit*>(field)) {
        // After the focus change has selected the text, put the caret at its end.
        QTimer::singleShot(0, edit, [edit] { edit->setCursorPosition(edit->text().size()); });
    } else if (field == CommentsMemo) {
        CommentsMemo->moveCursor(QTextCursor::End);
    }
}

void TEntryPage::fieldExit(QWidget* field) {
    if (m_enteredField == field)
        m_enteredField = nullptr;
    setCaptionColour(captionOf(field), false);
    if (field == CallEdit) {
        if (leaveQuietly()) {
            setLeaveQuietly(false);
            return;
        }
        if (!Liste2StringGrid->hasFocus())
            emit callLeft();
    } else if (field == RstTxEdit) {
        RstTxEditExit();
    } else if (field == RstRxEdit) {
        RstRxEditExit();
    }
}

void TEntryPage::RstTxEditExit() {
    if (leaveQuietly()) {
        setLeaveQuietly(false);
        return;
    }
    if (Liste2StringGrid->hasFocus())
        return;
    const QString serial = SettingsKeys::read(m_station.settings(), SettingsKeys::ErgRstTxText);
    RstTxEdit->setText(MaskRules::appendSerial(RstTxEdit->text(), serial));
    markShortReport(RstTxEdit);
}

void TEntryPage::RstRxEditExit() {
    if (leaveQuietly()) {
        setLeaveQuietly(false);
        return;
    }
    if (Liste2StringGrid->hasFocus())
        return;
    markShortReport(RstRxEdit);
}

void TEntryPage::markShortReport(QLineEdit* report) {
    if (report->text().size() < 2)
        setRed(report, true);
}

void TEntryPage::toggleListFocus() {
    if (Liste2StringGrid->hasFocus())
        CallEdit->setFocus(Qt::OtherFocusReason);
    else
        Liste2StringGrid->setFocus(Qt::OtherFocusReason);
}

void TEntryPage::focusCall() {
    CallEdit->setFocus(Qt::OtherFocusReason);
}

void TEntryPage::typeCall(const QString& call) {
    focusCall();
    // Letters and digits have the key code of their upper-case character.
    for (const QChar c : call.toUpper()) {
        QKeyEvent press(QEvent::KeyPress, c.unicode(), Qt::NoModifier, QString(c));
        QApplication::sendEvent(CallEdit, &press);
        QKeyEvent release(QEvent::KeyRelease, c.unicode(), Qt::NoModifier, QString(c));
        QApplication::sendEvent(CallEdit, &release);
    }
}
