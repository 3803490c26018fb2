#include "logbuilder.h"
#include "qsogridmodel.h"
#include "widgettest.h"

class TestQsoGridModel : public QObject {
    Q_OBJECT
private slots:
    void rowsFollowRecordsAndPutRows() {
        QsoGridModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        // The header row and one empty row, as in an empty log.
        QCOMPARE(model.RowCount(), 2);
        QCOMPARE(model.Cells(15, 0), QString("QSL In"));
        QVERIFY(model.isEmptyLog());
        TQsoRecord second = LogBuilder::qso(2);
        second[QsoField::Comments] = "abc\r\ndef";
        second[QsoField::Qth] = "K\xf6ln";
        model.setRecords({LogBuilder::qso(1), second});
        QCOMPARE(model.RowCount(), 3);
        QCOMPARE(model.index(0, 5).data().toString(), QString("QX1ABC"));
        QCOMPARE(model.Cells(13, 2) + "|" + model.Cells(10, 2),
                 QString::fromUtf8("abc def|K\u00f6ln"));
        model.clear();
        QCOMPARE(model.RowCount(), 2);
        // A row put beyond the end extends the list; one put inside ends it there.
        model.putRow(1, LogBuilder::qso(1));
        QCOMPARE(model.RowCount(), 2);
        model.putRow(5, LogBuilder::qso(5));
        QCOMPARE(model.RowCount(), 6);
        QCOMPARE(model.Cells(0, 5) + "|" + model.Cells(5, 4), QString("5|"));
        model.putRow(2, LogBuilder::qso(7));
        QCOMPARE(model.RowCount(), 3);
        QCOMPARE(model.row(2)[QsoField::Call], QByteArray("QX7ABC"));
        // A field of 50 MB must not be laid out whole at every paint or tooltip.
        TQsoRecord rec = LogBuilder::qso(1);
        rec[QsoField::Name] = QByteArray(50 * 1024 * 1024, 'x');
        model.putRow(1, rec);
        for (int role : {int(Qt::DisplayRole), int(Qt::ToolTipRole)}) {
            const QString shown = model.data(model.index(0, 9), role).toString();
            QCOMPARE(shown.size(), QsoGridModel::kShownLength + 1);
            QVERIFY(shown.endsWith(QChar(0x2026)));
        }
        QCOMPARE(model.index(0, 5).data().toString(), QString("QX1ABC"));
    }
};

QTEST_GUILESS_MAIN(TestQsoGridModel)
#include "tst_qsogridmodel.moc"
