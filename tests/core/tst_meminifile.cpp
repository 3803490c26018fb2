#include "meminifile.h"
#include "programdir.h"
#include "settingskeys.h"
#include "tempprogramdir.h"
#include "textrows.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

class TestMemIniFile : public QObject {
    Q_OBJECT
private slots:
    void missingFileReadsDefaultsAndIsCreatedOnFlush() {
        TempProgramDir dir;
        TMemIniFile ini(dir.file("Dalu.ini"));
        QCOMPARE(SettingsKeys::read(ini, SettingsKeys::EigenerLocator), QString("JO43SQ"));
        QCOMPARE(SettingsKeys::read(ini, SettingsKeys::UtcDiffAuto), true);
        QCOMPARE(SettingsKeys::read(ini, SettingsKeys::MainFormWidth), 775);
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
        row("hex upper", 'i', "0XFF", 255);
        row("garbage gives default", 'i', "12px", 64);
        row("empty gives default", 'i', {}, 64);
        row("bad hex gives default", 'i', "0x", 64);
        row("too large gives default", 'i', "99999999999", 64);
        row("bool 0", 'b', "0", 0);
        row("bool 1", 'b', "1", 1);
        row("any number is true", 'b', "-7", 1);
        row("unreadable bool gives default", 'b', "yes", 1);
        row("whole float", 'f', "-1", -1);
        row("decimal comma", 'f', "1,5", 1.5);
        row("decimal point is unreadable", 'f', "1.5", 7);
        row("empty float", 'f', {}, 7);
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

    void valuesWithLineBreaksStayOnOneLine() {
        TMemIniFile ini(QString{});
        ini.WriteString("Vorgaben", "Comments", "a\r\n[Evil]\r\nx=1");
        TMemIniFile reread(QString{});
        reread.parse(ini.serialise());
        QCOMPARE(reread.ReadSection("Evil"), QStringList{});
        QCOMPARE(reread.ReadString("Vorgaben", "Comments", {}), QString("a  [Evil]  x=1"));
    }

    void keysWithParameters() {
        TMemIniFile ini(QString{});
        const QString path = QString::fromUtf8("/tmp/K\u00f6ln.log");
        SettingsKeys::write(ini, SettingsKeys::buttons(3), "ce");
        SettingsKeys::write(ini, SettingsKeys::referenceLog(4), path);
        SettingsKeys::write(ini, SettingsKeys::preset(SettingsKeys::kPresets[1]), "59");
        const QByteArray text = ini.serialise();
        QVERIFY(text.contains("[Buttons]\r\nBF3=ce\r\n"));
        QVERIFY(text.contains("Log4=/tmp/K\xf6ln.log\r\n")); // stored as Windows-1252
        QVERIFY(text.contains("[Vorgaben]\r\nRstTx=59\r\n"));
        QCOMPARE(SettingsKeys::read(ini, SettingsKeys::referenceLog(4)), path);
    }

    void decide_data() {
        addColumns<bool, bool, bool, QString>("home", "iniBesideProgram", "installed", "expected");
        QTest::newRow("DALU_HOME over a portable folder") << true << true << true << "home/";
        QTest::newRow("DALU_HOME over the installed layout") << true << false << true << "home/";
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

QTEST_GUILESS_MAIN(TestMemIniFile)
#include "tst_meminifile.moc"
