#include "confirmations.h"

#include "atomicfilewriter.h"
#include "daluerror.h"
#include "germanformat.h"
#include "uitexts.h"

#include <QFile>
#include <QHash>
#include <QStringList>

#include <algorithm>
#include <array>

namespace {

constexpr std::array<const char*, 4> kSourceTexts = {"LoTW", "eQSL", "LoTW-out", "eQSL-out"};
constexpr QsoField kKeyFields[] = {QsoField::Date, QsoField::Utc, QsoField::Call};

QByteArray keyOf(QByteArrayView date, QByteArrayView utc, QByteArrayView call) {
    return date.toByteArray() + ';' + utc.toByteArray() + ';' + call.toByteArray().toUpper();
}

std::optional<int> numberOf(QByteArrayView text) {
    const std::optional<long long> n = GermanFormat::parseInteger(text);
    if (!n || *n < 0 || *n > 100000000)
        return std::nullopt;
    return int(*n);
}

} // namespace

namespace ConfirmFile {

QString pathFor(const QString& logPath) {
    return logPath + QStringLiteral(".confirm");
}

QByteArray sourceText(ConfirmSource source) {
    return kSourceTexts[size_t(source)];
}

QList<Confirmation> parse(QByteArrayView bytes, const QString& path) {
    QList<Confirmation> list;
    int lineNumber = 0;
    for (QByteArrayView line : QByteArray::fromRawData(bytes.data(), bytes.size()).split('\n')) {
        ++lineNumber;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        const QList<QByteArray> f = line.toByteArray().split(';');
        Confirmation c;
        const std::optional<int> number = f.size() == 6 ? numberOf(f[0]) : std::nullopt;
        const auto source = std::find(kSourceTexts.begin(), kSourceTexts.end(), f.value(4));
        if (!number || source == kSourceTexts.end() || !GermanFormat::parseDate(f[1]) ||
            !GermanFormat::parseTime(f[2]) || f[3].isEmpty() || !GermanFormat::parseDate(f[5]))
            throw DaluError(uiText("%1, Zeile %2: keine Best\u00e4tigung")
                                .arg(path, QString::number(lineNumber)));
        c.number = *number;
        c.date = f[1];
        c.utc = f[2];
        c.call = f[3];
        c.source = ConfirmSource(source - kSourceTexts.begin());
        c.on = f[5];
        list.append(std::move(c));
    }
    return list;
}

QByteArray format(const QList<Confirmation>& list) {
    QByteArray out;
    for (const Confirmation& c : list)
        out += QByteArray::number(c.number) + ';' + c.date + ';' + c.utc + ';' + c.call + ';' +
               sourceText(c.source) + ';' + c.on + "\r\n";
    return out;
}

QList<Confirmation> load(const QString& path) {
    QFile file(path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        throw DaluError::io(uiText("Fehler beim \u00d6ffnen von"), path, file.errorString());
    return parse(file.readAll(), path);
}

void update(const QString& path, const std::function<void(QList<Confirmation>&)>& change) {
    // The writer takes the lock before the file is read: nobody writes in between.
    AtomicFileWriter writer(path);
    QList<Confirmation> list = load(path);
    change(list);
    writer.write(format(list));
    writer.commit();
}

void attach(QList<Confirmation>& list, const QList<CompactQso>& log) {
    auto field = [](const CompactQso& q, QsoField f) { return q.field(int(f)); };
    auto same = [&](const Confirmation& c, const CompactQso& q) {
        return field(q, QsoField::Date) == c.date && field(q, QsoField::Utc) == c.utc &&
               field(q, QsoField::Call).compare(c.call, Qt::CaseInsensitive) == 0;
    };
    QHash<int, qsizetype> byNumber;
    QHash<QByteArray, int> byKey;
    for (qsizetype i = 0; i < log.size(); ++i) {
        if (const std::optional<int> n = numberOf(field(log[i], QsoField::Number)))
            byNumber.insert(*n, i);
    }
    for (Confirmation& c : list) {
        const auto at = byNumber.constFind(c.number);
        if (at != byNumber.constEnd() && same(c, log[*at]))
            continue;
        if (byKey.isEmpty()) {
            for (const CompactQso& q : log) {
                const std::optional<int> n = numberOf(field(q, QsoField::Number));
                byKey.insert(keyOf(field(q, kKeyFields[0]), field(q, kKeyFields[1]),
                                   field(q, kKeyFields[2])),
                             n.value_or(0));
            }
        }
        c.number = byKey.value(keyOf(c.date, c.utc, c.call), 0);
    }
}

QString describe(const QList<Confirmation>& list, QByteArrayView date, QByteArrayView utc,
                 QByteArrayView call) {
    QStringList parts;
    for (const Confirmation& c : list) {
        if (c.date == date && c.utc == utc && call.compare(c.call, Qt::CaseInsensitive) == 0)
            parts.append(QString::fromLatin1(sourceText(c.source) + ' ' + c.on));
    }
    return parts.join(QStringLiteral(", "));
}

} // namespace ConfirmFile

ConfirmedBy::ConfirmedBy(ConfirmRule rule, const QList<Confirmation>& list) {
    for (const Confirmation& c : list) {
        const bool counts = (c.source == ConfirmSource::Lotw && rule != ConfirmRule::Paper) ||
                            (c.source == ConfirmSource::Eqsl && rule == ConfirmRule::PaperLotwEqsl);
        if (!counts || c.number <= 0)
            continue;
        if (size_t(c.number) >= m_numbers.size())
            m_numbers.resize(size_t(c.number) + 1);
        m_numbers[size_t(c.number)] = true;
    }
}

bool ConfirmedBy::electronic(QByteArrayView number) const {
    size_t n = 0;
    for (const char c : number) {
        if (c < '0' || c > '9')
            return false;
        n = n * 10 + size_t(c - '0');
        if (n >= m_numbers.size())
            return false;
    }
    return !number.isEmpty() && m_numbers[n];
}
