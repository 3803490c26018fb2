#include "coretest.h"
#include "cp1252.h"
#include "errorof.h"
#include "germanformat.h"
#include "logbuilder.h"
#include "meminifile.h"
#include "programdir.h"
#include "regularfile.h"
#include "settingskeys.h"
#include "tempprogramdir.h"
#include "testdata.h"
#include "textexport.h"
#include "textrows.h"
#include "utcdifference.h"

#include <QTimeZone>

#include <malloc.h>

namespace {

// Bytes the allocator has handed out and not got back (0 where it does not tell).
qint64 heapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return qint64(info.uordblks) + qint64(info.hblkhd);
}

} // namespace

// German dates and numbers, Windows-1252, the text export table and the settings file.
class TestTextFormats : public QObject {
    Q_OBJECT
private slots:
    void dates_data() {
        columns<QByteArray, QDate>("text", "expected");
        QTest::newRow("full") << QByteArray("05.06.2004") << QDate(2004, 6, 5);
        QTest::newRow("no leading zeros") << QByteArray("5.6.2004") << QDate(2004, 6, 5);
        QTest::newRow("day and month only") << QByteArray("24.12") << QDate(2026, 12, 24);
        QTest::newRow("two-digit year, near") << QByteArray("01.01.30") << QDate(2030, 1, 1);
        QTest::newRow("two-digit year, past") << QByteArray("01.01.60") << QDate(1960, 1, 1);
        QTest::newRow("29 February, no leap year") << QByteArray("29.02.2003") << QDate();
        QTest::newRow("three-digit year") << QByteArray("01.01.200") << QDate();
        QTest::newRow("slashes") << QByteArray("01/01/2004") << QDate();
    }
    void dates() {
        QFETCH(QByteArray, text);
        QFETCH(QDate, expected);
        const std::optional<QDate> parsed = GermanFormat::parseDate(text, QDate(2026, 12, 6));
        QCOMPARE(parsed.value_or(QDate()), expected);
        if (expected.isValid())
            QCOMPARE(GermanFormat::parseDate(GermanFormat::formatDate(expected)), expected);
    }

    void decimals_data() {
        columns<double, QByteArray>("value", "text");
        QTest::newRow("half") << 0.5 << QByteArray("0,5");
        QTest::newRow("whole") << 1500.0 << QByteArray("1500");
        QTest::newRow("negative") << -1.0 << QByteArray("-1");
        QTest::newRow("negative zero") << -0.0 << QByteArray("0");
        QTest::newRow("fraction") << 1.25 << QByteArray("1,25");
    }
    void decimals() {
        QFETCH(double, value);
        QFETCH(QByteArray, text);
        QCOMPARE(GermanFormat::formatDecimal(value), text);
        QCOMPARE(GermanFormat::parseDecimal(text).value_or(-999), value);
    }

    void cp1252RoundTrip() {
        const QString text = QString::fromUtf8("K\u00f6ln \u20ac \u201eZitat\u201c");
        const QByteArray bytes = toCp1252(text);
        QCOMPARE(bytes, QByteArray("K\xf6ln \x80 \x84Zitat\x93"));
        QCOMPARE(fromCp1252(bytes), text);
        QCOMPARE(toCp1252(QString::fromUtf8("\u4e2d\U0001F600")), QByteArray("??"));
    }

    // Central Europe's biases (-60, standard 0, daylight -60) in each season; then the
    // automatic difference follows the system's zone.
    void utcDifference() {
        using S = UtcDifference::Season;
        QCOMPARE(UtcDifference::fromBias(-60, 0, -60, S::Standard), -1.0);
        QCOMPARE(UtcDifference::fromBias(-60, 0, -60, S::Daylight), -2.0);
        QCOMPARE(UtcDifference::fromBias(-60, 0, -60, S::Unknown), -1.0);
        const QDateTime at = QDateTime::currentDateTime();
        QCOMPARE(UtcDifference::automatic(at),
                 -QTimeZone::systemTimeZone().offsetFromUtc(at) / 3600.0);
    }

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

    void missingFileReadsDefaultsAndIsCreatedOnFlush() {
        TempProgramDir dir;
        TMemIniFile ini(dir.file("Dalu.ini"));
        QCOMPARE(SettingsKeys::read(ini, SettingsKeys::EigenerLocator), QString()); // not invented
        QCOMPARE(SettingsKeys::read(ini, SettingsKeys::UtcDiffAuto), true);
        QCOMPARE(SettingsKeys::read(ini, SettingsKeys::MainFormWidth), 1200);
        QCOMPARE(SettingsKeys::read(ini, SettingsKeys::DoppelCheckOptions), QString("000"));
        QVERIFY(!QFile::exists(dir.file("Dalu.ini")));
        ini.UpdateFile();
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Dalu.ini"});
    }

    void namesMatchWithoutCase() {
        TMemIniFile ini(QString{});
        ini.parse("[rac]\r\nEMail=1\r\n[Allgemein]\r\neigenescall=DL1ABC\r\n[StatusBar]\n"
                  "Text=a=b \"c\" \n");
        QCOMPARE(ini.ReadBool("RAC", "Email", false), true);
        QCOMPARE(SettingsKeys::read(ini, SettingsKeys::EigenesCall), QString("DL1ABC"));
        QCOMPARE(ini.ReadString("StatusBar", "Text", {}), QString("a=b \"c\" "));
        ini.WriteString("ALLGEMEIN", "EIGENESCALL", "DL2XYZ");
        QCOMPARE(ini.ReadSection("Allgemein"), QStringList{"eigenescall"});
        QVERIFY(ini.serialise().contains("eigenescall=DL2XYZ\r\n"));
    }

    // A column width (default 64), a window switch (default true), a float (default 7).
    void numbers_data() {
        addColumns<char, QByteArray, double>("type", "value", "expected");
        const auto row = [](const char* name, char type, const QByteArray& value, double expected) {
            QTest::newRow(name) << type << value << expected;
        };
        row("decimal", 'i', "204", 204);
        row("negative", 'i', "-12", -12);
        row("hex lower", 'i', "0x1f", 31);
        row("garbage gives default", 'i', "12px", 64);
        row("bad hex gives default", 'i', "0x", 64);
        row("too large gives default", 'i', "99999999999", 64);
        row("bool 0", 'b', "0", 0);
        row("any number is true", 'b', "-7", 1);
        row("unreadable bool gives default", 'b', "yes", 1);
        row("whole float", 'f', "-1", -1);
        row("decimal comma", 'f', "1,5", 1.5);
        row("decimal point is unreadable", 'f', "1.5", 7);
    }
    void numbers() {
        QFETCH(char, type);
        QFETCH(QByteArray, value);
        TMemIniFile ini(QString{});
        ini.parse("[Positionen]\r\nListeStringGrid.ColWidths[3]=" + value +
                  "\r\n[ShowAtStartUp]\r\nf=" + value + "\r\n[Allgemein]\r\nUtcDiff=" + value +
                  "\r\n");
        using namespace SettingsKeys;
        const double read = type == 'i'   ? SettingsKeys::read(ini, listColumnWidth(3))
                            : type == 'b' ? SettingsKeys::read(ini, showAtStartUp('f'))
                                          : ini.ReadFloat("Allgemein", "UtcDiff", 7);
        QTEST(read, "expected");
    }

    void updateFileKeepsOrderAndAppendsNewSections() {
        TempProgramDir dir;
        dir.writeFile("Dalu.ini",
                      "[Language]\nLanguage=english.lng\n\n\n[Allgemein]\nUtcDiff=-1\n");
        TMemIniFile ini(dir.file("Dalu.ini"));
        ini.WriteFloat("Allgemein", "UtcDiff", 1.5);
        SettingsKeys::write(ini, SettingsKeys::ClockShow, true);
        ini.WriteInteger("Positionen", "MainForm.Top", 12);
        ini.UpdateFile();
        QCOMPARE(dir.readFile("Dalu.ini"), QByteArray("[Language]\r\nLanguage=english.lng\r\n\r\n"
                                                      "[Allgemein]\r\nUtcDiff=1,5\r\n\r\n"
                                                      "[Clock]\r\nShow=1\r\n\r\n"
                                                      "[Positionen]\r\nMainForm.Top=12\r\n\r\n"));
        QCOMPARE(TMemIniFile(dir.file("Dalu.ini")).ReadFloat("Allgemein", "UtcDiff", 0), 1.5);
    }

    // Keys with parameters; a value with line breaks stays on its line instead of adding a section.
    void keysWithParametersAndLineBreaks() {
        TMemIniFile ini(QString{});
        const QString path = QString::fromUtf8("/tmp/K\u00f6ln.log");
        SettingsKeys::write(ini, SettingsKeys::buttons(3), "ce");
        SettingsKeys::write(ini, SettingsKeys::referenceLog(4), path);
        SettingsKeys::write(ini, SettingsKeys::preset(SettingsKeys::kPresets[1]), "59");
        ini.WriteString("Vorgaben", "Comments", "a\r\n[Evil]\r\nx=1");
        QCOMPARE(ini.serialise(), "[Buttons]\r\nBF3=ce\r\n\r\n[Referenz-Logs]\r\n"
                                  "Log4=/tmp/K\xf6ln.log\r\n\r\n[Vorgaben]\r\nRstTx=59\r\n"
                                  "Comments=a  [Evil]  x=1\r\n\r\n");
        QCOMPARE(SettingsKeys::read(ini, SettingsKeys::referenceLog(4)), path);
    }

    // A value Windows-1252 holds is stored as before; any other comes back exactly from a
    // new settings object on the written file.
    void valuesComeBackAfterARestart_data() {
        addColumns<QString, QByteArray>("value", "stored"); // stored: empty when not Windows-1252
        QTest::newRow("Windows-1252 path") << QString::fromUtf8("/tmp/K\u00f6ln/\u20ac.log")
                                           << QByteArray("/tmp/K\xf6ln/\x80.log");
        QTest::newRow("path beyond Windows-1252")
            << QString::fromUtf8("/home/\u0141ukasz/ref.log") << QByteArray();
        QTest::newRow("beyond the BMP") << QString::fromUtf8("/tmp/\U0001F4FB.log") << QByteArray();
        QTest::newRow("starts like the UTF-8 mark")
            << QString::fromUtf8("\u00ef\u00bb\u00bfx") << QByteArray();
    }
    void valuesComeBackAfterARestart() {
        QFETCH(QString, value);
        QFETCH(QByteArray, stored);
        TempProgramDir dir;
        {
            TMemIniFile ini(dir.file("Dalu.ini"));
            SettingsKeys::write(ini, SettingsKeys::referenceLog(1), value);
            ini.UpdateFile();
        }
        const QByteArray line = dir.readFile("Dalu.ini").split('\n').value(1).chopped(1);
        if (!stored.isEmpty())
            QCOMPARE(line, "Log1=" + stored);
        QCOMPARE(
            SettingsKeys::read(TMemIniFile(dir.file("Dalu.ini")), SettingsKeys::referenceLog(1)),
            value);
    }

    // What the writer produces the reader accepts: content past the read limit is refused
    // and the file stays.
    void writerStaysWithinTheReadLimit_data() {
        addColumns<qsizetype, bool>("size", "written");
        QTest::newRow("at the limit") << qsizetype(RegularFile::kSmallFileLimit) << true;
        QTest::newRow("one byte more") << qsizetype(RegularFile::kSmallFileLimit + 1) << false;
    }
    void writerStaysWithinTheReadLimit() {
        QFETCH(qsizetype, size);
        QFETCH(bool, written);
        TempProgramDir dir;
        dir.writeFile("Dalu.ini", "[A]\r\nB=old\r\n");
        TMemIniFile ini(dir.file("Dalu.ini"));
        const QString header = "[A]\r\nB=", footer = "\r\n\r\n";
        ini.WriteString("A", "B", QString(size - header.size() - footer.size(), 'x'));
        QCOMPARE(errorOf([&] { ini.UpdateFile(); }).isEmpty(), written);
        if (written)
            QCOMPARE(TMemIniFile(dir.file("Dalu.ini")).ReadString("A", "B", {}).size() + 11, size);
        else
            QCOMPARE(dir.readFile("Dalu.ini"), QByteArray("[A]\r\nB=old\r\n"));
    }

    // Many tiny sections cost a small multiple of the file in memory, not a heap block and
    // a table for each.
    void manyTinySectionsStayCompact() {
        QByteArray content;
        for (int i = 0; i < 100000; ++i)
            content += "[s" + QByteArray::number(i) + "]\nk=" + QByteArray::number(i % 7) + '\n';
        const qint64 before = heapInUse();
        if (before == 0)
            QSKIP("the allocator does not report its use");
        TMemIniFile ini(QString{});
        ini.parse(content);
        const qint64 used = heapInUse() - before;
        QVERIFY2(used < 10 * content.size(), qPrintable(QString::number(used)));
        QCOMPARE(ini.ReadInteger("S99999", "K", -1), 99999 % 7);
        QCOMPARE(ini.serialise().count('['), 100000);
    }

    void decide_data() {
        addColumns<bool, bool, bool, QString>("home", "iniBesideProgram", "installed", "expected");
        QTest::newRow("DALU_HOME over a portable folder") << true << true << true << "home/";
        QTest::newRow("portable folder with Dalu.ini") << false << true << true << "usr/bin/";
        QTest::newRow("build tree, not installed") << false << false << false << "usr/bin/";
        QTest::newRow("installed") << false << false << true << "user/";
    }
    void decide() {
        QFETCH(bool, home);
        QFETCH(bool, iniBesideProgram);
        QFETCH(bool, installed);
        QFETCH(QString, expected);
        TempProgramDir root;
        const QString r = root.path();
        QDir().mkpath(r + "usr/bin");
        if (iniBesideProgram)
            root.writeFile("usr/bin/Dalu.ini", "");
        if (installed)
            root.writeFile("usr/share/dalu/DXCC.ini", "[DXCC]\r\n");
        QCOMPARE(ProgramPlaces::sharedData(r + "usr/bin"),
                 installed ? r + "usr/share/dalu/" : QString());
        QCOMPARE(ProgramPlaces::decide({home ? r + "home" : QString(), r + "usr/bin", r + "user"}),
                 r + expected);
    }

    void firstStartSeedsAndLaterStartsKeepEdits() {
        TempProgramDir root;
        const QString user = root.file("user/");
        for (const char* name : {"DXCC.ini", "DOK.ini", "deutsch.lng", "callbook/callbook.txt"})
            root.writeFile(QString("share/") + name, QByteArray("delivered ") + name);
        ProgramPlaces::seed(user, root.file("share/"));
        QCOMPARE(root.readFile("user/DXCC.ini") + "|" + root.readFile("user/callbook/callbook.txt"),
                 "delivered DXCC.ini|delivered callbook/callbook.txt");
        // Language files are read from the installed originals.
        QVERIFY(!QFileInfo::exists(user + "deutsch.lng"));
        // The first run leaves its settings; the operator edits one file and drops another.
        root.writeFile("user/Dalu.ini", "[Allgemein]\r\n");
        root.writeFile("user/DXCC.ini", "edited");
        QVERIFY(QFile::remove(user + "DOK.ini"));
        ProgramPlaces::seed(user, root.file("share/"));
        QCOMPARE(root.readFile("user/DXCC.ini"), QByteArray("edited"));
        QVERIFY(!QFileInfo::exists(user + "DOK.ini"));
    }
};

QTEST_GUILESS_MAIN(TestTextFormats)
#include "tst_textformats.moc"
