#pragma once

#include "compactqso.h"
#include "dxcc.h"
#include "qsorecord.h"
#include "qsosource.h"
#include "referenceini.h"

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class TLogFile;

// The search over the open log: up to five criteria joined by "and", each a field, an
// operator and a text.
namespace QsoSearch {

// Positions of the field list: the sixteen record fields, then the DXCC entity of the call.
inline constexpr int kFieldCount = 17;
inline constexpr int kNumberField = 0;
inline constexpr int kCallField = static_cast<int>(QsoField::Call);
inline constexpr int kDxccField = 16;

// Positions of the operator list.
enum class Operator { Is, IsNot, Contains, ContainsNot, Greater, Less };
inline constexpr int kOperatorCount = 6;

// The operator list in German, as it stands until a language file replaces it.
const QStringList& operatorNames();

// Only "#", "Date", "UTC", "TX Pwr", "QSL Out" and "QSL In" have an order.
bool isOrderedField(int field);
bool isOrderedOperator(Operator op);

struct Criterion {
    int field = kNumberField;
    Operator op = Operator::Is;
    QString text;
};

// The DXCC entity of each call for the length of one search or evaluation. The entity
// depends only on the first three characters, so each prefix is looked up once, in the
// reference file as it was when the cache was made.
class DxccCache {
public:
    explicit DxccCache(const QString& dxccIniPath);
    QByteArray entityOf(QByteArrayView call); // Windows-1252, like the fields

private:
    std::shared_ptr<const TReferenceIni> m_ini;
    QHash<QByteArray, QByteArray> m_byPrefix;
};

// The criteria prepared once: search texts converted, so that a text that cannot be read
// stops the search before the log is read rather than after some rows were listed.
class TQsoSearch {
public:
    // Throws DaluError naming the text when an ordered comparison's text cannot be read.
    explicit TQsoSearch(const QList<Criterion>& criteria,
                        const QString& dxccIniPath = defaultDxccIniPath());

    bool matches(const TQsoRecord& record);
    bool matches(const CompactQso& qso);

    // Reads the whole log and appends every hit to hits in its list form, with its position
    // in the file (1 ...) to positions. On a read error the hits so far stay and it throws.
    void findIn(const QsoSource& log, QList<CompactQso>& hits, QList<int>& positions);
    void findIn(TLogFile& log, QList<CompactQso>& hits, QList<int>& positions) {
        findIn(LogFileSource(log), hits, positions);
    }

private:
    struct Prepared {
        int field;
        Operator op;
        QByteArray upperText; // Windows-1252, a to z upper-cased
        double key = 0;       // ordered operators only
    };

    template <typename FieldOf> bool matchesFields(FieldOf&& fieldOf);
    bool passes(const Prepared& c, QByteArrayView value) const;

    QList<Prepared> m_criteria;
    DxccCache m_dxcc;
    QDate m_today; // taken once: the clock is not read for every QSO
    bool m_needsDxcc = false;
};

// The value of an ordered field as it is compared ("#" and times as whole numbers, dates as
// day numbers, power in watts); nothing when it cannot be read, an empty value included.
// Two-digit years and dates without a year are read relative to today.
std::optional<double> orderKey(int field, QByteArrayView text, QDate today);

} // namespace QsoSearch
