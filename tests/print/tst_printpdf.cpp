// Labels and log pages as PDF, read back with poppler: each call where its label lies,
// no label cut at the paper's edge, letters beyond ASCII as typed, and one page of each
// sheet close to a stored picture of it.
#include "logbuilder.h"
#include "qsllabels.h"
#include "tempprogramdir.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace {

constexpr double kPointsPerMm = 72 / 25.4;

// Runs a program to its end; a program that cannot start fails the test.
QByteArray run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning().noquote() << program << args.join(' ') << p.errorString()
                             << p.readAllStandardError();
        return QByteArray("FAILED");
    }
    return p.readAllStandardOutput();
}

struct Word {
    int page;
    QRectF box; // points
    QString text;
};

// The words of a PDF with their boxes, as pdftotext -bbox gives them.
QList<Word> words(const QString& pdf, QSizeF* pageSize) {
    const QString html = QString::fromUtf8(run("pdftotext", {"-bbox", pdf, "-"}));
    static const QRegularExpression tag("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">|<word "
                                        "xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" "
                                        "xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>");
    QList<Word> result;
    int page = -1;
    for (const QRegularExpressionMatch& m : tag.globalMatch(html)) {
        if (!m.captured(1).isEmpty()) {
            ++page;
            *pageSize = {m.captured(1).toDouble(), m.captured(2).toDouble()};
            continue;
        }
        result.append({page,
                       QRectF(QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()),
                              QPointF(m.captured(5).toDouble(), m.captured(6).toDouble())),
                       m.captured(7)});
    }
    return result;
}

QRectF points(const QRectF& mm) {
    return {mm.x() * kPointsPerMm, mm.y() * kPointsPerMm, mm.width() * kPointsPerMm,
            mm.height() * kPointsPerMm};
}

} // namespace

class TestPrintPdf : public QObject {
    Q_OBJECT
private:
    TempProgramDir m_dir;

    QString labels(int stations, const QStringList& options) {
        QList<TQsoRecord> log;
        for (int n = 1; n <= stations; ++n)
            log.append(LogBuilder::qso(n));
        LogBuilder::writeLog(m_dir.file("labels.log"), log);
        const QString pdf = m_dir.file("labels.pdf");
        run(DALU_CONVERT,
            QStringList{"qsl-labels", m_dir.file("labels.log"), pdf, "--force"} + options);
        return pdf;
    }

private slots:
    void initTestCase() { m_dir.writeFile("Dalu.ini", "[Allgemein]\r\nEigenesCall=DL0TST\r\n"); }

    // Two sheets' worth from a start cell on: every call inside its own label's rect.
    void callsOnTheirLabels_data() {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<int>("start");
        QTest::newRow("3x7 fresh sheet") << "3x7" << 1;
        QTest::newRow("3x8 from label 5") << "3x8" << 5;
        QTest::newRow("2x7 from label 14") << "2x7" << 14;
    }
    void callsOnTheirLabels() {
        QFETCH(QString, layout);
        QFETCH(int, start);
        const QslLabels::Layout sheet = *QslLabels::preset(layout);
        const int stations = sheet.perSheet() + 3;
        const QString pdf =
            labels(stations, {"--layout", layout, "--start", QString::number(start)});
        QSizeF page;
        const QList<Word> found = words(pdf, &page);
        QVERIFY(!found.isEmpty());
        QCOMPARE(qRound(page.width()), qRound(210 * kPointsPerMm));
        const QRectF paper(QPointF(0, 0), page);
        for (const Word& w : found)
            QVERIFY2(paper.contains(w.box), qPrintable(w.text));
        for (int i = 0; i < stations; ++i) {
            const QString call = QStringLiteral("QX%1ABC").arg(i + 1);
            const QslLabels::Place at = QslLabels::place(i, start, sheet.perSheet());
            const auto it = std::find_if(found.begin(), found.end(),
                                         [&](const Word& w) { return w.text == call; });
            QVERIFY2(it != found.end(), qPrintable(call));
            QCOMPARE(it->page, at.page);
            QVERIFY2(points(sheet.labelRect(at.cell)).contains(it->box), qPrintable(call));
        }
    }

    // The log on pages: letters beyond ASCII come out as typed, page numbers and sums.
    void logPagesReadAsText() {
        QList<TQsoRecord> log = LogBuilder::qsos(80);
        log[0][QsoField::Name] = "J\xfcrgen"; // ü
        log[0][QsoField::Qth] = "M\xfcnchen"; // ü
        log[1][QsoField::Name] = "Jos\xe9";   // é
        log[1][QsoField::Qth] = "\xc5lesund"; // Å
        log[2][QsoField::Name] = "Gro\xdf";   // ß
        LogBuilder::writeLog(m_dir.file("paper.log"), log);
        const QString pdf = m_dir.file("paper.pdf");
        run(DALU_CONVERT, {"print", m_dir.file("paper.log"), pdf, "--force", "--landscape"});
        const QString text = QString::fromUtf8(run("pdftotext", {"-layout", pdf, "-"}));
        for (const char* expected :
             {"J\u00fcrgen", "M\u00fcnchen", "Jos\u00e9", "\u00c5lesund", "Gro\u00df", "DL0TST",
              "Page 1 of 3", "Page 3 of 3", "Total: 80 QSOs", "2m: 40", "20m: 40"})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
        // The column titles head every page.
        QCOMPARE(text.count(QRegularExpression("#\\s+Date\\s+UTC\\s+Band")), 3);

        run(DALU_CONVERT, {"print", m_dir.file("paper.log"), pdf, "--force", "--numbers", "3-4"});
        const QString part = QString::fromUtf8(run("pdftotext", {"-layout", pdf, "-"}));
        QVERIFY(part.contains("Gro\u00df") && part.contains("Total: 2 QSOs"));
        QVERIFY(!part.contains("J\u00fcrgen"));
    }

    // Page 1 of each sheet as a small grey picture, against the stored one. Set
    // DALU_UPDATE_REFERENCES to write them anew after a deliberate change of the look.
    void sheetLooksAsStored_data() {
        QTest::addColumn<QString>("layout");
        for (const QslLabels::Layout& l : QslLabels::presets())
            QTest::newRow(qPrintable(l.name)) << l.name;
        QTest::newRow("cards") << "cards";
    }
    void sheetLooksAsStored() {
        QFETCH(QString, layout);
        const QStringList options = layout == "cards"
                                        ? QStringList{"--cards", "--qsos", "3"}
                                        : QStringList{"--layout", layout, "--qsos", "3"};
        const QString pdf = labels(30, options);
        const QString stem = m_dir.file("page-" + layout);
        run("pdftoppm",
            {"-gray", "-r", "24", "-f", "1", "-l", "1", "-singlefile", "-png", pdf, stem});
        const QImage page(stem + ".png");
        QVERIFY(!page.isNull());
        const QString reference = QStringLiteral(REFERENCE_DIR "/labels-%1.png").arg(layout);
        if (qEnvironmentVariableIsSet("DALU_UPDATE_REFERENCES"))
            QVERIFY(page.save(reference));
        const QImage stored(reference);
        QCOMPARE(page.size(), stored.size());
        const QImage a = page.convertToFormat(QImage::Format_Grayscale8);
        const QImage b = stored.convertToFormat(QImage::Format_Grayscale8);
        // Font rendering may differ by a shade here and there; a moved or missing label
        // changes far more.
        qint64 difference = 0;
        int blank = 0;
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x) {
                const int d = qAbs(a.pixelColor(x, y).value() - b.pixelColor(x, y).value());
                difference += d;
                blank += a.pixelColor(x, y).value() > 250;
            }
        }
        const double mean = double(difference) / (a.width() * a.height());
        QVERIFY2(mean < 2.0, qPrintable(QString::number(mean)));
        QVERIFY(blank < a.width() * a.height()); // something is printed at all
    }
};

QTEST_MAIN(TestPrintPdf)
#include "tst_printpdf.moc"
