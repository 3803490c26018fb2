// Crafted files and faults: two writers, a full disk, special files, odd line ends.
#include "atomicfilewriter.h"
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

#include <QFile>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QList<TQsoRecord> readAll(const QString& path) {
    QList<TQsoRecord> records;
    TLogFile(path).forEachRecord([&](const TQsoRecord& r) { records.append(r); });
    return records;
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
    void settingsNameKeepsOnlyTheFileName_data();
    void settingsNameKeepsOnlyTheFileName();
    void oddLineEndsAndMissingHeader_data();
    void oddLineEndsAndMissingHeader();
    void repairNeverEmptiesALog();
    void rewriteKeepsModeAndLink();
    void specialFilesAreNotRead_data();
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
    const QString path = dir.file(job == 4 ? "Dalu.ini" : "a.log");
    LogBuilder::writeLog(path, {LogBuilder::qso(1), LogBuilder::qso(2)});
    const QByteArray before = dir.readFile(QFileInfo(path).fileName());
    const int oldWait = FileWriteLock::waitMs;
    FileWriteLock::waitMs = 100;
    const FileWriteLock other(path);
    TLogFile log(path);
    TMemIniFile ini(dir.file("missing.ini"));
    const QString error = errorOf([&] {
        switch (job) {
        case 0:
            return log.AppendRecord(LogBuilder::qso(3));
        case 1:
            log.ReplaceRecord(LogBuilder::qso(9), 1);
            return;
        case 2:
            return log.Repair();
        case 3:
            LogConverter::append(path, {});
            return;
        default:
            TMemIniFile(path).UpdateFile();
        }
    });
    FileWriteLock::waitMs = oldWait;
    QVERIFY2(error.contains("another program"), qPrintable(error));
    QCOMPARE(dir.readFile(QFileInfo(path).fileName()), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1); // no temporary file left
}

void TestHostileFiles::twoAppendJobsLoseNothing() {
    // Two converter jobs appending to one log at once: every QSO of both arrives.
    TempProgramDir dir;
    const QString target = dir.file("t.log");
    LogBuilder::writeLog(target, {});
    QList<pid_t> children;
    for (int job = 0; job < 2; ++job) {
        const QString source = dir.file(QString("s%1.log").arg(job));
        QList<TQsoRecord> qsos;
        for (int n = 1; n <= 20; ++n)
            qsos.append(LogBuilder::qso(n, "QX" + QByteArray::number(job * 100 + n)));
        LogBuilder::writeLog(source, qsos);
        const pid_t child = fork();
        if (child == 0) {
            try {
                for (int round = 0; round < 10; ++round)
                    LogConverter::append(target, {source});
            } catch (...) {
                _exit(1);
            }
            _exit(0);
        }
        children.append(child);
    }
    for (pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    QCOMPARE(readAll(target).size(), 400);
}

void TestHostileFiles::fullDiskLeavesNoHalfRecord() {
    TempProgramDir dir;
    const QString path = dir.file("a.log");
    LogBuilder::writeLog(path, {LogBuilder::qso(1)});
    const QByteArray before = dir.readFile("a.log");
    // A file size limit makes the write fail half way, as a full disk does.
    signal(SIGXFSZ, SIG_IGN);
    rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = rlim_t(before.size() + 10);
    setrlimit(RLIMIT_FSIZE, &small);
    const QString error = errorOf([&] { TLogFile(path).AppendRecord(LogBuilder::qso(2)); });
    setrlimit(RLIMIT_FSIZE, &old);
    QVERIFY2(error.contains("File too large"), qPrintable(error));
    QCOMPARE(dir.readFile("a.log"), before);
    TLogFile(path).AppendRecord(LogBuilder::qso(2));
    QCOMPARE(readAll(path).size(), 2);
}

void TestHostileFiles::settingsNameKeepsOnlyTheFileName_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("log");
    QTest::addColumn<QString>("language");
    QTest::newRow("plain") << "a.log"
                           << "a.log"
                           << "a.log";
    QTest::newRow("up and out") << "../outside/victim.txt"
                                << "victim.txt"
                                << "victim.txt";
    QTest::newRow("system file") << "../../../../etc/passwd"
                                 << "passwd"
                                 << "passwd";
    QTest::newRow("absolute") << "/etc/passwd"
                              << "passwd"
                              << "passwd";
    QTest::newRow("parent only") << ".."
                                 << ""
                                 << "deutsch.lng";
}

void TestHostileFiles::settingsNameKeepsOnlyTheFileName() {
    QFETCH(QString, value);
    TMemIniFile ini(QString{});
    SettingsKeys::write(ini, SettingsKeys::LastLogFileName, value);
    SettingsKeys::write(ini, SettingsKeys::Language, value);
    QTEST(SettingsKeys::readFileName(ini, SettingsKeys::LastLogFileName), "log");
    QTEST(SettingsKeys::readFileName(ini, SettingsKeys::Language), "language");
}

void TestHostileFiles::oddLineEndsAndMissingHeader_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArrayList>("calls");
    const QByteArray h = QsoLine::kHeader;
    QTest::newRow("CR only") << h + "\r1;;;;;QX1A\r2;;;;;QX2B\r" << QByteArrayList{"QX1A", "QX2B"};
    QTest::newRow("mixed") << h + "\n1;;;;;QX1A\r\n2;;;;;QX2B" << QByteArrayList{"QX1A", "QX2B"};
    QTest::newRow("no header") << QByteArray("1;;;;;QX1A\r\n2;;;;;QX2B\r\n")
                               << QByteArrayList{"QX1A", "QX2B"};
    QTest::newRow("damaged header")
        << QByteArray("#;Date;U\r\n1;;;;;QX1A\r\n") << QByteArrayList{"QX1A"};
}

void TestHostileFiles::oddLineEndsAndMissingHeader() {
    QFETCH(QByteArray, content);
    QFETCH(QByteArrayList, calls);
    TempProgramDir dir;
    dir.writeFile("a.log", content);
    auto callsOf = [&] {
        QByteArrayList read;
        for (const TQsoRecord& r : readAll(dir.file("a.log")))
            read.append(r[QsoField::Call]);
        return read;
    };
    QCOMPARE(callsOf(), calls);
    // An edit replaces the record read, and a repair keeps every record.
    TLogFile log(dir.file("a.log"));
    QVERIFY(log.ReplaceRecord(LogBuilder::record({{"Call", "QX9NEW"}}), calls.size()));
    calls.last() = "QX9NEW";
    QCOMPARE(callsOf(), calls);
    log.Repair();
    QCOMPARE(callsOf(), calls);
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
    const QString real = dir.file("real/a.log");
    LogBuilder::writeLog(real, {LogBuilder::qso(1), LogBuilder::qso(2)});
    QVERIFY(QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner));
    QVERIFY(QFile::link(real, dir.file("a.log")));
    TLogFile(dir.file("a.log")).ReplaceRecord(LogBuilder::qso(7), 1);
    TLogFile(dir.file("a.log")).Repair();
    QVERIFY(QFileInfo(dir.file("a.log")).isSymLink());
    QCOMPARE(readAll(real).first()[QsoField::Call], LogBuilder::qso(7)[QsoField::Call]);
    struct stat st;
    QCOMPARE(::stat(QFile::encodeName(real).constData(), &st), 0);
    QCOMPARE(st.st_mode & 0777, 0600u);
}

void TestHostileFiles::specialFilesAreNotRead_data() {
    QTest::addColumn<QString>("special");
    QTest::newRow("fifo") << "fifo";
    QTest::newRow("zero device") << "/dev/zero";
}

void TestHostileFiles::specialFilesAreNotRead() {
    QFETCH(QString, special);
    TempProgramDir dir;
    if (special == "fifo") {
        special = dir.file("fifo");
        QCOMPARE(mkfifo(QFile::encodeName(special).constData(), 0600), 0);
    }
    // None of these may block or read without end.
    QVERIFY(errorOf([&] { TMemIniFile ini(special); }).contains("not a regular file"));
    QVERIFY(errorOf([&] { readLanguageFile(special); }).contains("not a regular file"));
    QVERIFY(errorOf([&] { readAll(special); }).contains("not a regular file"));
    QVERIFY(readReferenceString(special, "DXCC", "DL").isEmpty());
    dir.writeFile("big.ini", QByteArray(2 * 1024 * 1024 + 1, 'x'));
    QVERIFY(errorOf([&] {
                RegularFile::readAll(dir.file("big.ini"), 2 * 1024 * 1024);
            }).contains("larger than 2 MB"));
}

QTEST_GUILESS_MAIN(TestHostileFiles)
#include "tst_hostilefiles.moc"
