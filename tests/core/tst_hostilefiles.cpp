// The log file's jobs, and crafted files and faults: two writers, a full disk, special files,
// odd line ends, and the order in which a write reaches the disk.
#include "atomicfilewriter.h"
#include "coretest.h"
#include "dxccevaluation.h"
#include "errorof.h"
#include "filelock.h"
#include "languagefile.h"
#include "logbuilder.h"
#include "logconverter.h"
#include "logfile.h"
#include "meminifile.h"
#include "qsorepair.h"
#include "referenceini.h"
#include "regularfile.h"
#include "settingskeys.h"
#include "tempprogramdir.h"
#include "testdata.h"
#include "uitexts.h"

#include <csignal>
#include <cstdio>
#include <dlfcn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

using LogBuilder::qso;
using LogBuilder::rawLog;

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

QByteArrayList calls(const QString& path, QsoField field = QsoField::Call) {
    QByteArrayList list;
    TLogFile(path).forEachRecord([&](const TQsoRecord& r) { list.append(r[field]); });
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

    void newFileThenEveryLineAfterTheHeader() {
        TempProgramDir dir;
        dir.writeFile("a.log", "old content\r\n1;2\r\n");
        TLogFile(dir.file("a.log")).NewFile();
        QCOMPARE(dir.readFile("a.log"), "#;Date;UTC;Band;Mode;Call;RST TX;RST RX;DOK;Name;QTH;"
                                        "Locator;TX Pwr;Comments;QSL out;QSL in\r\n");
        QVERIFY(calls(dir.file("a.log")).isEmpty());
        // A first line without a number is the header; an empty line is a record too.
        dir.writeFile("a.log", ";Date;UTC\n1;01.01.2004\n\n3;03.01.2004");
        QCOMPARE(calls(dir.file("a.log"), QsoField::Number), QByteArrayList({"1", "", "3"}));
    }

    void readRecordAt() {
        TempProgramDir dir;
        LogBuilder::writeLog(dir.file("a.log"), {qso(1), qso(2), qso(3)});
        QByteArrayList read; // zero and below read the first; beyond the last is not found ("!")
        for (int n : {1, 3, 0, -4, 4}) {
            TQsoRecord rec;
            rec[QsoField::Call] = "unchanged";
            const bool found = TLogFile(dir.file("a.log")).ReadRecordAt(rec, n);
            read << rec[QsoField::Call] + (found ? "" : "!");
        }
        QCOMPARE(read.join(' '), "QX1ABC QX3ABC QX1ABC QX1ABC unchanged!");
    }

    void append_data() {
        columns<QByteArray, QByteArray>("before", "after");
        const QByteArray line = "1;02.06.2004;01:31:00;2m;FM;QX1ABC;59;59;Z10;Erika;Kiel;JO54AH;"
                                "10W;abc#13#10def;;\r\n";
        QTest::newRow("after the header") << rawLog({}) << rawLog({}) + line;
        // The new QSO would otherwise be glued to the last line.
        QTest::newRow("last line unended") << rawLog({}) + "7;a" << rawLog({}) + "7;a\r\n" + line;
    }
    void append() {
        TempProgramDir dir;
        dir.writeFile("a.log", fetched<QByteArray>("before"));
        TQsoRecord rec = qso(1);
        rec[QsoField::Comments] = "abc\r\ndef";
        TLogFile(dir.file("a.log")).AppendRecord(rec);
        QTEST(dir.readFile("a.log"), "after");
    }

    // The core's messages, the operating system's text in them included, follow the language.
    void errorsFollowTheLanguage_data() {
        columns<bool, QString, QString>("english", "fault", "message");
        const struct {
            const char* fault;
            const char* german;
            const char* english;
        } cases[] = {
            {"append to a missing log",
             "Fehler beim Anh\u00e4ngen an \"%1\": Datei oder Verzeichnis nicht gefunden",
             "Cannot append to \"%1\": No such file or directory"},
            {"missing file opened by Qt",
             "Fehler beim \u00d6ffnen von \"%1\": Datei oder Verzeichnis nicht gefunden",
             "Cannot open \"%1\": No such file or directory"},
            {"line of 17 fields", "Zeile 2 von \"%1\" hat mehr als 16 Felder.",
             "Line 2 of \"%1\" has more than 16 fields."},
            {"unreadable power", "\"1E999KW\" ist keine g\u00fcltige Leistungsangabe.",
             "\"1E999KW\" is not a valid power value."},
        };
        for (const auto& c : cases) {
            QTest::addRow("German: %s", c.fault) << false << c.fault << QString::fromUtf8(c.german);
            QTest::addRow("English: %s", c.fault) << true << c.fault << QString(c.english);
        }
    }

    void errorsFollowTheLanguage() {
        const QString fault = fetched<QString>("fault");
        TempProgramDir dir;
        const QString path = dir.file("a.log");
        if (fault == "line of 17 fields")
            dir.writeFile("a.log", "#\r\n1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;17\r\n");
        setUiLanguage(fetched<bool>("english") ? UiLanguage::English : UiLanguage::German);
        const QString error = errorOf([&] {
            if (fault == "append to a missing log")
                TLogFile(path).AppendRecord(qso(1));
            else if (fault == "missing file opened by Qt")
                DxccEvaluation::withAllEntities({}, path);
            else if (fault == "line of 17 fields")
                calls(path);
            else
                QsoRepair::normalisePower("1E999KW");
        });
        setUiLanguage(UiLanguage::English);
        QCOMPARE(error, QString(fetched<QString>("message")).replace("%1", path));
        QVERIFY(fault == "line of 17 fields" || !QFile::exists(path));
    }

    void replaceKeepsOtherLinesByteForByte() {
        TempProgramDir dir;
        // Odd but valid bytes in the untouched lines: a literal #13#10 in the name, umlauts,
        // an LF-only line and extra blanks must all survive; the last line gets its line end.
        const QByteArray original =
            "my own header\r\n"
            "1;01.01.2004;10:00:00;2m;FM;QX1ABC;59;59;;J\xf6rg#13#10;;;;;;\r\n"
            "2;02.01.2004;11:00:00;2m;FM;QX2ABC;59;59;; x ;;;;;;\n"
            "3;03.01.2004;12:00:00;2m;FM;QX3ABC;59;59;;;;;;;;\r\n"
            "4;04.01.2004;13:00:00;2m;FM;QX4ABC;59;59;;;;;;;;";
        dir.writeFile("a.log", original);
        QVERIFY(TLogFile(dir.file("a.log")).ReplaceRecord(qso(3, "QX9NEW"), 3));
        QByteArray expected = original;
        expected.replace("3;03.01.2004;12:00:00;2m;FM;QX3ABC;59;59;;;;;;;;",
                         QsoLine::join(qso(3, "QX9NEW")));
        QCOMPARE(dir.readFile("a.log"), expected + "\r\n");
    }

    void replaceBeyondLastRecord() {
        TempProgramDir dir;
        LogBuilder::writeLog(dir.file("a.log"), {qso(1), qso(2)});
        const QByteArray before = dir.readFile("a.log");
        for (int n : {3, 100, 0}) // 0 would hit the header
            QVERIFY2(!TLogFile(dir.file("a.log")).ReplaceRecord(qso(9), n),
                     qPrintable(QString::number(n)));
        QCOMPARE(dir.readFile("a.log"), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"a.log"});
    }

    void repairRenumbersAndRestoresHeader() {
        TempProgramDir dir;
        QList<TQsoRecord> records{qso(1), qso(2), qso(5), qso(7)};
        dir.writeFile("a.log",
                      LogBuilder::logContent(records).replace(QsoLine::kHeader, "damaged header"));
        TLogFile(dir.file("a.log")).Repair();
        for (int i = 0; i < records.size(); ++i)
            records[i][QsoField::Number] = QByteArray::number(i + 1);
        QCOMPARE(dir.readFile("a.log"), LogBuilder::logContent(records));
        dir.writeFile("b.log", QsoLine::kHeader + "\r\n"); // an empty log stays empty
        TLogFile(dir.file("b.log")).Repair();
        QCOMPARE(dir.readFile("b.log"), QsoLine::kHeader + "\r\n");
    }

    // A failed repair, in the window or the converter, leaves the log as it was; text without
    // a readable QSO is never replaced by an empty log.
    void failedRepairLeavesTheLog() {
        TempProgramDir dir;
        for (const QByteArray& content : {rawLog({"1;01.01.2004;10:00;2m;FM;QX1ABC;;;;;;;XMW;;;"}),
                                          QByteArray("some text that is no log\r\n")}) {
            dir.writeFile("a.log", content);
            QVERIFY(!errorOf([&] { TLogFile(dir.file("a.log")).Repair(); }).isEmpty());
            QVERIFY(!errorOf([&] { LogConverter::repair({dir.file("a.log")}); }).isEmpty());
            QCOMPARE(dir.readFile("a.log"), content);
        }
    }

    void failedWriteKeepsTheFile_data() {
        columns<int, bool>("job", "diskFull");
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
        LogBuilder::writeLog(dir.file("s.log"), QList<TQsoRecord>(20, qso(1)));
        QList<pid_t> children;
        for (int job = 0; job < 2; ++job) {
            children.append(fork());
            if (children.last() == 0) {
                try {
                    for (int round = 0; round < 10; ++round)
                        LogConverter::append(dir.file("t.log"), {dir.file("s.log")});
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
        TMemIniFile ini{QString()};
        QStringList read;
        for (const char* value : {"a.log", "../outside/victim.txt", ".."}) {
            SettingsKeys::write(ini, SettingsKeys::Language, value);
            read << SettingsKeys::readFileName(ini, SettingsKeys::Language);
        }
        QCOMPARE(read, (QStringList{"a.log", "victim.txt", "deutsch.lng"}));
    }

    void oddLineEndsAndMissingHeader_data() {
        QTest::addColumn<QByteArray>("content");
        const QByteArray h = QsoLine::kHeader;
        QTest::newRow("CR only") << h + "\r1;01.01.2004;1000;;;QX1A\r2;01.01.2004;1000;;;QX2B\r";
        QTest::newRow("mixed, last unended")
            << h + "\n1;01.01.2004;1000;;;QX1A\r\n2;01.01.2004;1000;;;QX2B";
        QTest::newRow("no header")
            << QByteArray("1;01.01.2004;1000;;;QX1A\r\n2;01.01.2004;1000;;;QX2B\r\n");
        QTest::newRow("damaged header")
            << QByteArray("#;Date;U\r\n1;01.01.2004;1000;;;QX1A\r\n2;01.01.2004;1000;;;QX2B\r\n");
    }
    void oddLineEndsAndMissingHeader() {
        TempProgramDir dir;
        dir.writeFile("a.log", fetched<QByteArray>("content"));
        const QString path = dir.file("a.log");
        QCOMPARE(calls(path), QByteArrayList({"QX1A", "QX2B"}));
        // An edit replaces the record read, ending its line; a repair keeps every record.
        const TQsoRecord edited =
            LogBuilder::record({{"Date", "01.01.2004"}, {"UTC", "10:00"}, {"Call", "QX9NEW"}});
        QVERIFY(TLogFile(path).ReplaceRecord(edited, 2));
        QVERIFY(dir.readFile("a.log").endsWith(QsoLine::join(edited) + "\r\n"));
        TLogFile(path).Repair();
        QCOMPARE(calls(path), QByteArrayList({"QX1A", "QX9NEW"}));
        QVERIFY(dir.readFile("a.log").startsWith(QsoLine::kHeader + "\r\n"));
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

    // Settings, a log append and any rewrite through a link to something other than a
    // regular file are refused, and the link and its target stay as they are.
    void linkToASpecialFileIsNotWrittenOver_data() {
        columns<char>("kind");
        QTest::newRow("FIFO") << 'p';
        QTest::newRow("folder") << 'd';
        QTest::newRow("character device") << 'c';
    }
    void linkToASpecialFileIsNotWrittenOver() {
        QFETCH(char, kind);
        TempProgramDir dir;
        const QByteArray special = QFile::encodeName(dir.file("special"));
        if (kind == 'c' && ::geteuid() != 0)
            QSKIP("making a device node needs root");
        const int made = kind == 'p' ? ::mkfifo(special.constData(), 0600)
                         : kind == 'd'
                             ? ::mkdir(special.constData(), 0700)
                             : ::mknod(special.constData(), S_IFCHR | 0600, makedev(1, 3));
        QCOMPARE(made, 0);
        struct stat before;
        QCOMPARE(::stat(special.constData(), &before), 0);
        TMemIniFile ini(dir.file("Dalu.ini")); // still missing: reads as empty
        for (const char* name : {"Dalu.ini", "a.log", "locator.htm"})
            QVERIFY(QFile::link(dir.file("special"), dir.file(name)));
        const std::function<void()> writes[] = {
            [&] { ini.UpdateFile(); }, [&] { TLogFile(dir.file("a.log")).AppendRecord(qso(1)); },
            [&] {
                AtomicFileWriter writer(dir.file("locator.htm"));
                writer.write("<html>");
                writer.commit();
            }};
        for (const auto& write : writes)
            QCOMPARE(errorOf(write).contains("not a regular file"), true);
        for (const char* name : {"Dalu.ini", "a.log", "locator.htm"})
            QVERIFY(QFileInfo(dir.file(name)).isSymLink());
        struct stat after;
        QCOMPARE(::stat(special.constData(), &after), 0);
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(after.st_mode, before.st_mode);
    }

    // A link planted under the open-lock's name would have the lock create its target.
    void plantedLockLinkIsNotFollowed() {
        TempProgramDir dir;
        QVERIFY(QFile::link(dir.file("elsewhere"), LogOpenLock::lockPathOf(dir.file("a.log"))));
        { const LogOpenLock lock(dir.file("a.log")); }
        QVERIFY(!QFile::exists(dir.file("elsewhere")));
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
