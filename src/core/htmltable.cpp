#include "htmltable.h"

#include "cp1252.h"
#include "utf8text.h"

#include <QString>

namespace HtmlTable {

namespace {

const char* const kTitles[kQsoFieldCount] = {
    "#",   "DATE", "UTC", "BAND",    "MODE",   "CALL",     "RST TX",  "RST RX",
    "DOK", "NAME", "QTH", "LOCATOR", "TX PWR", "COMMENTS", "QSL OUT", "QSL IN"};

bool startsWithNoCase(QByteArrayView text, qsizetype pos, QByteArrayView prefix) {
    return text.size() - pos >= prefix.size() &&
           qstrnicmp(text.data() + pos, prefix.data(), prefix.size()) == 0;
}

bool startsWith(QByteArrayView text, qsizetype pos, QByteArrayView prefix) {
    return text.sliced(pos).startsWith(prefix);
}

bool isControl(uint code) {
    return code < 0x20 || code == 0x7F;
}

// "&#65;" or "&#x41;" at pos: the character as Windows-1252 and the reference's length.
// A line feed or carriage return (or the pair) is a line break; another control character
// a blank, so that none reaches a field.
bool numericReference(QByteArrayView text, qsizetype pos, QByteArray& out, qsizetype& length,
                      bool& unmappable) {
    qsizetype i = pos + 2;
    const bool hex = i < text.size() && (text[i] == 'x' || text[i] == 'X');
    if (hex)
        ++i;
    const qsizetype digitsStart = i;
    uint code = 0;
    while (i < text.size() && i - digitsStart < 7) {
        const char c = text[i];
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (hex && ((c | 0x20) >= 'a' && (c | 0x20) <= 'f'))
            digit = (c | 0x20) - 'a' + 10;
        if (digit < 0)
            break;
        code = code * (hex ? 16 : 10) + digit;
        ++i;
    }
    if (i == digitsStart || i >= text.size() || text[i] != ';' || code > 0x10FFFF ||
        (code >= 0xD800 && code <= 0xDFFF))
        return false;
    length = i + 1 - pos;
    if (code == '\r' && text.sliced(pos + length).startsWith("&#10;"))
        return true; // the line feed that follows makes the one line break
    if (code == '\r' || code == '\n') {
        out += "\r\n";
    } else if (isControl(code)) {
        out += ' ';
    } else {
        const char32_t character = code;
        bool lost = false;
        out += toCp1252(transliterateForCp1252(QString::fromUcs4(&character, 1), &lost));
        unmappable = unmappable || lost;
    }
    return true;
}

QByteArray decodeCell(QByteArrayView raw, bool& unmappable) {
    QByteArray spaced;
    spaced.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] == '&' && startsWithNoCase(raw, i, "&nbsp;")) {
            spaced += ' ';
            i += 5;
        } else {
            spaced += raw[i];
        }
    }
    qsizetype first = 0;
    qsizetype last = spaced.size();
    while (first < last && static_cast<unsigned char>(spaced[first]) <= ' ')
        ++first;
    while (last > first && static_cast<unsigned char>(spaced[last - 1]) <= ' ')
        --last;
    const QByteArrayView trimmed = QByteArrayView(spaced).sliced(first, last - first);

    static const std::pair<QByteArrayView, QByteArrayView> kReplacements[] = {
        {"<br>", "\r\n"}, {"<br/>", "\r\n"}, {"<br />", "\r\n"}, {"&amp;", "&"},
        {"&lt;", "<"},    {"&gt;", ">"},     {"&quot;", "\""}};
    QByteArray out;
    out.reserve(trimmed.size());
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        const char c = trimmed[i];
        if (c != '<' && c != '&') {
            out += isControl(static_cast<unsigned char>(c)) ? ' ' : c;
            continue;
        }
        bool replaced = false;
        for (const auto& [from, to] : kReplacements) {
            if (startsWithNoCase(trimmed, i, from)) {
                out += to;
                i += from.size() - 1;
                replaced = true;
                break;
            }
        }
        qsizetype length = 0;
        if (!replaced && startsWith(trimmed, i, "&#") &&
            numericReference(trimmed, i, out, length, unmappable)) {
            i += length - 1;
            replaced = true;
        }
        if (!replaced)
            out += c;
    }
    return out;
}

// The table region with its line breaks dropped, as the lines of a spread cell join.
QByteArray tableText(QByteArrayView html) {
    const qsizetype table = html.indexOf("<table");
    if (table < 0)
        return {};
    const qsizetype lineStart = html.first(table).lastIndexOf('\n') + 1;
    QByteArray text;
    text.reserve(html.size() - lineStart);
    for (char c : html.sliced(lineStart)) {
        if (c != '\r' && c != '\n')
            text += c;
    }
    return text;
}

} // namespace

Grid load(QByteArrayView html) {
    if (html.startsWith(Utf8Text::kBom))
        html = html.sliced(Utf8Text::kBom.size());
    Grid grid;
    QByteArray converted;
    if (Utf8Text::isValid(html)) {
        for (char c : html) {
            if (static_cast<unsigned char>(c) >= 0x80) {
                converted = Utf8Text::toCp1252(html, &grid.unmappable);
                html = converted;
                break;
            }
        }
    }
    const QByteArray text = tableText(html);
    qsizetype pos = 0;
    int column = -1;
    while (pos < text.size()) {
        if (text[pos] != '<') {
            const qsizetype next = text.indexOf('<', pos);
            pos = next < 0 ? text.size() : next;
            continue;
        }
        if (startsWith(text, pos, "<table")) {
            const qsizetype close = text.indexOf('>', pos);
            if (close < 0)
                break;
            pos = close + 1;
        } else if (startsWith(text, pos, "</table>")) {
            break;
        } else if (startsWith(text, pos, "<tr>")) {
            grid.rows.append(QList<QByteArray>());
            column = -1;
            pos += 4;
        } else if (startsWith(text, pos, "<td>") || startsWith(text, pos, "<th>")) {
            ++column;
            const QByteArrayView closing = text[pos + 2] == 'd' ? "</td>" : "</th>";
            const qsizetype start = pos + 4;
            qsizetype end = text.indexOf(closing, start);
            if (end < 0)
                end = text.size();
            pos = end + closing.size();
            grid.columnCount = std::max(grid.columnCount, column + 1);
            // Cells before the first row have no row to go to.
            if (grid.rows.isEmpty())
                continue;
            QByteArray cell =
                decodeCell(QByteArrayView(text).sliced(start, end - start), grid.unmappable);
            // Empty cells are not stored: a row of thousands of them costs nothing.
            if (cell.isEmpty())
                continue;
            QList<QByteArray>& row = grid.rows.last();
            row.resize(column + 1);
            row[column] = std::move(cell);
        } else {
            ++pos;
        }
    }
    return grid;
}

const QList<QByteArray>& columnChoices() {
    static const QList<QByteArray> choices = {
        "00 - none",    "01 - #",      "02 - Date",     "03 - UTC",     "04 - Band",  "05 - Mode",
        "06 - Call",    "07 - RST TX", "08 - RST RX",   "09 - DOK",     "10 - Name",  "11 - QTH",
        "12 - Locator", "13 - TX Pwr", "14 - Comments", "15 - QSL out", "16 - QSL in"};
    return choices;
}

QList<int> assignByTitles(const QList<QByteArray>& titleRow, int columnCount) {
    QList<int> assignment(columnCount, 0);
    for (int c = 0; c < columnCount && c < titleRow.size(); ++c) {
        const QByteArray title = titleRow[c].toUpper();
        for (int f = 0; f < kQsoFieldCount; ++f) {
            if (title == kTitles[f])
                assignment[c] = f + 1;
        }
    }
    return assignment;
}

TQsoRecord recordFromRow(const QList<QByteArray>& row, const QList<int>& assignment) {
    TQsoRecord rec;
    for (int c = 0; c < row.size() && c < assignment.size(); ++c) {
        const int n = assignment[c];
        if (n >= 1 && n <= kQsoFieldCount)
            rec.fields[n - 1] = row[c];
    }
    return rec;
}

} // namespace HtmlTable
