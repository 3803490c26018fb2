#include "logbuilder.h"
#include "textexport.h"

#include <QTest>

class TestTextExport : public QObject {
    Q_OBJECT
private slots:
    // The widths follow the wider of title and values: empty, short, 6-character and two-line.
    void everyLineHasTheTableWidth() {
        TQsoRecord rec =
            LogBuilder::record({{"#", "1"}, {"Call", "QX1ABC"}, {"Comments", "abc\r\ndef"}});
        FixedWidthTable table;
        table.measure(rec);
        const int t = table.totalWidth();
        // # 2, Date 5, UTC 4, Band 5, Mode 5, Call 7, RST 7+7, DOK 4, Name 5, QTH 4, Locator 8,
        // TX Pwr 7, Comments 10, QSL out 8, QSL in 7
        QCOMPARE(t, 95);
        const QList<QByteArray> lines = table.header().split('\n');
        QCOMPARE(lines[0], "# Date UTC Band Mode Call   RST TX RST RX DOK Name QTH Locator TX Pwr "
                           "Comments  QSL out QSL in \r");
        QCOMPARE(lines[1], QByteArray(t, '~') + '\r');
        const QByteArray line = table.line(rec);
        QCOMPARE(line.size(), t + 2);
        QVERIFY(line.contains(" QX1ABC ") && line.contains(" abc + def "));
        // The credit line is right-aligned to the table, and whole when longer.
        QCOMPARE(table.footer("Erstellt mit Dalu"),
                 "\r\n" + QByteArray(t - 17, ' ') + "Erstellt mit Dalu\r\n");
        QCOMPARE(table.footer(QByteArray(100, 'x')), "\r\n" + QByteArray(100, 'x') + "\r\n");
    }
};

QTEST_GUILESS_MAIN(TestTextExport)
#include "tst_textexport.moc"
