#include "adifvalues.h"

#include "daluerror.h"
#include "germanformat.h"
#include "qsorepair.h"

#include <algorithm>
#include <optional>

namespace AdifValues {

void normaliseLineBreaks(TQsoRecord& rec) {
    for (int i = 0; i < kQsoFieldCount; ++i) {
        QByteArray& f = rec.fields[i];
        if (f.isEmpty() || (!f.contains('\r') && !f.contains('\n')))
            continue;
        if (i == static_cast<int>(QsoField::Comments)) {
            f.replace("\r\n", "\n").replace('\r', '\n').replace("\n", "\r\n");
        } else {
            f.replace("\r\n", " ").replace('\r', ' ').replace('\n', ' ');
        }
    }
}

QByteArray importPower(const QByteArray& raw, TQsoRecord& rec) {
    if (!raw.isEmpty() &&
        std::all_of(raw.begin(), raw.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return raw + 'W';
    QByteArray power = raw.trimmed();
    if (power.isEmpty())
        return {};
    power.replace('.', ',');
    const QByteArray upper = power.toUpper(); // ASCII letters only, as Repair does
    if (!upper.endsWith('W') && GermanFormat::parseDecimal(power))
        return power + 'W';
    std::optional<QByteArray> converted;
    try {
        converted = QsoRepair::normalisePower(upper);
    } catch (const DaluError&) {
    }
    if (converted)
        return power;
    rec[QsoField::Comments] += " / " + upper;
    return {};
}

} // namespace AdifValues
