#include "qsosearch.h"
#include "uitexts.h"

#include "cp1252.h"
#include "daluerror.h"
#include "germanformat.h"
#include "logfile.h"

namespace QsoSearch {

namespace {

constexpr int kDate = static_cast<int>(QsoField::Date);
constexpr int kUtc = static_cast<int>(QsoField::Utc);
constexpr int kTxPwr = static_cast<int>(QsoField::TxPwr);
constexpr int kComments = static_cast<int>(QsoField::Comments);
constexpr int kQslOut = static_cast<int>(QsoField::QslOut);
constexpr int kQslIn = static_cast<int>(QsoField::QslIn);

char upperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

QByteArray upperAscii(QByteArray text) {
    for (char& c : text)
        c = upperAscii(c);
    return text;
}

// Both sides compared with a to z upper-cased; upper is already upper-cased.
bool equalsUpper(QByteArrayView value, QByteArrayView upper) {
    if (value.size() != upper.size())
        return false;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (upperAscii(value[i]) != upper[i])
            return false;
    }
    return true;
}

bool containsUpper(QByteArrayView value, QByteArrayView upper) {
    for (qsizetype start = 0; start + upper.size() <= value.size(); ++start) {
        if (equalsUpper(value.sliced(start, upper.size()), upper))
            return true;
    }
    return false;
}

// The unit of a power value is dropped before it is read. A value typed without it is
// read whole, rather than losing its last digit.
QByteArrayView withoutUnit(QByteArrayView power) {
    if (!power.isEmpty() && upperAscii(power.back()) == 'W')
        power.chop(1);
    return power;
}

QString unreadableText(int field, const QString& text) {
    switch (field) {
    case kNumberField:
        return uiText("\"%1\" ist keine g\u00fcltige ganze Zahl.").arg(text);
    case kUtc:
        return uiText("\"%1\" ist keine g\u00fcltige Uhrzeit (hh:nn:ss).").arg(text);
    case kTxPwr:
        return uiText("\"%1\" ist keine g\u00fcltige Leistung (z.B. 0,5W).").arg(text);
    default:
        return uiText("\"%1\" ist kein g\u00fcltiges Datum (dd.mm.yyyy).").arg(text);
    }
}

} // namespace

const QStringList& operatorNames() {
    static const QStringList names = {QStringLiteral("ist"),
                                      QStringLiteral("ist nicht"),
                                      QStringLiteral("enth\u00e4lt"),
                                      QStringLiteral("enth\u00e4lt nicht"),
                                      QStringLiteral("ist gr\u00f6\u00dfer als"),
                                      QStringLiteral("ist kleiner als")};
    return names;
}

bool isOrderedField(int field) {
    return field == kNumberField || field == kDate || field == kUtc || field == kTxPwr ||
           field == kQslOut || field == kQslIn;
}

bool isOrderedOperator(Operator op) {
    return op == Operator::Greater || op == Operator::Less;
}

std::optional<double> orderKey(int field, QByteArrayView text, QDate today) {
    if (text.isEmpty())
        return std::nullopt;
    switch (field) {
    case kNumberField:
        if (const auto n = GermanFormat::parseInteger(text))
            return static_cast<double>(*n);
        return std::nullopt;
    case kDate:
    case kQslOut:
    case kQslIn:
        if (const auto d = GermanFormat::parseDate(text, today))
            return static_cast<double>(d->toJulianDay());
        return std::nullopt;
    case kUtc:
        if (const auto t = GermanFormat::parseTime(text))
            return t->msecsSinceStartOfDay();
        return std::nullopt;
    case kTxPwr:
        return GermanFormat::parseDecimal(withoutUnit(text));
    default:
        return std::nullopt;
    }
}

DxccCache::DxccCache(const QString& dxccIniPath) : m_ini(TReferenceIni::cached(dxccIniPath)) {}

QByteArray DxccCache::entityOf(QByteArrayView call) {
    if (call.size() < 3)
        return {};
    const QByteArray prefix = call.first(3).toByteArray();
    auto found = m_byPrefix.constFind(prefix);
    if (found == m_byPrefix.constEnd())
        found = m_byPrefix.insert(prefix, toCp1252(CallToDxcc(fromCp1252(prefix), *m_ini)));
    return *found;
}

TQsoSearch::TQsoSearch(const QList<Criterion>& criteria, const QString& dxccIniPath)
    : m_dxcc(dxccIniPath), m_today(QDate::currentDate()) {
    for (const Criterion& c : criteria) {
        Prepared p{c.field, c.op, upperAscii(toCp1252(c.text))};
        if (isOrderedOperator(c.op) && isOrderedField(c.field)) {
            const auto key = orderKey(c.field, toCp1252(c.text), m_today);
            if (!key)
                throw DaluError(unreadableText(c.field, c.text));
            p.key = *key;
        }
        m_needsDxcc = m_needsDxcc || c.field == kDxccField;
        m_criteria.append(p);
    }
}

bool TQsoSearch::passes(const Prepared& c, QByteArrayView value) const {
    switch (c.op) {
    case Operator::Is:
        return equalsUpper(value, c.upperText);
    case Operator::IsNot:
        return !equalsUpper(value, c.upperText);
    case Operator::Contains:
        return containsUpper(value, c.upperText);
    case Operator::ContainsNot:
        return !containsUpper(value, c.upperText);
    case Operator::Greater:
    case Operator::Less:
        break;
    }
    if (!isOrderedField(c.field)) {
        // Without an order of its own a field compares as upper-cased text.
        const QByteArray upper = upperAscii(value.toByteArray());
        return c.op == Operator::Greater ? upper > c.upperText : upper < c.upperText;
    }
    // An empty or unreadable stored value has no place in the order: it never passes,
    // so one damaged record does not stop the search of the whole log.
    const auto key = orderKey(c.field, value, m_today);
    if (!key)
        return false;
    return c.op == Operator::Greater ? *key > c.key : *key < c.key;
}

template <typename FieldOf> bool TQsoSearch::matchesFields(FieldOf&& fieldOf) {
    QByteArray dxcc;
    if (m_needsDxcc)
        dxcc = m_dxcc.entityOf(fieldOf(kCallField));
    for (const Prepared& c : m_criteria) {
        const QByteArrayView value =
            c.field == kDxccField ? QByteArrayView(dxcc) : QByteArrayView(fieldOf(c.field));
        if (!passes(c, value))
            return false;
    }
    return true;
}

bool TQsoSearch::matches(const TQsoRecord& record) {
    return matchesFields([&](int field) { return QByteArrayView(record.fields[field]); });
}

bool TQsoSearch::matches(const CompactQso& qso) {
    QByteArray comments; // the stored line keeps "#13#10"; the record's line breaks count
    return matchesFields([&](int field) {
        const QByteArrayView value = qso.field(field);
        if (field != kComments || !value.contains(QByteArrayView("#13#10")))
            return value;
        comments = value.toByteArray().replace("#13#10", "\r\n");
        return QByteArrayView(comments);
    });
}

void TQsoSearch::findIn(const QsoSource& log, QList<CompactQso>& hits, QList<int>& positions) {
    int position = 0;
    log.forEach([&](const CompactQso& qso, int) {
        ++position;
        if (matches(qso)) {
            hits.append(qso.shownInList());
            positions.append(position);
        }
    });
}

} // namespace QsoSearch
