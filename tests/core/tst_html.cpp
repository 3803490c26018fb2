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
}

void TestHtml::cellText() {
    QFETCH(QByteArray, cell);
    QFETCH(QByteArray, text);
    const HtmlTable::Grid grid = HtmlTable::load(oneCellTable(cell));
    QCOMPARE(grid.rows.size(), 1);
    QCOMPARE(grid.rows[0], QList<QByteArray>{text});
}

void TestHtml::tableShapes_data() {
    QTest::addColumn<QByteArray>("html");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::newRow("upper-case tags load nothing")
        << QByteArray("<TABLE>\r\n<TR><TD>a</TD></TR>\r\n</TABLE>") << 0 << 0;
    QTest::newRow("no table") << QByteArray("<html><p>hi</p></html>") << 0 << 0;
    QTest::newRow("table tag without end") << QByteArray("<table border=\"1\"") << 0 << 0;
    QTest::newRow("cell without end tag") << QByteArray("<table><tr><td>abc") << 1 << 1;
    QTest::newRow("rows padded") << QByteArray("<table>\n<tr><td>a</td><td>b</td></tr>\n"
                                               "<tr><td>c</td></tr></table>")
                                 << 2 << 2;
    QTest::newRow("td with attributes skipped")
        << QByteArray("<table><tr><td align=\"right\">a</td><td>b</td></tr></table>") << 1 << 1;
    QTest::newRow("second table ignored")
        << QByteArray("<table><tr><td>a</td></tr></table><table><tr><td>b</td><td>c</td></tr>") << 1
        << 1;
}

void TestHtml::tableShapes() {
    QFETCH(QByteArray, html);
    QFETCH(int, rows);
    QFETCH(int, columns);
    const HtmlTable::Grid grid = HtmlTable::load(html);
    QCOMPARE(grid.rows.size(), rows);
    QCOMPARE(grid.columnCount, columns);
    for (const QList<QByteArray>& row : grid.rows)
        QCOMPARE(row.size(), columns);
}

void TestHtml::titles_data() {
    QTest::addColumn<QByteArrayList>("names");
    QTest::addColumn<QByteArray>("title");
    QTest::newRow("one log") << QByteArrayList{"test.log"} << QByteArray("test.log");
    QTest::newRow("two logs in order")
        << QByteArrayList{"test.log", "dx.log"} << QByteArray("test.log / dx.log");
    QTest::newRow("escaped") << QByteArrayList{"a&b.log"} << QByteArray("a&amp;b.log");
}

void TestHtml::titles() {
    QFETCH(QByteArrayList, names);
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
