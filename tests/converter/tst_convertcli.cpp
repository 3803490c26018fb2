#include "commands.h"
#include "coretest.h"
#include "logbuilder.h"
#include "runner.h"
#include "tempprogramdir.h"
#include "testdata.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using ConvertCli::Action;

class TestConvertCli : public QObject {
    Q_OBJECT
private slots:
    // A parsed command as "action source target logs start-row"; "" for a usage error.
    void parse_data() {
        columns<QStringList, QString>("args", "command");
        const auto row = [](const char* name, const char* args, const char* command) {
            QTest::newRow(name) << QString(args).split(' ', Qt::SkipEmptyParts) << command;
        };
        row("help after command", "repair -h", "0    0");
        row("nothing", "", "");
        row("unknown", "split a.log", "");
        row("import-adif", "import-adif in.adi t.log", "1 in.adi t.log  0");
        row("import-adif extra", "import-adif in.adi t.log x", "");
        row("export-adif two logs", "export-adif o.adi a.log b.log", "2  o.adi a.log,b.log 0");
        row("export-txt without log", "export-txt o.txt", "");
        row("import-html start row", "import-html --start-row 3 in.htm t.log", "5 in.htm t.log  3");
        row("start row 0 is 1", "import-html in.htm t.log --start-row 0", "5 in.htm t.log  1");
        row("start row no number", "import-html in.htm t.log --start-row x", "");
        row("unknown option", "repair --fast a.log", "");
        row("append", "append t.log a.log t.log", "7  t.log a.log,t.log 0");
    }
    void parse() {
        QFETCH(QStringList, args);
        const ConvertCli::ParseResult result = ConvertCli::parse(args);
        QCOMPARE(result.error.isEmpty(), result.command.has_value());
        const std::optional<ConvertCli::Command>& c = result.command;
        QTEST(c ? QStringList({QString::number(int(c->action)), c->source, c->target,
                               c->logs.join(','), QString::number(c->startRow)})
                      .join(' ')
                : QString(),
              "command");
    }

    // Arguments name files in the temporary directory by their bare names.
    void run_data() {
        columns<QStringList, int, QString>("args", "status", "output");
        const auto row = [](const char* name, const char* args, int status, const char* output) {
            QTest::newRow(name) << QString(args).split(' ', Qt::SkipEmptyParts) << status << output;
        };
        row("help lists every command", "--help", 0,
            "import-adif|import-html|export-adif|export-html|export-txt|repair|append|"
            "evaluate|qsl-out");
        row("import-adif summary", "import-adif in.adi t.log", 0,
            "Imported 1 QSOs|Skipped 1 records|Record 2 (AB1C): no QSO_DATE");
        row("import-html by titles", "import-html a.htm n.log", 0, "Imported 2 rows");
        row("import-html without titles", "import-html plain.htm n.log", 2, "names no QSO field");
        row("export-txt", "export-txt o.txt a.log", 0, "Exported 2 QSOs");
        row("missing log", "repair a.log missing.log", 1, "a.log (2 QSOs)|Cannot open|missing.log");
        row("append", "append a.log a.log", 0, "holds 4 QSOs");
        row("usage error", "export-html", 2, "--help");
        row("evaluate counts", "evaluate counts a.log", 0,
            "Mode / Band\t20m\t2m\tTotal\nFM\t1\t1\t2\nTotal\t1\t1\t2\n");
        row("evaluate squares by band", "evaluate squares a.log --bands 20M,70cm", 0,
            "JO54\tworked\n");
        row("evaluate doks by number", "evaluate doks a.log --numbers 2-2", 0, "Z10\tworked");
        row("evaluate dxcc without DXCC.ini", "evaluate dxcc a.log --all", 1,
            "Cannot open|DXCC.ini");
        row("evaluate counts with a filter", "evaluate confirmed a.log --modes FM", 2,
            "no options");
        row("evaluate what", "evaluate calls a.log", 2, "unknown evaluation");
        // d.log: QSO 2 dated 00.00.0000, QSO 3 31.12.9999; they are named on the error stream.
        row("evaluate names unreadable QSOs", "evaluate squares d.log", 0,
            "JO54\tworked\n|2 QSOs could not be read|QSO 2 (line 3): \"00.00.0000\"|"
            "QSO 3 (line 4): The date \"31.12.9999\" lies outside");
        row("existing target refused", "export-adif in.adi a.log", 1, "in.adi\" exists|--force");
        row("existing target forced", "export-adif in.adi a.log --force", 0, "Exported 2 QSOs");
        row("source as target refused", "export-txt a.log a.log --force", 1,
            "is one of the Dalu files");
        row("skipped listed, then counted", "import-adif bad.adi t.log", 0,
            "Skipped 25 records|Record 20 (X): no QSO_DATE|... and 5 more");
        // q.log: QX1ABC on 2m, then on 20m; Dalu.ini asks for the first QSO with a call.
        row("qsl-out, rule of Dalu.ini", "qsl-out q.log", 0,
            "1\tQX1ABC\t02.06.2004\t01:31:00\t2m\tFM\t59\t\t\n");
        row("qsl-out, per band", "qsl-out q.log --first-qso --band", 0,
            "2\tQX1ABC\t03.06.2004\t02:31:00\t20m");
        row("qsl-out, band alone", "qsl-out q.log --band", 2, "need --first-qso");
    }
    void run() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, output);
        TempProgramDir dir;
        dir.writeFile("in.adi", "<CALL:4>DL1X<BAND:2>2m<MODE:2>FM<QSO_DATE:8>20040605"
                                "<TIME_ON:4>1731<EOR><CALL:4>AB1C<EOR>");
        LogBuilder::writeLog(dir.file("a.log"), {LogBuilder::qso(1), LogBuilder::qso(2)});
        LogBuilder::writeLog(dir.file("q.log"),
                             {LogBuilder::qso(1, "QX1ABC"), LogBuilder::qso(2, "QX1ABC")});
        dir.writeFile("Dalu.ini", "[QSL]\r\nFirstQso=1\r\n");
        QList<TQsoRecord> unreadable = LogBuilder::qsos(3);
        unreadable[1][QsoField::Date] = "00.00.0000";
        unreadable[2][QsoField::Date] = "31.12.9999";
        LogBuilder::writeLog(dir.file("d.log"), unreadable);
        dir.writeFile("a.htm", "<table>\n<tr><th>Call</th><th>Date</th><th>UTC</th></tr>\n"
                               "<tr><td>A1A</td><td>01.02.2003</td><td>1000</td></tr>\n"
                               "<tr><td>B2B</td><td>02.02.2003</td><td>1100</td></tr></table>");
        dir.writeFile("plain.htm", "<table><tr><td>x</td></tr><tr><td>y</td></tr></table>");
        dir.writeFile("bad.adi", "<EOH>" + QByteArray("<CALL:1>X<EOR>").repeated(25));
        dir.writeFile("o.txt.tmp", "the operator's");
        for (QString& a : args)
            if (a.contains('.'))
                a = dir.file(a);
        QString outText, errText;
        QTextStream out(&outText), err(&errText);
        QCOMPARE(ConvertCli::main(args, out, err), status);
        out.flush();
        err.flush();
        for (const QString& part : output.split('|'))
            QVERIFY2((outText + errText).contains(part), qPrintable(outText + errText));
        QCOMPARE(errText.isEmpty(), status == 0 && !output.contains("could not be read"));
        QVERIFY(!(outText + errText).contains("Record 21"));
        QCOMPARE(dir.readFile("o.txt.tmp"), "the operator's");
    }

    // The built program: its status tells scripts whether the job and its output are whole.
    // Output to /dev/full stands for a full disk. Arguments name files in a temporary folder.
    void programExitStatus_data() {
        columns<QStringList, bool, int, QString>("args", "fullDisk", "status", "message");
        const auto row = [](const char* name, const char* args, bool fullDisk, int status,
                            const char* message) {
            QTest::newRow(name) << QString(args).split(' ', Qt::SkipEmptyParts) << fullDisk
                                << status << message;
        };
        row("evaluate", "evaluate squares a.log", false, 0, "");
        row("evaluate, full disk", "evaluate squares a.log", true, 1, "No space left on device");
        row("qsl-out, full disk", "qsl-out a.log --first-qso", true, 1, "No space left on device");
        row("help, full disk", "--help", true, 1, "No space left on device");
        row("import summary, full disk", "import-adif in.adi a.log", true, 1, "cannot write");
        row("negative number", "evaluate doks a.log --numbers -5", false, 2, "--numbers: \"-5\"");
        row("number too large", "evaluate doks a.log --numbers 1-99999999999999999999", false, 2,
            "--numbers: \"1-99999999999999999999\"");
        row("numbers reversed", "evaluate dxcc a.log --numbers 5-1", false, 2, "--numbers");
        row("from after to", "evaluate squares a.log --to 01.01.2024 --from 02.01.2024", false, 2,
            "--from 02.01.2024 is after --to 01.01.2024");
    }
    void programExitStatus() {
        QFETCH(QStringList, args);
        TempProgramDir dir;
        LogBuilder::writeLog(dir.file("a.log"), {LogBuilder::qso(1), LogBuilder::qso(2)});
        dir.writeFile("in.adi", "<CALL:4>DL1X<BAND:2>2m<MODE:2>FM<QSO_DATE:8>20040605"
                                "<TIME_ON:4>1731<EOR>");
        for (QString& a : args)
            if (a.endsWith(".log") || a.endsWith(".adi"))
                a = dir.file(a);
        QProcess convert;
        if (fetched<bool>("fullDisk"))
            convert.setStandardOutputFile("/dev/full");
        convert.start(DALU_CONVERT, args);
        QVERIFY(convert.waitForFinished(-1));
        const QString err = convert.readAllStandardError();
        QCOMPARE(convert.exitStatus(), QProcess::NormalExit);
        QVERIFY2(convert.exitCode() == fetched<int>("status"), qPrintable(err));
        QVERIFY2(err.contains(fetched<QString>("message")), qPrintable(err));
        QCOMPARE(err.isEmpty(), fetched<int>("status") == 0);
    }

    // Any failure, running out of memory included, ends the job with a message and status 1.
    // A child process with little address space reads a file far larger than that.
    void outOfMemoryIsAMessage() {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("the address space cannot be limited under AddressSanitizer");
#endif
        TempProgramDir dir;
        dir.writeFile("big.adi", {});
        QVERIFY(QFile::resize(dir.file("big.adi"), qint64(3) << 30));
        const pid_t child = fork();
        if (child == 0) {
            const rlimit limit{rlim_t(1) << 30, rlim_t(1) << 30};
            setrlimit(RLIMIT_AS, &limit);
            QString outText, errText;
            QTextStream out(&outText), err(&errText);
            const int status =
                ConvertCli::main({"import-adif", dir.file("big.adi"), dir.file("t.log")}, out, err);
            err.flush();
            _exit(status == 1 && errText.startsWith("dalu-convert: ") ? 0 : 3);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY2(WIFEXITED(status), "the job died instead of reporting");
        QCOMPARE(WEXITSTATUS(status), 0);
    }
};

QTEST_GUILESS_MAIN(TestConvertCli)
#include "tst_convertcli.moc"
