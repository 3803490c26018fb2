#include "meminifile.h"
#include "settingskeys.h"
#include "tempprogramdir.h"

#include <QFile>
#include <QTest>

class TestMemIniFile : public QObject {
    Q_OBJECT
private slots:
    void missingFileReadsDefaultsAndIsCreatedOnFlush();
    void namesMatchWithoutCase();
    void valueIsEverythingAfterFirstEquals();
    void integers_data();
    void integers();
    void bools_data();
    void bools();
    void floats_data();
    void floats();
    void updateFileKeepsOrderAndAppendsNewSections();
    void valuesWithLineBreaksStayOnOneLine();
    void keysWithParameters();
};

void TestMemIniFile::missingFileReadsDefaultsAndIsCreatedOnFlush() {
    TempProgramDir dir;
    TMemIniFile ini(dir.file("Dalu.ini"));
    QCOMPARE(SettingsKeys::read(ini, SettingsKeys::EigenerLocator), QString("JO43SQ"));
    QCOMPARE(SettingsKeys::read(ini, SettingsKeys::UtcDiffAuto), true);
    QCOMPARE(SettingsKeys::read(ini, SettingsKeys::MainFormWidth), 775);
    QCOMPARE(SettingsKeys::read(ini, SettingsKeys::DoppelCheckOptions), QString("000"));
    QVERIFY(!QFile::exists(dir.file("Dalu.ini")));
    ini.UpdateFile();
    QVERIFY(QFile::exists(dir.file("Dalu.ini")));
    QVERIFY(!QFile::exists(dir.file("Dalu.ini.tmp")));
}

void TestMemIniFile::namesMatchWithoutCase() {
    TempProgramDir dir;
    dir.writeFile("Dalu.ini", "[rac]\r\nEMail=1\r\n[Allgemein]\r\neigenescall=DL1ABC\r\n");
    TMemIniFile ini(dir.file("Dalu.ini"));
    QCOMPARE(ini.ReadBool("RAC", "Email", false), true);
    QCOMPARE(SettingsKeys::read(ini, SettingsKeys::EigenesCall), QString("DL1ABC"));
    ini.WriteString("ALLGEMEIN", "EIGENESCALL", "DL2XYZ");
    QCOMPARE(ini.ReadSection("Allgemein"), QStringList{"eigenescall"});
    QVERIFY(ini.serialise().contains("eigenescall=DL2XYZ\r\n"));
}

void TestMemIniFile::valueIsEverythingAfterFirstEquals() {
    TMemIniFile ini(QString{});
    ini.parse("[StatusBar]\nText=a=b \"c\" \n");
    QCOMPARE(ini.ReadString("StatusBar", "Text", {}), QString("a=b \"c\" "));
}

void TestMemIniFile::integers_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("decimal") << QByteArray("204") << 204;
    QTest::newRow("negative") << QByteArray("-12") << -12;
    QTest::newRow("hex lower") << QByteArray("0x1f") << 31;
    QTest::newRow("hex upper") << QByteArray("0XFF") << 255;
    QTest::newRow("garbage gives default") << QByteArray("12px") << 64;
    QTest::newRow("empty gives default") << QByteArray() << 64;
    QTest::newRow("bad hex gives default") << QByteArray("0x") << 64;
    QTest::newRow("too large gives default") << QByteArray("99999999999") << 64;
}

void TestMemIniFile::integers() {
    QFETCH(QByteArray, value);
    QFETCH(int, expected);
    TMemIniFile ini(QString{});
    ini.parse("[Positionen]\r\nListeStringGrid.ColWidths[3]=" + value + "\r\n");
    QCOMPARE(SettingsKeys::read(ini, SettingsKeys::listColumnWidth(3)), expected);
}

void TestMemIniFile::bools_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("expected");
    QTest::newRow("0") << QByteArray("0") << false;
    QTest::newRow("1") << QByteArray("1") << true;
    QTest::newRow("any number is true") << QByteArray("-7") << true;
    QTest::newRow("unreadable gives default") << QByteArray("yes") << true;
}

void TestMemIniFile::bools() {
    QFETCH(QByteArray, value);
    QFETCH(bool, expected);
    TMemIniFile ini(QString{});
    ini.parse("[ShowAtStartUp]\r\nf=" + value + "\r\n");
    QCOMPARE(SettingsKeys::read(ini, SettingsKeys::showAtStartUp('f')), expected);
}

void TestMemIniFile::floats_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<double>("expected");
    QTest::newRow("whole") << QByteArray("-1") << -1.0;
    QTest::newRow("decimal comma") << QByteArray("1,5") << 1.5;
    QTest::newRow("decimal point is unreadable") << QByteArray("1.5") << 7.0;
    QTest::newRow("empty") << QByteArray("") << 7.0;
}

void TestMemIniFile::floats() {
    QFETCH(QByteArray, value);
    QFETCH(double, expected);
    TMemIniFile ini(QString{});
    ini.parse("[Allgemein]\r\nUtcDiff=" + value + "\r\n");
    QCOMPARE(ini.ReadFloat("Allgemein", "UtcDiff", 7.0), expected);
}

void TestMemIniFile::updateFileKeepsOrderAndAppendsNewSections() {
    TempProgramDir dir;
    dir.writeFile("Dalu.ini", "[Language]\nLanguage=english.lng\n\n\n[Allgemein]\nUtcDiff=-1\n");
    TMemIniFile ini(dir.file("Dalu.ini"));
    ini.WriteFloat("Allgemein", "UtcDiff", 1.5);
    SettingsKeys::write(ini, SettingsKeys::ClockShow, true);
    ini.WriteInteger("Positionen", "MainForm.Top", 12);
    ini.UpdateFile();
    QCOMPARE(dir.readFile("Dalu.ini"), QByteArray("[Language]\r\nLanguage=english.lng\r\n\r\n"
                                                  "[Allgemein]\r\nUtcDiff=1,5\r\n\r\n"
                                                  "[Clock]\r\nShow=1\r\n\r\n"
                                                  "[Positionen]\r\nMainForm.Top=12\r\n\r\n"));
    TMemIniFile again(dir.file("Dalu.ini"));
    QCOMPARE(again.ReadFloat("Allgemein", "UtcDiff", 0), 1.5);
    QCOMPARE(again.ReadInteger("Positionen", "MainForm.Top", 0), 12);
}

void TestMemIniFile::valuesWithLineBreaksStayOnOneLine() {
    TMemIniFile ini(QString{});
    ini.WriteString("Vorgaben", "Comments", "a\r\n[Evil]\r\nx=1");
    TMemIniFile reread(QString{});
    reread.parse(ini.serialise());
    QCOMPARE(reread.ReadSection("Evil"), QStringList{});
    QCOMPARE(reread.ReadString("Vorgaben", "Comments", {}), QString("a  [Evil]  x=1"));
}

void TestMemIniFile::keysWithParameters() {
    TMemIniFile ini(QString{});
    SettingsKeys::write(ini, SettingsKeys::buttons(3), "ce");
    SettingsKeys::write(ini, SettingsKeys::referenceLog(4), QString::fromUtf8("/tmp/K\u00f6ln.log"));
    SettingsKeys::write(ini, SettingsKeys::preset(SettingsKeys::kPresets[1]), "59");
    const QByteArray text = ini.serialise();
    QVERIFY(text.contains("[Buttons]\r\nBF3=ce\r\n"));
    QVERIFY(text.contains("Log4=/tmp/K\xf6ln.log\r\n")); // stored as Windows-1252
    QVERIFY(text.contains("[Vorgaben]\r\nRstTx=59\r\n"));
    QCOMPARE(SettingsKeys::read(ini, SettingsKeys::referenceLog(4)),
             QString::fromUtf8("/tmp/K\u00f6ln.log"));
}

QTEST_GUILESS_MAIN(TestMemIniFile)
#include "tst_meminifile.moc"
