#include "logbuilder.h"
#include "logfile.h"

#include <QFile>

#include <algorithm>
#include <stdexcept>

namespace LogBuilder {

namespace {
const char* const kNames[kQsoFieldCount] = {
    "#",   "Date", "UTC", "Band",    "Mode",   "Call",     "RST TX",  "RST RX",
    "DOK", "Name", "QTH", "Locator", "TX Pwr", "Comments", "QSL out", "QSL in"};
}

TQsoRecord qso(int n, const QByteArray& call) {
    TQsoRecord r;
    r[QsoField::Number] = QByteArray::number(n);
    r[QsoField::Date] = QByteArray::number(1 + n % 28).rightJustified(2, '0') + ".06.2004";
    r[QsoField::Utc] = QByteArray::number(n % 24).rightJustified(2, '0') + ":31:00";
    r[QsoField::Band] = n % 2 ? "2m" : "20m";
    r[QsoField::Mode] = n % 3 ? "FM" : "SSB";
    r[QsoField::Call] = call.isEmpty() ? "QX" + QByteArray::number(n) + "ABC" : call;
    r[QsoField::RstTx] = "59";
    r[QsoField::RstRx] = "59";
    r[QsoField::Dok] = "Z10";
    r[QsoField::Name] = "Erika";
    r[QsoField::Qth] = "Kiel";
    r[QsoField::Locator] = "JO54AH";
    r[QsoField::TxPwr] = "10W";
    return r;
}

QList<TQsoRecord> qsos(int count, int first) {
    QList<TQsoRecord> list;
    for (int n = first; n < first + count; ++n)
        list.append(qso(n));
    return list;
}

TQsoRecord record(std::initializer_list<std::pair<const char*, QByteArray>> fields) {
    TQsoRecord r;
    for (const auto& [name, value] : fields) {
        const auto at =
            std::find_if(std::begin(kNames), std::end(kNames),
                         [name = name](const char* n) { return qstrcmp(n, name) == 0; });
        if (at == std::end(kNames))
            throw std::invalid_argument(name);
        r.fields[at - std::begin(kNames)] = value;
    }
    return r;
}

QByteArray rawLog(const QList<QByteArray>& lines) {
    QByteArray out = QsoLine::kHeader + "\r\n";
    for (const QByteArray& line : lines)
        out += line + "\r\n";
    return out;
}

QByteArray logContent(const QList<TQsoRecord>& records) {
    QList<QByteArray> lines;
    for (const TQsoRecord& r : records)
        lines.append(QsoLine::join(r));
    return rawLog(lines);
}

void writeLog(const QString& path, const QList<TQsoRecord>& records) {
    QFile f(path);
    const QByteArray content = logContent(records);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(content) != content.size())
        throw std::runtime_error("cannot write test log");
}

QList<TQsoRecord> readLog(const QString& path) {
    QList<TQsoRecord> records;
    if (QFile::exists(path))
        TLogFile(path).forEachRecord([&](const TQsoRecord& r) { records.append(r); });
    return records;
}

} // namespace LogBuilder
