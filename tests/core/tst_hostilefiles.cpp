// Crafted files and faults: two writers, a full disk, special files, odd line ends.
#include "daluerror.h"
#include "filelock.h"
#include "languagefile.h"
#include "logbuilder.h"
#include "logconverter.h"
#include "logfile.h"
#include "meminifile.h"
#include "referenceini.h"
#include "regularfile.h"
#include "settingskeys.h"
#include "tempprogramdir.h"
#include "uitexts.h"

#include <QDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArrayList calls(const QString& path) {
    QByteArrayList list;
    TLogFile(path).forEachRecord([&](const TQsoRecord& r) { list.append(r[QsoField::Call]); });
    return list;
}

QString errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const DaluError& e) {
        return e.message();
    }
    return {};
}

} // namespace

class TestHostileFiles : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setUiLanguage(UiLanguage::English); }
    void secondWriterWaitsThenRefuses_data();
    void secondWriterWaitsThenRefuses();
    void twoAppendJobsLoseNothing();
    void fullDiskLeavesNoHalfRecord();
    void settingsNameKeepsOnlyTheFileName();
    void oddLineEndsAndMissingHeader_data();
    void oddLineEndsAndMissingHeader();
    void repairNeverEmptiesALog();
    void rewriteKeepsModeAndLink();
    void specialFilesAreNotRead();
};

void TestHostileFiles::secondWriterWaitsThenRefuses_data() {
    QTest::addColumn<int>("job");
    QTest::newRow("commit") << 0;
    QTest::newRow("edit") << 1;
    QTest::newRow("repair") << 2;
    QTest::newRow("converter append") << 3;
    QTest::newRow("settings") << 4;
}

void TestHostileFiles::secondWriterWaitsThenRefuses() {
    QFETCH(int, job);
    TempProgramDir dir;
    const QString path = dir.file("a.log");
    LogBuilder::writeLog(path, {LogBuilder::qso(1), LogBuilder::qso(2)});
    const QByteArray before = dir.readFile("a.log");
    FileWriteLock::waitMs = 100;
    const FileWriteLock other(path);
    TLogFile log(path);
    const QString error = errorOf([&] {
        if (job == 0)
            log.AppendRecord(LogBuilder::qso(3));
        else if (job == 1)
            log.ReplaceRecord(LogBuilder::qso(9), 1);
        else if (job == 2)
            log.Repair();
        else if (job == 3)
            LogConverter::append(path, {});
        else
            TMemIniFile(path).UpdateFile();
    });
    QVERIFY2(error.contains("being written by another program"), qPrintable(error));
    QCOMPARE(dir.readFile("a.log"), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1); // no temporary file left
}

void TestHostileFiles::twoAppendJobsLoseNothing() {
    // Two converter jobs append to one log at once: every QSO of both arrives. Each may wait
    // as long as the other needs, however loaded the machine: this test is not about giving up.
    FileWriteLock::waitMs = 60000;
    TempProgramDir dir;
    LogBuilder::writeLog(dir.file("t.log"), {});
    QList<pid_t> children;
    for (int job = 0; job < 2; ++job) {
        const QString source = dir.file(QString("s%1.log").arg(job));
        QList<TQsoRecord> qsos;
        for (int n = 1; n <= 20; ++n)
            qsos.append(LogBuilder::qso(n, "QX" + QByteArray::number(job * 100 + n)));
        LogBuilder::writeLog(source, qsos);
        children.append(fork());
        if (children.last() == 0) {
            try {
                for (int round = 0; round < 10; ++round)
                    LogConverter::append(dir.file("t.log"), {source});
            } catch (...) {
                _exit(1);
            }
            _exit(0);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    QCOMPARE(calls(dir.file("t.log")).size(), 400);
}

void TestHostileFiles::fullDiskLeavesNoHalfRecord() {
    TempProgramDir dir;
    LogBuilder::writeLog(dir.file("a.log"), {LogBuilder::qso(1)});
    const QByteArray before = dir.readFile("a.log");
    // A file size limit makes the write fail half way, as a full disk does.
    signal(SIGXFSZ, SIG_IGN);
    rlimit old, small;
    getrlimit(RLIMIT_FSIZE, &old);
    small = old;
    small.rlim_cur = rlim_t(before.size() + 10);
    setrlimit(RLIMIT_FSIZE, &small);
    const QString error = errorOf([&] { TLogFile(dir.file("a.log")).AppendRecord({}); });
    setrlimit(RLIMIT_FSIZE, &old);
    QVERIFY2(error.contains("File too large"), qPrintable(error));
    QCOMPARE(dir.readFile("a.log"), before);
}

void TestHostileFiles::settingsNameKeepsOnlyTheFileName() {
    const QList<QPair<QString, QString>> cases = {{"a.log", "a.log"},
                                                  {"../outside/victim.txt", "victim.txt"},
                                                  {"../../../../etc/passwd", "passwd"},
                                                  {"..", "deutsch.lng"}};
    TMemIniFile ini{QString()};
    for (const auto& [value, expected] : cases) {
        SettingsKeys::write(ini, SettingsKeys::Language, value);
        QCOMPARE(SettingsKeys::readFileName(ini, SettingsKeys::Language), expected);
    }
}

void TestHostileFiles::oddLineEndsAndMissingHeader_data() {
    QTest::addColumn<QByteArray>("content");
    const QByteArray h = QsoLine::kHeader;
    QTest::newRow("CR only") << h + "\r1;;;;;QX1A\r2;;;;;QX2B\r";
    QTest::newRow("mixed, last unended") << h + "\n1;;;;;QX1A\r\n2;;;;;QX2B";
    QTest::newRow("no header") << QByteArray("1;;;;;QX1A\r\n2;;;;;QX2B\r\n");
    QTest::newRow("damaged header") << QByteArray("#;Date;U\r\n1;;;;;QX1A\r\n2;;;;;QX2B\r\n");
}

void TestHostileFiles::oddLineEndsAndMissingHeader() {
    QFETCH(QByteArray, content);
    TempProgramDir dir;
    dir.writeFile("a.log", content);
    const QString path = dir.file("a.log");
    QCOMPARE(calls(path), QByteArrayList({"QX1A", "QX2B"}));
    // An edit replaces the record read, and a repair keeps every record.
    QVERIFY(TLogFile(path).ReplaceRecord(LogBuilder::record({{"Call", "QX9NEW"}}), 2));
    TLogFile(path).Repair();
    QCOMPARE(calls(path), QByteArrayList({"QX1A", "QX9NEW"}));
    QVERIFY(dir.readFile("a.log").startsWith(QsoLine::kHeader + "\r\n"));
}

void TestHostileFiles::repairNeverEmptiesALog() {
    TempProgramDir dir;
    dir.writeFile("a.log", "some text that is no log\r\n");
    QVERIFY(errorOf([&] { TLogFile(dir.file("a.log")).Repair(); }).contains("no readable QSO"));
    QVERIFY(errorOf([&] { LogConverter::repair({dir.file("a.log")}); }).contains("no readable"));
    QCOMPARE(dir.readFile("a.log"), QByteArray("some text that is no log\r\n"));
    dir.writeFile("b.log", QsoLine::kHeader + "\r\n"); // an empty log stays empty
    TLogFile(dir.file("b.log")).Repair();
}

void TestHostileFiles::rewriteKeepsModeAndLink() {
    TempProgramDir dir;
    QDir(dir.path()).mkdir("real");
    LogBuilder::writeLog(dir.file("real/a.log"), {LogBuilder::qso(1)});
    QVERIFY(QFile::setPermissions(dir.file("real/a.log"), QFile::ReadOwner | QFile::WriteOwner));
    QVERIFY(QFile::link(dir.file("real/a.log"), dir.file("a.log")));
    TLogFile(dir.file("a.log")).ReplaceRecord(LogBuilder::qso(7), 1);
    TLogFile(dir.file("a.log")).Repair();
    QVERIFY(QFileInfo(dir.file("a.log")).isSymLink());
    QCOMPARE(calls(dir.file("real/a.log")), QByteArrayList({"QX7ABC"}));
    struct stat st;
    QCOMPARE(::stat(QFile::encodeName(dir.file("real/a.log")).constData(), &st), 0);
    QCOMPARE(st.st_mode & 0777, 0600u);
}

void TestHostileFiles::specialFilesAreNotRead() {
    TempProgramDir dir;
    QCOMPARE(mkfifo(QFile::encodeName(dir.file("fifo")).constData(), 0600), 0);
    // None of these may block or read without end.
    for (const QString& special : {dir.file("fifo"), QString("/dev/zero")}) {
        QVERIFY(errorOf([&] { TMemIniFile ini(special); }).contains("not a regular file"));
        QVERIFY(errorOf([&] { readLanguageFile(special); }).contains("not a regular file"));
        QVERIFY(errorOf([&] { calls(special); }).contains("not a regular file"));
        QVERIFY(readReferenceString(special, "DXCC", "DL").isEmpty());
    }
    dir.writeFile("big.ini", QByteArray(2 * 1024 * 1024 + 1, 'x'));
    QVERIFY(errorOf([&] {
                RegularFile::readAll(dir.file("big.ini"), 2 * 1024 * 1024);
            }).contains("larger than 2 MB"));
}

QTEST_GUILESS_MAIN(TestHostileFiles)
#include "tst_hostilefiles.moc"
