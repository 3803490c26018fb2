#include "programdir.h"
#include "textrows.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

void write(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
}

QByteArray read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

} // namespace

class TestProgramDir : public QObject {
    Q_OBJECT
private slots:
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
        QTemporaryDir root;
        const QString r = root.path() + '/';
        QDir().mkpath(r + "usr/bin");
        if (iniBesideProgram)
            write(r + "usr/bin/Dalu.ini", "");
        if (installed)
            write(r + "usr/share/dalu/DXCC.ini", "[DXCC]\r\n");
        QCOMPARE(ProgramPlaces::sharedData(r + "usr/bin"),
                 installed ? r + "usr/share/dalu/" : QString());
        QCOMPARE(ProgramPlaces::decide({home ? r + "home" : QString(), r + "usr/bin", r + "user"}),
                 r + expected);
    }

    void firstStartSeedsAndLaterStartsKeepEdits() {
        QTemporaryDir root;
        const QString shared = root.path() + "/share/";
        const QString user = root.path() + "/user/";
        for (const char* name : {"DXCC.ini", "DOK.ini", "deutsch.lng", "callbook/callbook.txt"})
            write(shared + name, QByteArray("delivered ") + name);
        ProgramPlaces::seed(user, shared);
        QCOMPARE(read(user + "DXCC.ini"), QByteArray("delivered DXCC.ini"));
        QCOMPARE(read(user + "callbook/callbook.txt"),
                 QByteArray("delivered callbook/callbook.txt"));
        // Language files are read from the installed originals.
        QVERIFY(!QFileInfo::exists(user + "deutsch.lng"));

        // The first run leaves its settings; the operator edits one file and drops another.
        write(user + "Dalu.ini", "[Allgemein]\r\n");
        write(user + "DXCC.ini", "edited");
        QVERIFY(QFile::remove(user + "DOK.ini"));
        ProgramPlaces::seed(user, shared);
        QCOMPARE(read(user + "DXCC.ini"), QByteArray("edited"));
        QVERIFY(!QFileInfo::exists(user + "DOK.ini"));
    }
};

QTEST_GUILESS_MAIN(TestProgramDir)
#include "tst_programdir.moc"
