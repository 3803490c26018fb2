#pragma once

#include <array>

// What each line of a language file is for: the windows apply captions and lists by
// component name, and keep the message and wizard texts by line.
enum class LanguageTargetKind {
    Caption,      // window title, menu item, tab, label, button, check box, group box
    List,         // memo lines or combo-box items, "#13#10" between the entries
    ColumnTitles, // the two column titles of a key-value grid
    Message,      // a text of the main window shown later in message boxes and prompts
    WizardText,   // a text kept by the converter window
};

struct LanguageTarget {
    int line;           // 1-based line of the language file
    const char* window; // class of the window that owns the target
    // The control, or the window itself when it equals the class name without its "T";
    // for messages and wizard texts the name of the kept text.
    const char* component;
    LanguageTargetKind kind;
};

namespace LanguageWindow {
inline constexpr const char* Main = "TMainForm";
inline constexpr const char* Doppelt = "TDoppeltForm";
inline constexpr const char* HotKey = "THotKeyForm";
inline constexpr const char* Text = "TTextForm";
inline constexpr const char* Converter = "TLogConverterForm";
} // namespace LanguageWindow

inline constexpr int kLanguageTargetCount = 275;

// All targets in file order: entry i is line i + 1.
const std::array<LanguageTarget, kLanguageTargetCount>& languageTargets();
// The line of a window's target, or 0 if the window has no such target.
int languageLine(const char* window, const char* component);

// Lines of the main window's message texts, by the role in which they are shown.
namespace Msg {
inline constexpr int BandPrompt = 144;     // prompt of the "Band" input box for another band
inline constexpr int ModePrompt = 145;     // prompt of the "Mode" input box for another mode
inline constexpr int TxPwrHintMilli = 146; // power editor, "m" typed
inline constexpr int TxPwrHintKilo = 147;  // power editor, "k" typed
inline constexpr int TxPwrHintMega = 148;  // power editor, "M" typed
inline constexpr int InvalidLocator = 149; // then " (own / other)"
inline constexpr int SerialNotNumber = 150;
inline constexpr int NewLogItem = 151;      // last item of the log-file menu
inline constexpr int LogMenuCaption = 152;  // log-file menu while no log is open
inline constexpr int LogFileNotFound = 153; // then the file name and a closing quote
inline constexpr int NewLogCaption = 154;   // input box for a new log
inline constexpr int NewLogPrompt = 155;
inline constexpr int NewLogExists = 156; // '"' name, this, full path, '"!'
inline constexpr int CallBookMissing = 157;
inline constexpr int CallBookErrM5 = 158; // callbook codes: shown after the code and ": "
inline constexpr int CallBookErrM4 = 159;
inline constexpr int CallBookErrM3 = 160;
inline constexpr int CallBookErrM2 = 161;
inline constexpr int CallBookErr2 = 163;
inline constexpr int CallBookErr3 = 164;
inline constexpr int CallBookErr5 = 165;
inline constexpr int CallBookErr1101 = 166;
inline constexpr int CallBookErr32000 = 167;
inline constexpr int CallBookErrOther = 168;
inline constexpr int ListAnd = 169;           // between the last two quoted names, blanks included
inline constexpr int ShortcutLines = 170;     // first of ShortcutLineCount lines
inline constexpr int ShortcutLineCount = 11;  // lines 170 ... 180
inline constexpr int ShortcutKeyBefore = 181; // "[Fn]", this, quoted names, ShortcutKeyAfter
inline constexpr int ShortcutKeyAfter = 182;
inline constexpr int TotalCaption = 185;
inline constexpr int DcCallAlwaysOn = 186;
inline constexpr int LocSaveTitle = 187;
inline constexpr int LocSaveFilter = 188;
inline constexpr int LocHtmlTitle = 189; // opens the title element; then own call, "</title>"
inline constexpr int HintBefore = 190;   // "Fn: ", this, " ", quoted names, " ", HintAfter
inline constexpr int HintAfter = 191;
inline constexpr int RefLogDialogTitle = 192;
inline constexpr int RefLogDialogFilter = 193;
inline constexpr int CallBookDialogTitle = 194;
inline constexpr int QslInNoCriterion = 195;
inline constexpr int QslInAskNewQso = 196;
inline constexpr int QslInNotFound = 197;
inline constexpr int ResultHead = 198; // head, total, ResultLocators/Doks/Dxccs, confirmed, tail
inline constexpr int ResultTail = 199;
inline constexpr int ResultLocators = 200;
inline constexpr int ResultDoks = 201;
inline constexpr int ResultDxccs = 202;
inline constexpr int OwnLocatorInvalidHead = 203; // head, own locator, tail
inline constexpr int OwnLocatorInvalidTail = 204;
inline constexpr int LocatorInvalidHead = 205; // head, square, tail
inline constexpr int LocatorInvalidTail = 206;
inline constexpr int DxccShortCallHead = 207; // head, call, mid, QSO number, tail
inline constexpr int DxccShortCallMid = 208;
inline constexpr int DxccShortCallTail = 209;
inline constexpr int QslImageFilter = 273;
} // namespace Msg
