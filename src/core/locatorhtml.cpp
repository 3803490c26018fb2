#include "locatorhtml.h"

#include "atomicfilewriter.h"
#include "cp1252.h"

namespace LocatorHtml {

namespace {

QString escaped(const QString& text) {
    return text.toHtmlEscaped();
}

const char* const kStyle[] = {
    "<style type=\"text/css\"><!--",
    "body {margin:2px; color:#000000; background-color:#FFFFFF; font-family: MS Sans Serif, "
    "sans-serif; font-size:8pt;} ",
    "p {color:#000000; background-color:#FFFFFF; font-family: MS Sans Serif, sans-serif; "
    "font-size:8pt;}",
    "table {border-width:0px; color:#000000; background-color:#FFFFFF; font-family: MS Sans "
    "Serif, sans-serif; font-size:8pt; border-collapse:collapse;}",
    "tr {border-width:0px;}",
    "td.l {margin:0px; padding:1px; border:solid 1px #C0C0C0; color:#000000; "
    "background-color:#FFFFFF; font-family: MS Sans Serif, sans-serif; font-size:8pt; "
    "width:200px; height:18px; text-align:center; vertical-align:middle;}",
    "td {margin:0px; padding:1px; border:solid 1px #C0C0C0; color:#000000; "
    "background-color:#FFFFFF; font-family: MS Sans Serif, sans-serif; font-size:8pt; "
    "width:30px; height:30px; text-align:center; vertical-align:middle;}",
    "--></style>"};

QString cell(const char* cellClass, const LocatorSquares::Square& square) {
    return QStringLiteral(" <td%1 style=\"background-color:%2\">%3</td>")
        .arg(QLatin1String(cellClass), LocatorSquares::htmlColour(square.colour),
             escaped(square.text));
}

} // namespace

QByteArray document(const Options& options, const QList<LocatorSquares::Square>& list,
                    const LocatorSquares::Table& table) {
    QStringList lines{
        QStringLiteral("<!doctype html public \"-//W3C//DTD HTML 4.01 Transitional//EN\">"),
        QStringLiteral("<html>"), QStringLiteral("<head>"),
        options.titleHead + escaped(options.ownCall) + QStringLiteral("</title>")};
    for (const char* line : kStyle)
        lines.append(QLatin1String(line));
    lines << QStringLiteral("</head>")
          << (options.forPrinting ? QStringLiteral("<body onLoad=\"window.print();\">")
                                  : QStringLiteral("<body>"));
    if (options.withList) {
        lines.append(QStringLiteral("<table>"));
        for (const LocatorSquares::Square& square : list)
            lines << QStringLiteral("<tr>") << cell(" class=\"l\"", square)
                  << QStringLiteral("</tr>");
        lines.append(QStringLiteral("</table>"));
    }
    if (options.withList && options.withTable)
        lines.append(QStringLiteral("<p>&nbsp;</p>"));
    if (options.withTable) {
        lines.append(QStringLiteral("<table>"));
        for (int row = 0; row < table.rows; ++row) {
            lines.append(QStringLiteral("<tr>"));
            for (int column = 0; column < table.columns; ++column)
                lines.append(cell("", table.at(column, row)));
            lines.append(QStringLiteral("</tr>"));
        }
        lines.append(QStringLiteral("</table>"));
    }
    lines << QStringLiteral("</body>") << QStringLiteral("</html>");
    QByteArray out;
    for (const QString& line : lines)
        out += toCp1252(line) + "\r\n";
    return out;
}

void save(const QString& path, const QByteArray& document) {
    AtomicFileWriter writer(path);
    writer.write(document);
    writer.commit();
}

} // namespace LocatorHtml
