#include "htmlexport.h"

#include "adifwriter.h"
#include "cp1252.h"

namespace HtmlExport {

namespace {

const char* const kTitles[kQsoFieldCount] = {
    "#",   "Date", "UTC", "Band",    "Mode",   "Call",     "RST TX",  "RST RX",
    "DOK", "Name", "QTH", "Locator", "TX Pwr", "Comments", "QSL out", "QSL in"};

bool isBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

void cell(QByteArray& out, const char* tag, const QByteArray& text) {
    out += "  <";
    out += tag;
    out += '>';
    out += escape(text);
    out += "</";
    out += tag;
    out += ">\r\n";
}

} // namespace

QByteArray escape(const QByteArray& text) {
    QByteArray out;
    out.reserve(text.size() + 16);
    // The import trims blanks at the cell's ends; as references they survive.
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && isBlankOrControl(text[first]))
        ++first;
    while (last > first && isBlankOrControl(text[last - 1]))
        --last;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out += "<br>";
            ++i;
        } else if (c == '&') {
            out += "&amp;";
        } else if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else if (c == '"') {
            out += "&quot;";
        } else if (static_cast<unsigned char>(c) >= 0x80 ||
                   (isBlankOrControl(c) && (c != ' ' || i < first || i >= last))) {
            // Beyond ASCII as references: the page then reads the same in any charset.
            out +=
                "&#" + QByteArray::number(fromCp1252(QByteArrayView(&c, 1)).at(0).unicode()) + ';';
        } else {
            out += c;
        }
    }
    return out;
}

QByteArray documentStart(const QStringList& logNames) {
    // File names are Unicode, whatever the log's charset: every character beyond ASCII
    // as its reference.
    QByteArray names;
    for (const char32_t c : logNames.join(QStringLiteral(" / ")).toUcs4()) {
        if (c == ' ')
            names += ' ';
        else if (c < 0x80)
            names += escape(QByteArray(1, char(c)));
        else
            names += "&#" + QByteArray::number(uint(c)) + ';';
    }
    QByteArray out = "<html>\r\n<head>\r\n<title>" + names + "</title>\r\n</head>\r\n<h1>" + names +
                     "</h1>\r\n<body>\r\n<table border=\"1\">\r\n <tr>\r\n";
    for (const char* title : kTitles)
        cell(out, "th", title);
    out += " </tr>\r\n";
    return out;
}

QByteArray row(const TQsoRecord& rec) {
    QByteArray out = " <tr>\r\n";
    for (const QByteArray& field : rec.fields)
        cell(out, "td", field);
    out += " </tr>\r\n";
    return out;
}

QByteArray documentEnd(const QByteArray& createdWith) {
    QByteArray link = AdifWriter::kWebAddress;
    const qsizetype scheme = link.indexOf("://");
    const QByteArray text = scheme < 0 ? link : link.mid(scheme + 3);
    return "</table>\r\n<p align=\"right\">" + escape(createdWith) + " - <a href=\"" + link +
           "\" target=\"_new\">" + text + "</a></p>\r\n</body>\r\n</html>\r\n";
}

} // namespace HtmlExport
