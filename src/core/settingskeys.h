#pragma once

#include "statusbartemplate.h"

#include <QString>

class TMemIniFile;

// Every section, key and default of Dalu.ini, in one place.
namespace SettingsKeys {

struct TextKey {
    const char* section;
    const char* key;
    const char* def;
    // Longer values are cut when read: what runs per key or per tick must not grow with
    // a crafted file (0: no bound).
    int maxLength = 0;
};
struct BoolKey {
    const char* section;
    const char* key;
    bool def;
};
struct IntKey {
    const char* section;
    const char* key;
    int def;
};
struct FloatKey {
    const char* section;
    const char* key;
    double def;
};

QString read(const TMemIniFile& ini, const TextKey& k);
// A key naming a file of the program directory (LastLogFileName, Language): only the
// file-name part counts, so that no settings file can make the program open or write a
// file elsewhere ("../x" gives "x", ".." the default).
QString readFileName(const TMemIniFile& ini, const TextKey& k);
void write(TMemIniFile& ini, const TextKey& k, const QString& value);
bool read(const TMemIniFile& ini, const BoolKey& k);
void write(TMemIniFile& ini, const BoolKey& k, bool value);
int read(const TMemIniFile& ini, const IntKey& k);
void write(TMemIniFile& ini, const IntKey& k, int value);
double read(const TMemIniFile& ini, const FloatKey& k);
void write(TMemIniFile& ini, const FloatKey& k, double value);

inline constexpr const char* kFileName = "Dalu.ini";

// Allgemein
// Empty until the operator gives them: nothing is computed from an invented place.
inline constexpr TextKey EigenesCall{"Allgemein", "EigenesCall", ""};
inline constexpr TextKey EigenerLocator{"Allgemein", "EigenerLocator", ""};
inline constexpr BoolKey UtcDiffAuto{"Allgemein", "UtcDiffAuto", true};
inline constexpr FloatKey UtcDiff{"Allgemein", "UtcDiff", 0};
// The default is the program directory, known only at run time (see qslPathDefault).
inline constexpr TextKey QslPath{"Allgemein", "QslPath", ""};
inline constexpr TextKey LastLogFileName{"Allgemein", "LastLogFileName", ""};

// ShowAtStartUp: the seven optional mask fields, by field letter.
inline constexpr const char* kShowAtStartUp = "ShowAtStartUp";
inline constexpr const char* kOptionalFieldLetters = "efhijkl";
BoolKey showAtStartUp(char fieldLetter); // "e" ... "l", default true

// Buttons: BF1 ... BF12 hold the field letters each function key shows and hides.
inline constexpr const char* kButtons = "Buttons";
TextKey buttons(int functionKey); // 1 ... 12, default empty

inline constexpr TextKey Language{"Language", "Language", "deutsch.lng"};
inline constexpr const char* kGermanLanguageFile = "deutsch.lng";
inline constexpr const char* kEnglishLanguageFile = "english.lng";

// Vorgaben: presets put into the mask after each QSO, in presets-editor order.
inline constexpr const char* kVorgaben = "Vorgaben";
struct Preset {
    const char* rowName; // as the presets editor shows it
    const char* key;
};
inline constexpr Preset kPresets[] = {
    {"Call", "Call"},       {"RST TX", "RstTx"}, {"RST RX", "RstRx"}, {"DOK", "Dok"},
    {"Locator", "Locator"}, {"QTH", "Qth"},      {"Name", "Name"},    {"Comments", "Comments"}};
TextKey preset(const Preset& p);

inline constexpr TextKey ErgRstTxText{"ErgRstTx", "Text", ""};
inline constexpr BoolKey ErgRstTxNummer{"ErgRstTx", "Nummer", false};

// Positionen: main window geometry and the list column widths.
// The default fits a 1280x800 screen with room for a panel; it shows the mask, the
// captions and the status bar's parts in full.
inline constexpr IntKey MainFormTop{"Positionen", "MainForm.Top", 24};
inline constexpr IntKey MainFormLeft{"Positionen", "MainForm.Left", 40};
inline constexpr IntKey MainFormWidth{"Positionen", "MainForm.Width", 1200};
inline constexpr IntKey MainFormHeight{"Positionen", "MainForm.Height", 720};
inline constexpr int kListColumnCount = 16;
IntKey listColumnWidth(int column); // 0 ... 15, default 64

inline constexpr TextKey DoppelCheckOptions{"Doppel-Check", "Options", "000"};

inline constexpr BoolKey Luxusfunktion{"Referenz-Logs", "Luxusfunktion", false};
TextKey referenceLog(int n); // 1 ... 4, default empty

inline constexpr TextKey RacFileName{"RAC", "FileName", ""};
inline constexpr const char* kRacDataKeys[] = {"Name",    "Adresse", "Licence",
                                               "Comment", "FaxNr",   "EMail"};
BoolKey racData(const char* key); // default false

inline constexpr BoolKey ClockShow{"Clock", "Show", false};
inline constexpr BoolKey ClockUtc{"Clock", "UTC", true};
inline constexpr TextKey ClockFormat{"Clock", "Format", "hh:nn:ss", 256};
// The clock window's own default when it reads the format each tick.
inline constexpr TextKey ClockWindowFormat{"Clock", "Format", "dddddd', - 'tt",
                                           ClockFormat.maxLength};
inline constexpr IntKey ClockLeft{"Clock", "Left", 405};
inline constexpr IntKey ClockTop{"Clock", "Top", 159};

inline constexpr BoolKey QslFirstQso{"QSL", "FirstQso", false};
inline constexpr BoolKey QslBand{"QSL", "Band", false};
inline constexpr BoolKey QslMode{"QSL", "Mode", false};
inline constexpr BoolKey QslDay{"QSL", "Day", false};
inline constexpr BoolKey QslYear{"QSL", "Year", false};

inline constexpr TextKey StatusBarText{"StatusBar", "Text", "", StatusBarTemplate::kMaxLineLength};

// Rig: band, mode and power read from the transceiver through hamlib. Model is hamlib's
// model number (1 is its dummy rig); Port a serial device or the host:port of a rigctld;
// an empty port and speed 0 take the model's own; DataMode is the mask's mode for data on
// a sideband (PKTUSB, PKTLSB).
inline constexpr BoolKey RigEnabled{"Rig", "Enabled", false};
inline constexpr IntKey RigModel{"Rig", "Model", 1};
inline constexpr TextKey RigPort{"Rig", "Port", ""};
inline constexpr IntKey RigSpeed{"Rig", "Speed", 0};
inline constexpr TextKey RigDataMode{"Rig", "DataMode", "FT8"};

// Function keys as delivered: while [Buttons] holds no key at all (a first start), F1 opens
// the band list, F2 the mode list and F3 the power, so no mouse is needed for them.
QString readButtons(const TMemIniFile& ini, int functionKey);
// Set on a first start: while a report preset is empty the mask proposes one by mode.
inline constexpr BoolKey ReportsByMode{"Vorgaben", "RstByMode", false};

// QSL labels and printed cards: the sheet chosen last, the measures of the custom sheet
// (millimetres), the QSOs on one label and the card's background picture.
inline constexpr TextKey LabelLayout{"QSL-Etiketten", "Layout", "3x7", 16};
inline constexpr IntKey LabelColumns{"QSL-Etiketten", "Spalten", 3};
inline constexpr IntKey LabelRows{"QSL-Etiketten", "Zeilen", 7};
inline constexpr FloatKey LabelWidth{"QSL-Etiketten", "Breite", 70};
inline constexpr FloatKey LabelHeight{"QSL-Etiketten", "Hoehe", 42.3};
inline constexpr FloatKey LabelLeft{"QSL-Etiketten", "RandLinks", 0};
inline constexpr FloatKey LabelTop{"QSL-Etiketten", "RandOben", 0.45};
inline constexpr FloatKey LabelGapX{"QSL-Etiketten", "AbstandX", 0};
inline constexpr FloatKey LabelGapY{"QSL-Etiketten", "AbstandY", 0};
inline constexpr IntKey LabelQsos{"QSL-Etiketten", "QsosProEtikett", 4};
inline constexpr TextKey CardBackground{"QSL-Etiketten", "KartenBild", ""};

// LoTW and eQSL: which confirmations count as confirmed (0 paper cards only, 1 paper or
// LoTW, 2 paper, LoTW or eQSL); whether the QSL out list leaves out QSOs confirmed
// electronically; the station location of TQSL that signs the uploads.
inline constexpr IntKey LotwConfirmedBy{"LoTW", "ConfirmedBy", 0};
inline constexpr BoolKey QslSkipElectronic{"LoTW", "QslOutSkipsConfirmed", false};
inline constexpr TextKey TqslLocation{"LoTW", "StationLocation", "", 256};

// WSJT-X / JTDX: QSOs, state and decodes taken by UDP. Address may be a multicast group;
// Host names one more computer whose datagrams are taken; TimeOfEnd logs a QSO's end
// instead of its start; Highlight colours the calls in WSJT-X by their value to the log.
inline constexpr BoolKey WsjtxEnabled{"WSJT-X", "Enabled", false};
inline constexpr TextKey WsjtxAddress{"WSJT-X", "Address", "127.0.0.1", 64};
inline constexpr IntKey WsjtxPort{"WSJT-X", "Port", 2237};
inline constexpr BoolKey WsjtxTimeOfEnd{"WSJT-X", "TimeOfEnd", false};
inline constexpr TextKey WsjtxHost{"WSJT-X", "Host", "", 255};
inline constexpr BoolKey WsjtxHighlight{"WSJT-X", "Highlight", false};
inline constexpr TextKey WsjtxColourNewDxcc{"WSJT-X", "ColourNewDxcc", "#ff0000", 16};
inline constexpr TextKey WsjtxColourNewBand{"WSJT-X", "ColourNewBand", "#ff8000", 16};
inline constexpr TextKey WsjtxColourNewSquare{"WSJT-X", "ColourNewSquare", "#0000ff", 16};
inline constexpr TextKey WsjtxColourWorked{"WSJT-X", "ColourWorked", "#808080", 16};

} // namespace SettingsKeys
