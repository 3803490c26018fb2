// QSL labels on values: sheet geometry, which QSOs share a label, manager and card request,
// the start cell on a used sheet, the layout in Dalu.ini, and the ranges of a printed log.
#include "daluerror.h"
#include "logbuilder.h"
#include "logprintrange.h"
#include "meminifile.h"
#include "qsllabelmarks.h"
#include "qsllabels.h"
#include "settingskeys.h"

#include <QTemporaryDir>
#include <QTest>

using namespace QslLabels;

namespace {

CompactQso qso(int n, const QByteArray& call, const QByteArray& comments = {},
               const QByteArray& qslIn = {}) {
    TQsoRecord r = LogBuilder::qso(n, call);
    r[QsoField::Comments] = comments;
    r[QsoField::QslIn] = qslIn;
    return CompactQso(r);
}

QStringList summary(const QList<Label>& labels) {
    QStringList out;
    for (const Label& l : labels) {
        QStringList numbers;
        for (const LabelQso& q : l.qsos)
            numbers.append(QString::number(q.position));
        out.append(QStringLiteral("%1 %2/%3 [%4] %5 %6")
                       .arg(l.call)
                       .arg(l.part)
                       .arg(l.parts)
                       .arg(numbers.join(','), l.via, l.request()));
    }
    return out;
}

} // namespace

class TestQslLabels : public QObject {
    Q_OBJECT
private slots:
    void presetsFillTheirSheet_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("perSheet");
        QTest::addColumn<QRectF>("lastLabel");
        QTest::newRow("3x7 70x42.3") << "3x7" << 21 << QRectF(140, 254.25, 70, 42.3);
        QTest::newRow("3x8 70x37") << "3x8" << 24 << QRectF(140, 259.5, 70, 37);
        QTest::newRow("2x7 105x42.3") << "2x7" << 14 << QRectF(105, 254.25, 105, 42.3);
    }
    void presetsFillTheirSheet() {
        QFETCH(QString, name);
        QFETCH(int, perSheet);
        QFETCH(QRectF, lastLabel);
        const Layout l = *preset(name);
        QCOMPARE(l.perSheet(), perSheet);
        QVERIFY(l.fitsPage());
        const QRectF last = l.labelRect(perSheet - 1);
        QVERIFY2(qAbs(last.x() - lastLabel.x()) < 1e-9 && qAbs(last.y() - lastLabel.y()) < 1e-9,
                 qPrintable(QStringLiteral("%1 %2").arg(last.x()).arg(last.y())));
        QCOMPARE(last.size(), lastLabel.size());
    }

    void customLayoutWithGapsAndMargins() {
        Layout l;
        l.name = "custom";
        l.columns = 2;
        l.rows = 5;
        l.labelWidth = 90;
        l.labelHeight = 50;
        l.left = 10;
        l.top = 15;
        l.gapX = 10;
        l.gapY = 2;
        QCOMPARE(l.labelRect(3), QRectF(110, 67, 90, 50));
        QVERIFY(l.fitsPage());
        l.gapY = 10; // 15 + 5*50 + 4*10 = 305 mm: the last row falls off the page
        QVERIFY(!l.fitsPage());
    }

    // The custom measures survive a preset chosen in between; unusable ones give a preset.
    void layoutInSettings() {
        QTemporaryDir dir;
        TMemIniFile ini(dir.filePath("Dalu.ini"));
        QCOMPARE(load(ini), presets().first());
        Layout custom = *preset("2x7");
        custom.name = "custom";
        custom.rows = 6;
        custom.gapY = 3.5;
        save(ini, custom);
        save(ini, *preset("3x8"));
        QCOMPARE(load(ini), *preset("3x8"));
        SettingsKeys::write(ini, SettingsKeys::LabelLayout, QStringLiteral("custom"));
        QCOMPARE(load(ini), custom);
        SettingsKeys::write(ini, SettingsKeys::LabelWidth, 300.0);
        QCOMPARE(load(ini), presets().first());
        saveQsosPerLabel(ini, 99);
        QCOMPARE(loadQsosPerLabel(ini), kMaxQsosPerLabel);
    }

    void viaManager_data() {
        QTest::addColumn<QString>("comments");
        QTest::addColumn<QString>("manager");
        QTest::newRow("plain") << "via QX1MGR"
                               << "QX1MGR";
        QTest::newRow("lower case, in a sentence") << "tnx, qsl via ea5xyz pse"
                                                   << "EA5XYZ";
        QTest::newRow("portable manager") << "VIA DL1ABC/P"
                                          << "DL1ABC/P";
        QTest::newRow("via bureau names none") << "via bureau"
                                               << "";
        QTest::newRow("word ending in via") << "Moldavia 5W"
                                            << "";
        QTest::newRow("none") << ""
                              << "";
    }
    void viaManager() {
        QFETCH(QString, comments);
        QFETCH(QString, manager);
        QCOMPARE(QslLabels::viaManager(comments), manager);
    }

    // One station per label, stations in order of first appearance, N QSOs to a label,
    // the rest on further labels; the manager and card state hold for all its labels.
    void grouping() {
        const QList<CompactQso> all = {qso(1, "DL1AAA"), qso(2, "OH2BBB", {}, "01.02.2026"),
                                       qso(3, "DL1AAA"), qso(4, "DL1AAA", "via QX1MGR"),
                                       qso(5, "OH2BBB"), qso(6, "dl1aaa")};
        const QList<int> positions = {1, 3, 4, 5, 6};
        QList<CompactQso> listed;
        for (int p : positions)
            listed.append(all.at(p - 1));
        const QList<Label> labels = group(listed, positions, 2, confirmedCalls(all));
        QCOMPARE(
            summary(labels),
            (QStringList{"DL1AAA 1/2 [1,3] QX1MGR PSE QSL TNX", "DL1AAA 2/2 [4] QX1MGR PSE QSL TNX",
                         "OH2BBB 1/1 [5]  TNX QSL", "dl1aaa 1/1 [6]  PSE QSL TNX"}));
        QCOMPARE(QslLabels::positions(labels), (QList<int>{1, 3, 4, 5, 6}));
        QVERIFY(group({}, {}, 3, {}).isEmpty());
    }

    void startCellOnUsedSheet_data() {
        QTest::addColumn<int>("labels");
        QTest::addColumn<int>("start");
        QTest::addColumn<QList<int>>("pageAndCellOfLast");
        QTest::addColumn<int>("pages");
        QTest::newRow("fresh sheet") << 21 << 1 << QList<int>{0, 20} << 1;
        QTest::newRow("one label past the sheet") << 22 << 1 << QList<int>{1, 0} << 2;
        QTest::newRow("start at cell 20") << 3 << 20 << QList<int>{1, 0} << 2;
        QTest::newRow("start beyond the sheet counts as its last")
            << 1 << 99 << QList<int>{0, 20} << 1;
        QTest::newRow("none") << 0 << 5 << QList<int>{0, 4} << 0;
    }
    void startCellOnUsedSheet() {
        QFETCH(int, labels);
        QFETCH(int, start);
        QFETCH(QList<int>, pageAndCellOfLast);
        QFETCH(int, pages);
        const Place p = place(std::max(labels - 1, 0), start, 21);
        QCOMPARE((QList<int>{p.page, p.cell}), pageAndCellOfLast);
        QCOMPARE(pageCount(labels, start, 21), pages);
    }

    // One rewrite marks exactly the printed QSOs; a QSO no longer where it was listed, or
    // gone, leaves the file as it was.
    void markSentAllOrNothing_data() {
        QTest::addColumn<QList<int>>("positions");
        QTest::addColumn<bool>("written");
        QTest::newRow("two of four") << QList<int>{2, 4} << true;
        QTest::newRow("the third moved") << QList<int>{1, 3} << false;
        QTest::newRow("a fifth that is gone") << QList<int>{1, 5} << false;
    }
    void markSentAllOrNothing() {
        QFETCH(QList<int>, positions);
        QFETCH(bool, written);
        QTemporaryDir dir;
        const QString path = dir.filePath("a.log");
        QList<TQsoRecord> log = LogBuilder::qsos(4);
        QList<CompactQso> listed;
        for (int p : positions)
            listed.append(CompactQso(LogBuilder::qso(p)));
        log[2][QsoField::Call] = "QX9ZZZ"; // changed since the list was made
        LogBuilder::writeLog(path, log);
        const QDate today(2026, 12, 8);
        bool threw = false;
        try {
            QslLabelMarks::markSent(path, positions, listed, today);
        } catch (const DaluError&) {
            threw = true;
        }
        QCOMPARE(threw, !written);
        if (written) {
            for (int p : positions)
                log[p - 1][QsoField::QslOut] = "08.12.2026";
        }
        QCOMPARE(LogBuilder::readLog(path), log);
    }

    void printRange() {
        QList<CompactQso> qsos;
        const QByteArray dates[] = {"01.05.2026", "15.05.2026", "kaputt", "01.06.2026"};
        for (int i = 0; i < 4; ++i) {
            TQsoRecord r = LogBuilder::qso(i + 1);
            r[QsoField::Date] = dates[i];
            r[QsoField::Band] = i == 1 ? "2m" : "20m";
            qsos.append(CompactQso(r));
        }
        LogPrintRange::Range range;
        QCOMPARE(LogPrintRange::select(qsos, range), (QList<int>{0, 1, 2, 3}));
        range.firstNumber = 2;
        range.lastNumber = 3;
        QCOMPARE(LogPrintRange::select(qsos, range), (QList<int>{1, 2}));
        range = {};
        range.from = QDate(2026, 5, 2);
        QCOMPARE(LogPrintRange::select(qsos, range), (QList<int>{1, 3}));
        range.to = QDate(2026, 5, 31);
        QCOMPARE(LogPrintRange::select(qsos, range), (QList<int>{1}));
        const auto sums = LogPrintRange::bandSums(qsos, {0, 1, 2, 3});
        QCOMPARE(sums, (QList<QPair<QString, int>>{{"20m", 3}, {"2m", 1}}));
    }
};

QTEST_GUILESS_MAIN(TestQslLabels)
#include "tst_qsllabels.moc"
