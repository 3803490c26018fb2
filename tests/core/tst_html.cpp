#include "htmlexport.h"
#include "htmltable.h"
#include "logbuilder.h"

#include <QTest>

namespace {
QByteArray oneCellTable(const QByteArray& cell) {
    return "<html><body>\r\n<table border=\"1\">\r\n <tr>\r\n  <td>" + cell +
           "</td>\r\n </tr>\r\n</table>\r\n";
}
} // namespace

class TestHtml : public QObject {
    Q_OBJECT
private slots:
    void cellText_data();
    void cellText();
    void tableShapes_data();
    void tableShapes();
    void titles_data();
    void titles();
    void exportedDocumentLoadsBack();
};

void TestHtml::cellText_data() {
    QTest::addColumn<QByteArray>("cell");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("nbsp is empty") << QByteArray("&nbsp;") << QByteArray();
    QTest::newRow("nbsp any case, trimmed") << QByteArray(" &NBSP;ab\t") << QByteArray("ab");
    QTest::newRow("entities") << QByteArray("a &amp; b &lt;b&gt; &quot;x&quot;")
                              << QByteArray("a & b <b> \"x\"");
    QTest::newRow("no double decode") << QByteArray("&amp;lt;") << QByteArray("&lt;");
    QTest::newRow("numeric references") << QByteArray("&#252;&#x41;&#32;")
                                        << QByteArray("\xFC"
                                                      "A ");
    QTest::newRow("unknown entity stays")
        << QByteArray("&copy; &#xZZ;") << QByteArray("&copy; &#xZZ;");
    QTest::newRow("br is a line break")
        << QByteArray("abc<br>def<BR/>g") << QByteArray("abc\r\ndef\r\ng");
    QTest::newRow("raw line break joins") << QByteArray("abc\r\ndef") << QByteArray("abcdef");
    QTest::newRow("other tags stay") << QByteArray("<b>x</b>") << QByteArray("<b>x</b>");
    QTest::newRow("line feed and return references are line breaks")
        << QByteArray("a&#13;&#10;b&#10;c&#xD;d") << QByteArray("a\r\nb\r\nc\r\nd");
    QTest::newRow("other control characters are blanks") << QByteArray("a&#0;b&#9;c\x01"
                                                                       "d\te")
                                                         << QByteArray("a b c d e");
    QTest::newRow("references transliterated")
        << QByteArray("Ji&#345;&#237; &#321;&#x151;d&#378;") << QByteArray("Jir\xED Lodz");
    QTest::newRow("UTF-8 file transliterated")
        << QByteArray("Ji\xC5\x99\xC3\xAD") << QByteArray("Jir\xED");
}

void TestHtml::cellText() {
    QFETCH(QByteArray, cell);
    QFETCH(QByteArray, text);
    const HtmlTable::Grid grid = HtmlTable::load(oneCellTable(cell));
    QCOMPARE(grid.rows.size(), 1);
    QCOMPARE(grid.rows[0].value(0), text);
    QVERIFY(!grid.unmappable);
    QVERIFY(HtmlTable::load(oneCellTable(cell + "&#x4E00;")).unmappable);
}

void TestHtml::tableShapes_data() {
    QTest::addColumn<QByteArray>("html");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("cells");
    QTest::newRow("upper-case tags load nothing")
        << QByteArray("<TABLE>\r\n<TR><TD>a</TD></TR>\r\n</TABLE>") << 0 << 0 << 0;
    QTest::newRow("no table") << QByteArray("<html><p>hi</p></html>") << 0 << 0 << 0;
    QTest::newRow("table tag without end") << QByteArray("<table border=\"1\"") << 0 << 0 << 0;
    QTest::newRow("cell without end tag") << QByteArray("<table><tr><td>abc") << 1 << 1 << 1;
    QTest::newRow("rows not padded") << QByteArray("<table>\n<tr><td>a</td><td>b</td></tr>\n"
                                                   "<tr><td>c</td></tr></table>")
                                     << 2 << 2 << 3;
    QTest::newRow("td with attributes skipped")
        << QByteArray("<table><tr><td align=\"right\">a</td><td>b</td></tr></table>") << 1 << 1
        << 1;
    QTest::newRow("second table ignored")
        << QByteArray("<table><tr><td>a</td></tr></table><table><tr><td>b</td><td>c</td></tr>") << 1
        << 1 << 1;
    QTest::newRow("one wide row, many empty rows")
        << "<table><tr>" + QByteArray("<td></td>").repeated(12000) + "<td>x</td></tr>" +
               QByteArray("<tr></tr>").repeated(12000) + "</table>"
        << 12001 << 12001 << 1;
}

void TestHtml::tableShapes() {
    QFETCH(QByteArray, html);
    QFETCH(int, rows);
    QFETCH(int, columns);
    QFETCH(int, cells);
    const HtmlTable::Grid grid = HtmlTable::load(html);
    QCOMPARE(grid.rows.size(), rows);
    QCOMPARE(grid.columnCount, columns);
    // Cells are kept as the file has them, never rows times the widest row.
    qsizetype kept = 0;
    qsizetype filled = 0;
    for (const QList<QByteArray>& row : grid.rows) {
        kept += row.size();
        filled +=
            std::count_if(row.begin(), row.end(), [](const QByteArray& c) { return !c.isEmpty(); });
    }
    QVERIFY(kept <= columns + rows);
    QCOMPARE(filled, qsizetype(cells));
}

void TestHtml::titles_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QByteArray>("title");
    QTest::newRow("one log") << QStringList{"test.log"} << QByteArray("test.log");
    QTest::newRow("two logs in order")
        << QStringList{"test.log", "dx.log"} << QByteArray("test.log / dx.log");
    QTest::newRow("escaped") << QStringList{"a&b.log"} << QByteArray("a&amp;b.log");
    QTest::newRow("beyond ASCII") << QStringList{QString::fromUtf8(
                                         "M\xC3\xBCll Ji\xC5\x99\xC3\xAD.log")}
                                  << QByteArray("M&#252;ll Ji&#345;&#237;.log");
}

void TestHtml::titles() {
    QFETCH(QStringList, names);
    QFETCH(QByteArray, title);
    const QByteArray start = HtmlExport::documentStart(names);
    QVERIFY(start.startsWith(
        "<html>\r\n<head>\r\n<title>" + title + "</title>\r\n</head>\r\n<h1>" + title +
        "</h1>\r\n<body>\r\n<table border=\"1\">\r\n <tr>\r\n  <th>#</th>\r\n"));
    QVERIFY(start.endsWith("  <th>QSL in</th>\r\n </tr>\r\n"));
}

void TestHtml::exportedDocumentLoadsBack() {
    TQsoRecord tricky = LogBuilder::qso(2);
    tricky[QsoField::Comments] = "  <b>a & b</b> \"q\"\r\nline two\r\n";
    tricky[QsoField::Name] = "J\xFCrgen \x80 \x81";
    tricky[QsoField::Qth] = "&nbsp; &amp;";
    const QList<TQsoRecord> records = {LogBuilder::qso(1), tricky};
    QByteArray html = HtmlExport::documentStart({"test.log"});
    for (const TQsoRecord& r : records)
        html += HtmlExport::row(r);
    html += HtmlExport::documentEnd("Erstellt mit Dalu LogConverter");
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
}

QTEST_GUILESS_MAIN(TestHtml)
#include "tst_html.moc"
