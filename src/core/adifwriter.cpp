#include "adifwriter.h"

#include "germanformat.h"

#include <cstdio>

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

QByteArray adifDate(const QByteArray& text, QDate today) {
    const QDate date = GermanFormat::parseDate(text, today).value_or(today);
    char buffer[16];
    const int n =
        std::snprintf(buffer, sizeof buffer, "%04d%02d%02d", date.year(), date.month(), date.day());
    return QByteArray(buffer, n);
}

QByteArray adifTime(const QByteArray& text, QTime now) {
    const QTime time = GermanFormat::parseTime(text).value_or(now);
    char buffer[16];
    const int n = std::snprintf(buffer, sizeof buffer, "%02d%02d%02d", time.hour(), time.minute(),
                                time.second());
    return QByteArray(buffer, n);
}

void qslPair(QByteArray& out, const QByteArray& qslDate, const char* dateTag, const char* flagTag,
             QDate today) {
    if (!qslDate.isEmpty()) {
        out += dateTag;
        out += adifDate(qslDate, today);
    }
    out += flagTag;
    out += qslDate.isEmpty() ? 'N' : 'Y';
}

} // namespace

QByteArray header() {
    return "This log was created with Dalu LogConverter - " + kWebAddress + "<EOH>\r\n\r\n";
}

QByteArray record(const TQsoRecord& rec, QDate today, QTime now) {
    QByteArray out;
    out.reserve(256);
    out += "<QSO_DATE:8>" + adifDate(rec[QsoField::Date], today);
    out += "<TIME_ON:6>" + adifTime(rec[QsoField::Utc], now);
    field(out, "BAND", rec[QsoField::Band]);
    field(out, "MODE", rec[QsoField::Mode]);
    field(out, "CALL", rec[QsoField::Call]);
    out += "\r\n";

    field(out, "RST_SENT", rec[QsoField::RstTx]);
    field(out, "RST_RCVD", rec[QsoField::RstRx]);
    optionalField(out, "DOK", rec[QsoField::Dok]);
    optionalField(out, "NAME", rec[QsoField::Name]);
    optionalField(out, "QTH", rec[QsoField::Qth]);
    out += "\r\n";

    optionalField(out, "GRIDSQUARE", rec[QsoField::Locator]);
    field(out, "TX_PWR", rec[QsoField::TxPwr].chopped(rec[QsoField::TxPwr].isEmpty() ? 0 : 1));
    optionalField(out, "COMMENT", rec[QsoField::Comments]);
    out += "\r\n";

    qslPair(out, rec[QsoField::QslOut], "<QSLSDATE:8>", "<QSL_SENT:1>", today);
    qslPair(out, rec[QsoField::QslIn], "<QSLRDATE:8>", "<QSL_RCVD:1>", today);
    out += "<EOR>\r\n";
    return out;
}

} // namespace AdifWriter
