#include "logbuilder.h"
#include "qsogridmodel.h"
#include "widgettest.h"

class TestQsoGridModel : public QObject {
    Q_OBJECT
private slots:
    void rowsFollowRecordsAppendsAndReplacements() {
        QsoGridModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.headerData(15, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QString("QSL In"));
        QVERIFY(model.isEmpty());
        TQsoRecord second = LogBuilder::qso(2);
        second[QsoField::Comments] = "abc\r\ndef";
        second[QsoField::Qth] = "K\xf6ln";
        model.setRecords({LogBuilder::qso(1), second});
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.index(0, 5).data().toString(), QString("QX1ABC"));
        QCOMPARE(model.cell(1, 13) + "|" + model.cell(1, 10),
                 QString::fromUtf8("abc def|K\u00f6ln"));
        model.appendRows({CompactQso(LogBuilder::qso(3)).shownInList()});
        QCOMPARE(model.rowCount(), 3);
        model.replaceRows(1, {CompactQso(LogBuilder::qso(7)).shownInList()});
        QCOMPARE(model.record(1)[QsoField::Call], QByteArray("QX7ABC"));
        // A replacement beyond the end changes nothing.
        model.replaceRows(3, {CompactQso(LogBuilder::qso(9)).shownInList()});
        QCOMPARE(model.rowCount(), 3);
        // A field of 50 MB must not be laid out whole at every paint or tooltip.
        TQsoRecord rec = LogBuilder::qso(1);
        rec[QsoField::Name] = QByteArray(50 * 1024 * 1024, 'x');
        model.replaceRows(0, {CompactQso(rec).shownInList()});
        for (int role : {int(Qt::DisplayRole), int(Qt::ToolTipRole)}) {
            const QString shown = model.data(model.index(0, 9), role).toString();
            QCOMPARE(shown.size(), QsoGridModel::kShownLength + 1);
            QVERIFY(shown.endsWith(QChar(0x2026)));
        }
        QCOMPARE(model.index(0, 5).data().toString(), QString("QX1ABC"));
        model.clear();
        QCOMPARE(model.rowCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestQsoGridModel)
#include "tst_qsogridmodel.moc"
