// The pop-up editors of date, time, band, mode and power, the function keys, and the
// event filter that routes the mask's keys and focus changes.
#include "entrypage.h"

#include "bandmode.h"
#include "errorboundary.h"
#include "germanformat.h"
#include "languagetargets.h"
#include "maskrules.h"
#include "meminifile.h"
#include "settingskeys.h"
#include "station.h"
#include "uitexts.h"

#include <QApplication>
#include <QDateEdit>
#include <QFocusEvent>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTimeEdit>
#include <QTimer>

namespace {

bool isReturn(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

QWidget* TEntryPage::editorWidget(Editor editor) const {
    switch (editor) {
    case Editor::Date:
        return DatePicker;
    case Editor::Utc:
        return UtcPicker;
    case Editor::Band:
        return BandListBox;
    case Editor::Mode:
        return ModeListBox;
    case Editor::TxPwr:
        return TxPwrEdit;
    }
    return nullptr;
}

QLabel* TEntryPage::editorLabel(Editor editor) const {
    switch (editor) {
    case Editor::Date:
        return DateLabel;
    case Editor::Utc:
        return UtcLabel;
    case Editor::Band:
        return BandLabel;
    case Editor::Mode:
        return ModeLabel;
    case Editor::TxPwr:
        return TxPwrLabel;
    }
    return nullptr;
}

bool TEntryPage::isEditorShown(Editor editor) const {
    return !editorWidget(editor)->isHidden();
}

void TEntryPage::openEditor(Editor editor, bool byFunctionKey) {
    QLabel* label = editorLabel(editor);
    QWidget* widget = editorWidget(editor);
    switch (editor) {
    case Editor::Date: {
        const std::optional<QDate> date = GermanFormat::parseDate(toLatin1Text(label));
        if (!date)
            throw DaluError(uiText("\"%1\" ist kein g\u00fcltiges Datum.").arg(label->text()));
        DatePicker->setDate(*date);
        break;
    }
    case Editor::Utc: {
        const std::optional<QTime> time = GermanFormat::parseTime(toLatin1Text(label));
        if (!time)
            throw DaluError(uiText("\"%1\" ist keine g\u00fcltige Uhrzeit.").arg(label->text()));
        UtcPicker->setTime(*time);
        break;
    }
    case Editor::Band:
        m_typedAhead.clear();
        BandListBox->setCurrentRow(BandMode::TextToBandIndex(label->text()));
        break;
    case Editor::Mode:
        m_typedAhead.clear();
        ModeListBox->setCurrentRow(BandMode::TextToModeIndex(label->text()));
        break;
    case Editor::TxPwr:
        TxPwrEdit->setText(label->text());
        TxPwrEdit->selectAll();
        break;
    }
    // Over the label; the lists open downwards so that every entry shows.
    QRect area = label->geometry();
    if (editor == Editor::Band || editor == Editor::Mode) {
        auto* list = static_cast<QListWidget*>(widget);
        area.setHeight(list->sizeHintForRow(0) * list->count() + 2 * list->frameWidth());
    } else if (editor == Editor::Date) {
        area.setWidth(std::max(area.width(), DatePicker->sizeHint().width()));
    }
    widget->setGeometry(area);
    if (byFunctionKey)
        setLeaveQuietly(true);
    widget->show();
    widget->raise();
    widget->setFocus(Qt::OtherFocusReason);
}

QByteArray TEntryPage::toLatin1Text(const QLabel* label) {
    return label->text().toLatin1();
}

void TEntryPage::applyEditor(Editor editor) {
    QLabel* label = editorLabel(editor);
    switch (editor) {
    case Editor::Date:
        label->setText(QString::fromLatin1(GermanFormat::formatDate(DatePicker->date())));
        stopClock();
        break;
    case Editor::Utc:
        label->setText(QString::fromLatin1(GermanFormat::formatTime(UtcPicker->time())));
        stopClock();
        break;
    case Editor::Band: {
        const int index = BandListBox->currentRow();
        if (index == BandMode::kOtherBand)
            askOther(label, QStringLiteral("Band"), m_station.msg(Msg::BandPrompt));
        else if (index >= 0)
            label->setText(BandMode::BandIndexToText(index));
        if (index >= 0 && index != BandMode::kOtherBand)
            setRed(BandLabel, false);
        break;
    }
    case Editor::Mode: {
        const int index = ModeListBox->currentRow();
        if (index == BandMode::kOtherMode)
            askOther(label, QStringLiteral("Mode"), m_station.msg(Msg::ModePrompt));
        else if (index >= 0)
            label->setText(BandMode::ModeIndexToText(index));
        proposeReports();
        break;
    }
    case Editor::TxPwr:
        label->setText(TxPwrEdit->text());
        break;
    }
    emit editorApplied(editor);
}

void TEntryPage::askOther(QLabel* label, const QString& title, const QString& prompt) {
    bool ok = false;
    // What was typed into the list and named no entry is offered as the other band or mode.
    const QString offered = m_typedAhead.isEmpty() ? label->text() : m_typedAhead;
    const QString text =
        QInputDialog::getText(this, title, prompt, QLineEdit::Normal, offered, &ok);
    if (ok) { // cancel keeps the band or mode the next QSOs are logged with
        label->setText(text);
        setRed(label, false);
    }
}

// Type-ahead in the band and mode lists: the entry the typed text names or begins, never
// another one ("FT8" is not FM); with none, the "..." entry, whose input box then offers
// the typed text. A key that types nothing starts the typing afresh, but Shift and the
// other modifiers alone do not: a keyboard sends them before every capital.
bool TEntryPage::typeAhead(QListWidget* list, QKeyEvent* key) {
    const QString text = key->text();
    switch (key->key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_CapsLock:
        return false;
    default:
        break;
    }
    if (key->key() == Qt::Key_Backspace && !m_typedAhead.isEmpty()) {
        m_typedAhead.chop(1);
        if (m_typedAhead.isEmpty())
            return true;
    } else if (text.size() == 1 && text.at(0).isPrint() &&
               !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        m_typedAhead += text;
    } else {
        m_typedAhead.clear();
        return false;
    }
    const QStringList& entries =
        list == BandListBox ? BandMode::bandTexts() : BandMode::modeTexts();
    const int index = BandMode::matchIndex(entries, m_typedAhead);
    list->setCurrentRow(index >= 0 ? index : int(entries.size()));
    return true;
}

void TEntryPage::confirmEditor(Editor editor) {
    m_confirming = true;
    editorWidget(editor)->hide();
    applyEditor(editor);
    m_confirming = false;
    CallEdit->setFocus(Qt::OtherFocusReason);
}

bool TEntryPage::cancelEditor() {
    for (Editor editor : {Editor::Date, Editor::Utc, Editor::Band, Editor::Mode, Editor::TxPwr}) {
        if (!isEditorShown(editor))
            continue;
        m_confirming = true;
        editorWidget(editor)->hide();
        m_confirming = false;
        CallEdit->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return false;
}

void TEntryPage::keepEditorFocus(QWidget* editor) {
    if (m_confirming || editor->isHidden())
        return;
    QApplication::beep();
    QTimer::singleShot(0, editor, [editor] {
        if (!editor->isHidden())
            editor->setFocus(Qt::OtherFocusReason);
    });
}

namespace {

// The pop-up editor of an exclusive field letter (a, b, c, d, g).
std::optional<TEntryPage::Editor> editorOfLetter(QChar letter) {
    switch (letter.toLatin1()) {
    case 'a':
        return TEntryPage::Editor::Date;
    case 'b':
        return TEntryPage::Editor::Utc;
    case 'c':
        return TEntryPage::Editor::Band;
    case 'd':
        return TEntryPage::Editor::Mode;
    case 'g':
        return TEntryPage::Editor::TxPwr;
    default:
        return std::nullopt;
    }
}

const TEntryPage::Editor kEditors[] = {TEntryPage::Editor::Date, TEntryPage::Editor::Utc,
                                       TEntryPage::Editor::Band, TEntryPage::Editor::Mode,
                                       TEntryPage::Editor::TxPwr};

} // namespace

void TEntryPage::functionKeyLetter(QChar letter) {
    if (const std::optional<Editor> editor = editorOfLetter(letter)) {
        if (isEditorShown(*editor)) {
            confirmEditor(*editor);
            return;
        }
        // One pop-up at a time: the one open takes its choice before the next opens.
        for (Editor open : kEditors) {
            if (isEditorShown(open))
                confirmEditor(open);
        }
        ErrorBoundary::run(this, [&] { openEditor(*editor, true); });
    } else if (QByteArray(SettingsKeys::kOptionalFieldLetters).contains(letter.toLatin1())) {
        setFieldShown(letter.toLatin1(), !isFieldShown(letter.toLatin1()));
    }
}

bool TEntryPage::otherEditorOpen(QChar letter) const {
    const std::optional<Editor> own = editorOfLetter(letter);
    for (Editor editor : kEditors) {
        if (editor != own && isEditorShown(editor))
            return true;
    }
    return false;
}

void TEntryPage::FormKeyUp(int functionKey) {
    for (const QChar c : SettingsKeys::readButtons(m_station.settings(), functionKey))
        functionKeyLetter(c);
}

void TEntryPage::BClick(int functionKey) {
    for (const QChar c : SettingsKeys::readButtons(m_station.settings(), functionKey)) {
        if (otherEditorOpen(c))
            return;
        functionKeyLetter(c);
    }
}

bool TEntryPage::TxPwrEditKeyPress(QKeyEvent* key) {
    if (isReturn(key)) {
        confirmEditor(Editor::TxPwr);
        return true;
    }
    if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
        const int tag = TxPwrEdit->property("Tag").toInt();
        const int watts =
            key->key() == Qt::Key_Up ? MaskRules::powerUp(tag) : MaskRules::powerDown(tag);
        TxPwrEdit->setText(QString::number(watts) + QLatin1Char('W'));
        TxPwrEdit->setCursorPosition(0);
        return true;
    }
    const QString text = key->text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return false; // editing and navigation keys: Delete, Backspace, Home, End, arrows
    const QChar c = text.at(0);
    const int hint = c == QLatin1Char('m')   ? Msg::TxPwrHintMilli
                     : c == QLatin1Char('k') ? Msg::TxPwrHintKilo
                     : c == QLatin1Char('M') ? Msg::TxPwrHintMega
                                             : 0;
    if (hint)
        QMessageBox::information(this, QStringLiteral("TX Pwr"), m_station.msg(hint));
    return !(c.isDigit() || c == QLatin1Char(','));
}

void TEntryPage::TxPwrEditChange() {
    QString text = TxPwrEdit->text();
    if (!text.endsWith(QLatin1Char('W'))) {
        const int caret = TxPwrEdit->cursorPosition();
        const QSignalBlocker block(TxPwrEdit);
        TxPwrEdit->setText(text + QLatin1Char('W'));
        TxPwrEdit->setCursorPosition(caret);
        text = TxPwrEdit->text();
    }
    TxPwrEdit->setProperty("Tag", MaskRules::powerTag(text));
}

bool TEntryPage::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const QList<Editor> editors = {Editor::Date, Editor::Utc, Editor::Band, Editor::Mode,
                                   Editor::TxPwr};
    for (Editor editor : editors) {
        QWidget* widget = editorWidget(editor);
        const bool isList = editor == Editor::Band || editor == Editor::Mode;
        const bool inEditor = watched == widget ||
                              (isList && watched == static_cast<QListWidget*>(widget)->viewport());
        if (!inEditor)
            continue;
        if (type == QEvent::FocusOut) {
            keepEditorFocus(widget);
        } else if (type == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
                QApplication::beep();
                return true;
            }
            if (editor == Editor::TxPwr)
                return TxPwrEditKeyPress(key);
            if (isReturn(key)) {
                confirmEditor(editor);
                return true;
            }
            if (isList && typeAhead(static_cast<QListWidget*>(widget), key))
                return true;
        } else if (type == QEvent::MouseButtonDblClick && (isList || editor == Editor::TxPwr)) {
            confirmEditor(editor);
            return true;
        }
        return false;
    }
    if (watched == DistriktValueLabel) {
        if (type == QEvent::Enter || type == QEvent::Leave)
            setLinkLook(DistriktValueLabel, type == QEvent::Enter);
        else if (type == QEvent::MouseButtonRelease)
            DistriktValueLabelClick();
        return QWidget::eventFilter(watched, event);
    }
    if (watched == CallbookLabel) {
        if (type == QEvent::Enter || type == QEvent::Leave)
            setLinkLook(CallbookLabel, type == QEvent::Enter);
        else if (type == QEvent::MouseButtonRelease)
            emit callbookRequested();
        return QWidget::eventFilter(watched, event);
    }
    if (type == QEvent::MouseButtonDblClick) {
        for (Editor editor : editors) {
            if (watched == editorLabel(editor)) {
                ErrorBoundary::run(this, [&] { openEditor(editor, false); });
                return true;
            }
        }
        if (watched == ShortCutLabel) {
            emit shortcutsRequested();
            return true;
        }
    }
    QWidget* field = fieldOf(watched);
    if (!field || !captionOf(field))
        return QWidget::eventFilter(watched, event);
    if (type == QEvent::KeyPress && EditKeyPress(field, static_cast<QKeyEvent*>(event)))
        return true;
    // The window losing the activation (a dialog, another program) is no leaving of the
    // field: its exit checks would run without the operator having moved on. Getting it
    // back is no entering either, unless the focus has moved to another field meanwhile.
    if (type == QEvent::FocusIn && field != m_enteredField) {
        fieldEnter(field);
    } else if (type == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            fieldExit(field);
    }
    return QWidget::eventFilter(watched, event);
}
