#include "settingskeys.h"

#include "meminifile.h"

#include <QHash>

namespace SettingsKeys {

namespace {

// Keys built at run time need names that outlive the call.
const char* stableName(const QByteArray& name) {
    static QHash<QByteArray, QByteArray> names;
    auto it = names.find(name);
    if (it == names.end())
        it = names.insert(name, name);
    return it->constData();
}

QString s(const char* text) {
    return QString::fromLatin1(text);
}

} // namespace

QString read(const TMemIniFile& ini, const TextKey& k) {
    const QString value = ini.ReadString(s(k.section), s(k.key), QString::fromUtf8(k.def));
    return k.maxLength > 0 ? value.left(k.maxLength) : value;
}
void write(TMemIniFile& ini, const TextKey& k, const QString& value) {
    ini.WriteString(s(k.section), s(k.key), value);
}
bool read(const TMemIniFile& ini, const BoolKey& k) {
    return ini.ReadBool(s(k.section), s(k.key), k.def);
}
void write(TMemIniFile& ini, const BoolKey& k, bool value) {
    ini.WriteBool(s(k.section), s(k.key), value);
}
int read(const TMemIniFile& ini, const IntKey& k) {
    return ini.ReadInteger(s(k.section), s(k.key), k.def);
}
void write(TMemIniFile& ini, const IntKey& k, int value) {
    ini.WriteInteger(s(k.section), s(k.key), value);
}
double read(const TMemIniFile& ini, const FloatKey& k) {
    return ini.ReadFloat(s(k.section), s(k.key), k.def);
}
void write(TMemIniFile& ini, const FloatKey& k, double value) {
    ini.WriteFloat(s(k.section), s(k.key), value);
}

BoolKey showAtStartUp(char fieldLetter) {
    return {kShowAtStartUp, stableName(QByteArray(1, fieldLetter)), true};
}

TextKey buttons(int functionKey) {
    return {kButtons, stableName("BF" + QByteArray::number(functionKey)), ""};
}

TextKey preset(const Preset& p) {
    return {kVorgaben, p.key, ""};
}

IntKey listColumnWidth(int column) {
    return {"Positionen",
            stableName("ListeStringGrid.ColWidths[" + QByteArray::number(column) + "]"), 64};
}

TextKey referenceLog(int n) {
    return {"Referenz-Logs", stableName("Log" + QByteArray::number(n)), ""};
}

BoolKey racData(const char* key) {
    return {"RAC", key, false};
}

QString readFileName(const TMemIniFile& ini, const TextKey& k) {
    const QString name = read(ini, k).section(QLatin1Char('/'), -1);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return QString::fromUtf8(k.def);
    return name;
}

QString readButtons(const TMemIniFile& ini, int functionKey) {
    if (ini.ReadSection(QLatin1String(kButtons)).isEmpty()) {
        static const char* const delivered[] = {"c", "d", "g"};
        return functionKey >= 1 && functionKey <= 3 ? QLatin1String(delivered[functionKey - 1])
                                                    : QString();
    }
    return read(ini, buttons(functionKey));
}

} // namespace SettingsKeys
