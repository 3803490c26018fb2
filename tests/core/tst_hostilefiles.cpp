// Crafted files and faults: two writers, a full disk, special files, odd line ends, and the
// order in which a write reaches the disk.
#include "errorof.h"
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
#include <cstdio>
#include <dlfcn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using LogBuilder::qso;

// The syncs and renames of the program are watched here, between it and the C library:
// which file each reached (by inode, or "folder"), and how much of it was written then.
namespace {

bool g_watching = false;
QStringList g_steps;

QString describe(const struct stat& st) {
    return S_ISDIR(st.st_mode) ? QString("folder")
                               : QString("%1:%2").arg(st.st_ino).arg(st.st_size);
}

int watchSync(int fd, const char* name) {
    struct stat st;
    if (g_watching && ::fstat(fd, &st) == 0)
        g_steps << "sync " + describe(st);
    return reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, name))(fd);
}

} // namespace

extern "C" int fsync(int fd) {
    return watchSync(fd, "fsync");
}

extern "C" int fdatasync(int fd) {
    return watchSync(fd, "fdatasync");
}

extern "C" int rename(const char* from, const char* to) noexcept {
    struct stat st;
    if (g_watching && ::stat(from, &st) == 0)
        g_steps << "rename " + describe(st);
    using Rename = int (*)(const char*, const char*);
    return reinterpret_cast<Rename>(dlsym(RTLD_NEXT, "rename"))(from, to);
}

namespace {

QByteArrayList calls(const QString& path) {
    QByteArrayList list;
    TLogFile(path).forEachRecord([&](const TQsoRecord& r) { list.append(r[QsoField::Call]); });
    return list;
}

// Every job that writes a file; each makes its file more than 10 bytes longer.
enum Job { Commit, Edit, Repair, ConverterAppend, Settings };
const char* const kJobNames[] = {"commit", "edit", "repair", "converter append", "settings"};

struct Files {
    Files() {
        dir.writeFile("a.log", "#;short header\r\n" + QsoLine::join(qso(1)) + "\r\n");
        LogBuilder::writeLog(dir.file("s.log"), {qso(2)});
        dir.writeFile("Dalu.ini", "[A]\r\nB=1\r\n\r\n");
    }
    QString target(int job) const { return dir.file(job == Settings ? "Dalu.ini" : "a.log"); }
    void run(int job) const {
        TLogFile log(dir.file("a.log"));
        TQsoRecord longer = qso(1);
        longer[QsoField::Comments] = QByteArray(40, 'x');
        if (job == Commit)
            log.AppendRecord(qso(3));
        else if (job == Edit)
            log.ReplaceRecord(longer, 1);
        else if (job == Repair)
            log.Repair();
        else if (job == ConverterAppend)
            LogConverter::append(dir.file("a.log"), {dir.file("s.log")});
        else {
            TMemIniFile ini(target(job));
            ini.WriteString("A", "B", QString(40, 'x'));
            ini.UpdateFile();
        }
    }
    TempProgramDir dir;
};

// Writes beyond the given size fail while it lives, as on a full disk.
struct FileSizeLimit {
    explicit FileSizeLimit(qint64 bytes) {
        signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = rlim_t(bytes);
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old); }
    rlimit old;
};

} // namespace

class TestHostileFiles : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setUiLanguage(UiLanguage::English); }

    void failedWriteKeepsTheFile_data() {
        QTest::addColumn<int>("job");
        QTest::addColumn<bool>("diskFull");
        for (int job = Commit; job <= Settings; ++job) {
            QTest::addRow("%s, another writer", kJobNames[job]) << job << false;
            QTest::addRow("%s, disk full", kJobNames[job]) << job << true;
        }
    }
    void failedWriteKeepsTheFile() {
        QFETCH(int, job);
        QFETCH(bool, diskFull);
        const Files files;
        const QByteArray log = files.dir.readFile("a.log");
        const QByteArray ini = files.dir.readFile("Dalu.ini");
        FileWriteLock::waitMs = 100;
        QString error;
        if (diskFull) {
            const FileSizeLimit limit(QFileInfo(files.target(job)).size() + 10);
            error = errorOf([&] { files.run(job); });
        } else {
            const FileWriteLock other(files.target(job));
            error = errorOf([&] { files.run(job); });
        }
        QVERIFY2(error.contains(diskFull ? "File too large" : "being written by another program"),
                 qPrintable(error));
        QCOMPARE(files.dir.readFile("a.log"), log);
        QCOMPARE(files.dir.readFile("Dalu.ini"), ini);
        QCOMPARE(QDir(files.dir.path()).entryList(QDir::Files),
                 (QStringList{"a.log", "Dalu.ini", "s.log"})); // no temporary file left
    }

    // A crash or power cut after the rename must find the new content on disk.
    void dataIsOnDiskBeforeTheRename_data() {
        QTest::addColumn<int>("job");
        for (int job = Commit; job <= Settings; ++job)
            QTest::newRow(kJobNames[job]) << job;
    }
    void dataIsOnDiskBeforeTheRename() {
        QFETCH(int, job);
        const Files files;
        g_steps.clear();
        g_watching = true;
        files.run(job);
        g_watching = false;
        struct stat st;
        QCOMPARE(::stat(QFile::encodeName(files.target(job)).constData(), &st), 0);
        const QString now = describe(st);
        // A commit appends in place; a rewrite syncs the whole temporary file, renames it
        // over the target, then syncs the folder that holds the new name.
        const QStringList expected = {"sync " + now, "rename " + now, "sync folder"};
        QCOMPARE(g_steps, job == Commit ? expected.mid(0, 1) : expected);
    }

    void twoAppendJobsLoseNothing() {
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
                qsos.append(qso(n, "QX" + QByteArray::number(job * 100 + n)));
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

    void settingsNameKeepsOnlyTheFileName() {
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

    void oddLineEndsAndMissingHeader_data() {
        QTest::addColumn<QByteArray>("content");
        const QByteArray h = QsoLine::kHeader;
        QTest::newRow("CR only") << h + "\r1;;;;;QX1A\r2;;;;;QX2B\r";
        QTest::newRow("mixed, last unended") << h + "\n1;;;;;QX1A\r\n2;;;;;QX2B";
        QTest::newRow("no header") << QByteArray("1;;;;;QX1A\r\n2;;;;;QX2B\r\n");
        QTest::newRow("damaged header") << QByteArray("#;Date;U\r\n1;;;;;QX1A\r\n2;;;;;QX2B\r\n");
    }
    void oddLineEndsAndMissingHeader() {
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

    void repairNeverEmptiesALog() {
        TempProgramDir dir;
        dir.writeFile("a.log", "some text that is no log\r\n");
        QVERIFY(errorOf([&] { TLogFile(dir.file("a.log")).Repair(); }).contains("no readable QSO"));
        QVERIFY(
            errorOf([&] { LogConverter::repair({dir.file("a.log")}); }).contains("no readable"));
        QCOMPARE(dir.readFile("a.log"), QByteArray("some text that is no log\r\n"));
        dir.writeFile("b.log", QsoLine::kHeader + "\r\n"); // an empty log stays empty
        TLogFile(dir.file("b.log")).Repair();
    }

    void rewriteKeepsModeAndLink() {
        TempProgramDir dir;
        QDir(dir.path()).mkdir("real");
        LogBuilder::writeLog(dir.file("real/a.log"), {qso(1)});
        QVERIFY(
            QFile::setPermissions(dir.file("real/a.log"), QFile::ReadOwner | QFile::WriteOwner));
        QVERIFY(QFile::link(dir.file("real/a.log"), dir.file("a.log")));
        TLogFile(dir.file("a.log")).ReplaceRecord(qso(7), 1);
        TLogFile(dir.file("a.log")).Repair();
        QVERIFY(QFileInfo(dir.file("a.log")).isSymLink());
        QCOMPARE(calls(dir.file("real/a.log")), QByteArrayList({"QX7ABC"}));
        struct stat st;
        QCOMPARE(::stat(QFile::encodeName(dir.file("real/a.log")).constData(), &st), 0);
        QCOMPARE(st.st_mode & 0777, 0600u);
    }

    void specialFilesAreNotRead() {
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
};

QTEST_GUILESS_MAIN(TestHostileFiles)
#include "tst_hostilefiles.moc"
