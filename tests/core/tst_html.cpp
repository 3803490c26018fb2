#include "cp1252.h"
#include "htmlexport.h"
#include "htmltable.h"
#include "logbuilder.h"
#include "testdata.h"

#include <QStringDecoder>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

class TestHtml : public QObject {
    Q_OBJECT
private slots:
    void cellText_data() {
        columns<QByteArray, QByteArray>("cell", "text");
        const auto row = [](const char* name, const QByteArray& cell, const QByteArray& text) {
            QTest::newRow(name) << cell << text;
        };
        row("nbsp any case, trimmed", " &NBSP;ab\t", "ab");
        row("entities", "a &amp; b &lt;b&gt; &quot;x&quot;", "a & b <b> \"x\"");
        row("no double decode", "&amp;lt;", "&lt;");
        row("numeric references", "&#252;&#x41;&#32;", "\xFC\x41 ");
        row("unknown entity stays", "&copy; &#xZZ;", "&copy; &#xZZ;");
        row("br is a line break", "abc<br>def<BR/>g", "abc\r\ndef\r\ng");
        row("raw line break joins", "abc\r\ndef", "abcdef");
        row("other tags stay", "<b>x</b>", "<b>x</b>");
        row("line feed and return references", "a&#13;&#10;b&#10;c&#xD;d", "a\r\nb\r\nc\r\nd");
        row("other control characters are blanks", "a&#0;b&#9;c\001d\te", "a b c d e");
        row("references transliterated", "Ji&#345;&#237; &#321;&#x151;d&#378;", "Jir\xED Lodz");
        row("UTF-8 file transliterated", "Ji\xC5\x99\xC3\xAD", "Jir\xED");
    }
    void cellText() {
        QFETCH(QByteArray, cell);
        const auto table = [](const QByteArray& cell) {
            return "<html><body>\r\n<table border=\"1\">\r\n <tr>\r\n  <td>" + cell +
                   "</td>\r\n </tr>\r\n</table>\r\n";
        };
        const HtmlTable::Grid grid = HtmlTable::load(table(cell));
        QCOMPARE(grid.rows.size(), 1);
        QTEST(grid.rows[0].value(0), "text");
        QVERIFY(!grid.unmappable);
        QVERIFY(HtmlTable::load(table(cell + "&#x4E00;")).unmappable);
    }

    void tableShapes_data() {
        columns<QByteArray, int, int, int>("html", "rows", "columns", "cells");
        const auto row = [](const char* name, const QByteArray& html, int rows, int columns,
                            int cells) { QTest::newRow(name) << html << rows << columns << cells; };
        row("upper-case tags load nothing", "<TABLE>\r\n<TR><TD>a</TD></TR>\r\n</TABLE>", 0, 0, 0);
        row("no table", "<html><p>hi</p></html>", 0, 0, 0);
        row("table tag without end", "<table border=\"1\"", 0, 0, 0);
        row("cell without end tag", "<table><tr><td>abc", 1, 1, 1);
        row("rows not padded",
            "<table>\n<tr><td>a</td><td>b</td></tr>\n<tr><td>c</td></tr></table>", 2, 2, 3);
        row("td with attributes skipped",
            "<table><tr><td align=\"right\">a</td><td>b</td></tr></table>", 1, 1, 1);
        row("second table ignored",
            "<table><tr><td>a</td></tr></table><table><tr><td>b</td><td>c</td></tr>", 1, 1, 1);
        row("one wide row, many empty rows",
            "<table><tr>" + QByteArray("<td></td>").repeated(12000) + "<td>x</td></tr>" +
                QByteArray("<tr></tr>").repeated(12000) + "</table>",
            12001, 12001, 1);
    }
    void tableShapes() {
        QFETCH(int, rows);
        QFETCH(int, columns);
        const HtmlTable::Grid grid = HtmlTable::load(fetched<QByteArray>("html"));
        QCOMPARE(grid.rows.size(), rows);
        QCOMPARE(grid.columnCount, columns);
        // Cells are kept as the file has them, never rows times the widest row.
        qsizetype kept = 0;
        int filled = 0;
        for (const QList<QByteArray>& row : grid.rows) {
            kept += row.size();
            filled +=
                int(std::count_if(row.begin(), row.end(), [](auto& c) { return !c.isEmpty(); }));
        }
        QVERIFY(kept <= columns + rows);
        QTEST(filled, "cells");
    }

    // The export read by our own import gives the records back byte for byte; read by a real
    // HTML parser (in the charset the page declares, else UTF-8) every cell shows the field.
    void exportedDocumentReadsBack() {
        TQsoRecord tricky = LogBuilder::qso(2);
        tricky[QsoField::Comments] = "  <b>a & b</b> \"q\"\r\nline two\r\n";
        tricky[QsoField::Name] = "J\xFCrgen \x80 \x81";
        tricky[QsoField::Qth] = "&nbsp; &amp;";
        const QList<TQsoRecord> records = {LogBuilder::qso(1), tricky};
        const QString names[] = {"a&b.log",
                                 QString::fromUtf8("M\xC3\xBCll Ji\xC5\x99\xC3\xAD.log")};
        QByteArray html = HtmlExport::documentStart({names[0], names[1]});
        for (const TQsoRecord& r : records)
            html += HtmlExport::row(r);
        html += HtmlExport::documentEnd("Erstellt mit Dalu LogConverter");
        const QByteArray title = "a&amp;b.log / M&#252;ll Ji&#345;&#237;.log";
        QVERIFY(html.startsWith(
            "<html>\r\n<head>\r\n<title>" + title + "</title>\r\n</head>\r\n<h1>" + title +
            "</h1>\r\n<body>\r\n<table border=\"1\">\r\n <tr>\r\n  <th>#</th>\r\n"));
        QVERIFY(html.contains("&lt;b&gt;a &amp; b&lt;/b&gt; &quot;q&quot;<br>line two<br>"));
        QVERIFY(html.endsWith("</table>\r\n<p align=\"right\">Erstellt mit Dalu LogConverter - <a "
                              "href=\"https://dalu.example.org/\" target=\"_new\">dalu.example.org/"
                              "</a></p>\r\n</body>\r\n</html>\r\n"));
        const HtmlTable::Grid grid = HtmlTable::load(html);
        QCOMPARE(grid.rows.size(), 3);
        QCOMPARE(grid.columnCount, kQsoFieldCount);
        const QList<int> assignment = HtmlTable::assignByTitles(grid.rows[0], grid.columnCount);
        for (int c = 0; c < kQsoFieldCount; ++c) {
            QCOMPARE(assignment[c], c + 1);
            QCOMPARE(HtmlTable::columnChoices()[assignment[c]].mid(5), grid.rows[0][c]);
        }
        QCOMPARE(HtmlTable::recordFromRow(grid.rows[1], assignment), records[0]);
        QCOMPARE(HtmlTable::recordFromRow(grid.rows[2], assignment), tricky);
        QTextDocument document;
        document.setHtml(
            QStringDecoder(QStringConverter::encodingForHtml(html).value()).decode(html));
        QCOMPARE(document.metaInformation(QTextDocument::DocumentTitle),
                 names[0] + " / " + names[1]);
        auto* table = qobject_cast<QTextTable*>(document.rootFrame()->childFrames().value(0));
        QVERIFY(table);
        QCOMPARE(QSize(table->columns(), table->rows()), QSize(kQsoFieldCount, 3));
        QStringList shown[3];
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < kQsoFieldCount; ++c) {
                QTextCursor cursor = table->cellAt(r, c).firstCursorPosition();
                cursor.setPosition(table->cellAt(r, c).lastCursorPosition().position(),
                                   QTextCursor::KeepAnchor);
                shown[r].append(cursor.selectedText().replace(QChar::LineSeparator, '\n'));
            }
        QCOMPARE(shown[0].join('|'), "#|Date|UTC|Band|Mode|Call|RST TX|RST RX|DOK|Name|QTH|Locator|"
                                     "TX Pwr|Comments|QSL out|QSL in");
        QCOMPARE(shown[1].join('|'), fromCp1252(QsoLine::join(records[0])).replace(';', '|'));
        QCOMPARE(shown[2][9] + '|' + shown[2][10] + '|' + shown[2][13], // Name, QTH, Comments
                 QString::fromUtf8("J\xC3\xBCrgen \xE2\x82\xAC \xC2\x81|&nbsp; &amp;|<b>a & b</b> "
                                   "\"q\"\nline two\n"));
    }
};

QTEST_MAIN(TestHtml)
#include "tst_html.moc"
