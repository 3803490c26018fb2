#include "qsorepair.h"

#include "daluerror.h"
#include "germanformat.h"
#include "uitexts.h"

#include <cmath>

namespace QsoRepair {

namespace {

void toAsciiCase(QByteArray& text, bool upper) {
    for (char& c : text) {
        if (upper && c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        else if (!upper && c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
}

void note(TQsoRecord& rec, const QByteArray& oldValue) {
    rec[QsoField::Comments] += " / " + oldValue;
}

// ddmmyy -> dd.mm.yy, ddmmyyyy -> dd.mm.yyyy; other values stay.
QByteArray completeDate(const QByteArray& value) {
    if (value.contains('.'))
        return value;
    if (value.size() == 6 || value.size() == 8)
        return value.left(2) + '.' + value.mid(2, 2) + '.' + value.mid(4);
    return value;
}

// hhnn -> hh:nn, hhnnss -> hh:nn:ss; other values stay.
QByteArray completeTime(const QByteArray& value) {
    if (value.contains(':'))
        return value;
    if (value.size() == 4)
        return value.left(2) + ':' + value.mid(2);
    if (value.size() == 6)
        return value.left(2) + ':' + value.mid(2, 2) + ':' + value.mid(4);
    return value;
}

std::optional<QByteArray> convertDate(const QByteArray& value, QDate today) {
    const std::optional<QDate> date = GermanFormat::parseDate(completeDate(value), today);
    if (!date)
        return std::nullopt;
    return GermanFormat::formatDate(*date);
}

QByteArray scaledPower(const QByteArray& power, const char* unit, double factor) {
    const QByteArray number = power.left(power.indexOf(unit));
    const std::optional<double> value = GermanFormat::parseDecimal(number);
    // A value that overflows ("1e308KW") is as unreadable as no number at all.
    if (!value || !std::isfinite(*value * factor))
        throw DaluError(uiText("\"%1\" ist keine g\u00fcltige Leistungsangabe.")
                            .arg(QString::fromLatin1(power)));
    return GermanFormat::formatDecimal(*value * factor) + 'W';
}

void repairQslDate(TQsoRecord& rec, QsoField field, QDate today) {
    const QByteArray old = rec[field];
    if (old.isEmpty())
        return;
    if (std::optional<QByteArray> date = convertDate(old, today)) {
        rec[field] = *date;
    } else {
        note(rec, old);
        rec[field].clear();
    }
}

} // namespace

std::optional<QByteArray> normalisePower(const QByteArray& upperPower) {
    QByteArray power = upperPower;
    if (!power.endsWith('W')) {
        if (!GermanFormat::parseInteger(power) || power.endsWith(' '))
            return std::nullopt;
        power += 'W';
    }
    if (power.contains("MW"))
        return scaledPower(power, "MW", 0.001);
    if (power.contains("KW"))
        return scaledPower(power, "KW", 1000);
    return power;
}

QString problemText(Problem problem) {
    switch (problem) {
    case Problem::None:
        break;
    case Problem::TooManyFields:
        return uiText("mehr als 16 Felder");
    case Problem::NoDate:
        return uiText("kein lesbares Datum");
    case Problem::NoTime:
        return uiText("keine lesbare Uhrzeit");
    case Problem::NoCall:
        return uiText("kein Rufzeichen");
    }
    return {};
}

Problem normalise(TQsoRecord& rec, int number, QDate today) {
    rec[QsoField::Number] = QByteArray::number(number);
    toAsciiCase(rec[QsoField::Band], false);
    for (QsoField f :
         {QsoField::Mode, QsoField::Call, QsoField::Dok, QsoField::Locator, QsoField::TxPwr})
        toAsciiCase(rec[f], true);

    // No power is made up: an empty one stays empty, an unreadable one goes to the notes.
    QByteArray& power = rec[QsoField::TxPwr];
    if (!power.isEmpty()) {
        if (std::optional<QByteArray> converted = normalisePower(power)) {
            power = *converted;
        } else {
            note(rec, power);
            power.clear();
        }
    }

    // A QSO is a call at a moment: none of the three is ever made up.
    const std::optional<QByteArray> date = convertDate(rec[QsoField::Date], today);
    if (!date)
        return Problem::NoDate;
    rec[QsoField::Date] = *date;
    const std::optional<QTime> time = GermanFormat::parseTime(completeTime(rec[QsoField::Utc]));
    if (!time)
        return Problem::NoTime;
    rec[QsoField::Utc] = GermanFormat::formatTime(*time);
    if (rec[QsoField::Call].trimmed().isEmpty())
        return Problem::NoCall;

    repairQslDate(rec, QsoField::QslOut, today);
    repairQslDate(rec, QsoField::QslIn, today);
    return Problem::None;
}

} // namespace QsoRepair
