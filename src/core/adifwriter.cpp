#include "adifwriter.h"

#include "adifnames.h"
#include "daluerror.h"
#include "germanformat.h"
#include "qsorepair.h"

#include <cstdio>
#include <optional>

namespace AdifWriter {

const QByteArray kWebAddress = "https://dalu.example.org/";

namespace {

// A value on one line: every line break (CR LF, lone CR, lone LF) becomes one blank.
QByteArray oneLine(const QByteArray& value) {
    if (!value.contains('\r') && !value.contains('\n'))
        return value;
    return QByteArray(value).replace("\r\n", " ").replace('\r', ' ').replace('\n', ' ');
}

void field(QByteArray& out, const char* tag, const QByteArray& rawValue) {
    const QByteArray value = oneLine(rawValue);
    out += '<';
    out += tag;
    out += ':';
    out += QByteArray::number(value.size());
    out += '>';
    out += value;
}

void optionalField(QByteArray& out, const char* tag, const QByteArray& value) {
    if (!value.isEmpty())
        field(out, tag, value);
}

// Nothing is made up for a date or time the log cannot read: its tag is left out.
std::optional<QByteArray> adifDate(const QByteArray& text, QDate today) {
    const std::optional<QDate> date = GermanFormat::parseDate(text, today);
    if (!date)
        return std::nullopt;
    char buffer[16];
    const int n = std::snprintf(buffer, sizeof buffer, "%04d%02d%02d", date->year(), date->month(),
                                date->day());
    return QByteArray(buffer, n);
}

std::optional<QByteArray> adifTime(const QByteArray& text) {
    const std::optional<QTime> time = GermanFormat::parseTime(text);
    if (!time)
        return std::nullopt;
    char buffer[16];
    const int n = std::snprintf(buffer, sizeof buffer, "%02d%02d%02d", time->hour(), time->minute(),
                                time->second());
    return QByteArray(buffer, n);
}

// ADIF numbers use a decimal point: "0,5W" is written 0.5, "500mW" too. A power that
// reads as no number of watts is not written: other programs would take it for one.
std::optional<QByteArray> adifPower(const QByteArray& power) {
    if (power.isEmpty())
        return std::nullopt;
    std::optional<QByteArray> watts;
    try {
        watts = QsoRepair::normalisePower(QByteArray(power).replace('.', ',').toUpper());
    } catch (const DaluError&) {
    }
    if (!watts || !watts->endsWith('W'))
        return std::nullopt;
    const std::optional<double> value = GermanFormat::parseDecimal(watts->chopped(1));
    if (!value)
        return std::nullopt;
    return GermanFormat::formatDecimal(*value).replace(',', '.');
}

// "01.01.1901" marks a card sent or received on an unknown day: only the flag says so.
const QByteArray kUnknownQslDay = "01.01.1901";

void qslPair(QByteArray& out, const QByteArray& qslDate, const char* dateTag, const char* flagTag,
             QDate today) {
    if (qslDate != kUnknownQslDay) {
        if (const std::optional<QByteArray> date = adifDate(qslDate, today)) {
            out += dateTag;
            out += *date;
        }
    }
    out += flagTag;
    out += qslDate.isEmpty() ? 'N' : 'Y';
}

} // namespace

QByteArray header() {
    return "This log was created with Dalu LogConverter - " + kWebAddress + "<EOH>\r\n\r\n";
}

QByteArray record(const TQsoRecord& rec, QDate today) {
    QByteArray out;
    out.reserve(256);
    if (const std::optional<QByteArray> date = adifDate(rec[QsoField::Date], today))
        out += "<QSO_DATE:8>" + *date;
    if (const std::optional<QByteArray> time = adifTime(rec[QsoField::Utc]))
        out += "<TIME_ON:6>" + *time;
    field(out, "BAND", AdifNames::bandToAdif(rec[QsoField::Band]));
    const AdifNames::AdifMode mode = AdifNames::modeToAdif(rec[QsoField::Mode]);
    field(out, "MODE", mode.mode);
    optionalField(out, "SUBMODE", mode.submode);
    field(out, "CALL", rec[QsoField::Call]);
    out += "\r\n";

    field(out, "RST_SENT", rec[QsoField::RstTx]);
    field(out, "RST_RCVD", rec[QsoField::RstRx]);
    optionalField(out, "DOK", rec[QsoField::Dok]);
    optionalField(out, "DARC_DOK", rec[QsoField::Dok]); // the standard's name for it
    optionalField(out, "NAME", rec[QsoField::Name]);
    optionalField(out, "QTH", rec[QsoField::Qth]);
    out += "\r\n";

    optionalField(out, "GRIDSQUARE", rec[QsoField::Locator]);
    if (const std::optional<QByteArray> power = adifPower(rec[QsoField::TxPwr]))
        field(out, "TX_PWR", *power);
    optionalField(out, "COMMENT", rec[QsoField::Comments]);
    out += "\r\n";

    qslPair(out, rec[QsoField::QslOut], "<QSLSDATE:8>", "<QSL_SENT:1>", today);
    qslPair(out, rec[QsoField::QslIn], "<QSLRDATE:8>", "<QSL_RCVD:1>", today);
    out += "<EOR>\r\n";
    return out;
}

} // namespace AdifWriter
