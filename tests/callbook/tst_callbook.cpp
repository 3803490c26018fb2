#include "callbookaccess.h"
#include "callbookfill.h"
#include "entrydriver.h"
#include "entrypage.h"
#include "languagetargets.h"
#include "modaldialogs.h"
#include "sessionfixture.h"
#include "settingsdriver.h"
#include "widgettest.h"

#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

// In place of the library: a FIFO, which a loader would wait on for good.
const QString kFifo = QStringLiteral("FIFO");

// Dalu with the sample callbook and the given library in its folder; a folder length above 0
// pads the folder's path to that many characters with its separator.
struct CallbookSession : SessionFixture {
    explicit CallbookSession(const QByteArray& racKeys, const QString& library = DALU_RACCD32A,
                             int folderLength = 0)
        : SessionFixture(nullptr) {
        QString folder = dir.file("callbook");
        if (folderLength > 0) {
            folder = dir.path() + QString(folderLength - 1 - dir.path().size(), 'c');
            QDir().mkpath(folder);
            QFile::copy(dir.file("callbook/callbook.txt"), folder + "/callbook.txt");
        }
        if (library == kFifo)
            mkfifo(QFile::encodeName(folder + "/libraccd32a.so").constData(), 0600);
        else if (!library.isEmpty() && !QFile::copy(library, folder + "/libraccd32a.so"))
            qWarning("cannot copy the callbook library");
        LogBuilder::writeLog(dir.file("a.log"), {});
        written = "[Allgemein]\r\nLastLogFileName=a.log\r\n[RAC]\r\n" + racKeys +
                  "\r\nFileName=" + QFile::encodeName(folder) + "/callbook.txt\r\n";
        start(written);
        mask = form->entryPage;
        entry.mask = mask;
    }
    // Types the call and presses Ctrl+B; gives the text of the message box shown, if any,
    // once the lookup has answered.
    QString lookUp(const QString& typed) const {
        entry.edit("CallEdit")->clear();
        QTest::keyClicks(entry.edit("CallEdit"), typed);
        return ModalDialogs::messageOf([this] {
            QTest::keyClick(entry.edit("CallEdit"), Qt::Key_B, Qt::ControlModifier);
            if (!QTest::qWaitFor([this] { return !CallBookFill::isBusy(*mask); }, 20000))
                qWarning("the callbook lookup never answered");
        });
    }
    QByteArray written;
    TEntryPage* mask = nullptr;
    EntryDriver entry{nullptr};
};

} // namespace

class TestCallBook : public QObject {
    Q_OBJECT
private slots:
    void unusableCallbookIsReported_data() {
        // library: copied into the callbook folder
        columns<QString, int, QString>("library", "folderLength", "reason");
        // Must run before any library is loaded: the system then finds it by its name.
        QTest::newRow("no library anywhere") << "" << 0 << "libraccd32a.so";
        for (const char* function : {"pGetCallInfo", "pGetVersionNr", "pCheckDatabaseFormat"})
            QTest::addRow("without %s", function)
                << QStringLiteral(DALU_RACCD32A_VARIANTS "/libraccd32a_without_%1.so").arg(function)
                << 0 << function;
        QTest::newRow("folder of 84 characters") << DALU_RACCD32A << 84 << " 83 ";
        QTest::newRow("library is a FIFO") << kFifo << 0 << "libraccd32a.so";
    }

    void unusableCallbookIsReported() {
        CallbookSession s("Name=1", fetched<QString>("library"), fetched<int>("folderLength"));
        QCOMPARE(s.form->station().callBookVersion(), quint16(0));
        const QString message = s.lookUp("QX1ABC");
        QVERIFY2(message.startsWith(s.form->station().msg(Msg::CallBookMissing) + "\n\n") &&
                     message.contains(fetched<QString>("reason")),
                 qPrintable(message));
        QCOMPARE(s.entry.edit("NameEdit")->text(), QString());
    }

    void lookupFillsTheMask_data() {
        // twice: again by a click on the label
        columns<QByteArray, QString, int, bool, QString, QString>("boxes", "typed", "folderLength",
                                                                  "twice", "name", "comments");
        QTest::newRow("Erika, only the name box")
            << QByteArray("Name=1") << " qx1abc/p " << 0 << false << "Erika" << QString();
        const QString erika = "Musterweg 1, 12345 Musterstadt\ne-Mail: erika@example.org";
        QTest::newRow("address and e-mail, twice appends")
            << QByteArray("Adresse=1\r\nEMail=1") << "QX1ABC" << 0 << true << QString()
            << erika + "\n" + erika;
        QTest::newRow("every box")
            << QByteArray("Name=1\r\nAdresse=1\r\nLicence=1\r\nComment=1\r\n"
                          "FaxNr=1\r\nEMail=1")
            << "QX1AA" << 0 << false << "Max"
            << QString::fromUtf8("Beispielstra\u00dfe 7, 54321 Musterdorf\n"
                                 "Licence Class: E\nQSL nur \u00fcber B\u00fcro\n"
                                 "Fax-Number: 0000 000001\n"
                                 "e-Mail: max@example.org");
        QTest::newRow("folder of 83 characters")
            << QByteArray("Name=1") << "QX1ABC" << 83 << false << "Erika" << QString();
    }

    void lookupFillsTheMask() {
        CallbookSession s(fetched<QByteArray>("boxes"), DALU_RACCD32A,
                          fetched<int>("folderLength"));
        QCOMPARE(s.form->station().callBookVersion(), quint16(100));
        QCOMPARE(s.lookUp(fetched<QString>("typed")), QString());
        if (fetched<bool>("twice")) {
            QTest::mouseClick(s.entry.label("CallbookLabel"), Qt::LeftButton);
            QTRY_VERIFY(!CallBookFill::isBusy(*s.mask));
        }
        QTEST(s.entry.edit("NameEdit")->text(), "name");
        QTEST(s.entry.comments()->toPlainText(), "comments");
    }

    void resultCodesAreShown_data() {
        // database: "-" removes it after the start
        columns<QString, QByteArray, int, int>("typed", "database", "code", "formatCheck");
        QTest::newRow("start of a longer stored call") << "QX1AB" << QByteArray() << 2 << 0;
        QTest::newRow("empty call") << "" << QByteArray() << -2 << 0;
        QTest::newRow("database removed") << "QX1ABC" << QByteArray("-") << -4 << -4;
        QTest::newRow("old format")
            << "QX1ABC" << QByteArray("DALU-CALLBOOK;1\r\nQX1ABC;Erika\r\n") << -3 << -3;
    }

    void resultCodesAreShown() {
        QFETCH(QByteArray, database);
        QFETCH(int, code);
        CallbookSession s("Name=1\r\nAdresse=1\r\nEMail=1");
        if (database == "-")
            QVERIFY(QFile::remove(s.dir.file("callbook/callbook.txt")));
        else if (!database.isEmpty())
            s.dir.writeFile("callbook/callbook.txt", database);
        QCOMPARE(s.lookUp(fetched<QString>("typed")),
                 QString::number(code) + ": " +
                     s.form->station().msg(CallBookInfo::messageLine(code)));
        QCOMPARE(s.entry.edit("NameEdit")->text() + s.entry.comments()->toPlainText(), QString());
        QTEST(s.form->station().callBook()->CheackDataBaseFormat(), "formatCheck");
    }

    // A database that is no regular file: the lookup answers, the typed QSO stays.
    void databaseThatNeverEndsIsRefused_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("link to /dev/zero") << "zero";
    }
    void databaseThatNeverEndsIsRefused() {
        QFETCH(QString, kind);
        CallbookSession s("Name=1");
        const QString database = s.dir.file("callbook/callbook.txt");
        QVERIFY(QFile::remove(database));
        QVERIFY(kind == "fifo" ? mkfifo(QFile::encodeName(database).constData(), 0600) == 0
                               : QFile::link("/dev/zero", database));
        s.entry.edit("NameEdit")->setText("Typed");
        QCOMPARE(s.lookUp("QX1ABC"), "3: " + s.form->station().msg(CallBookInfo::messageLine(3)));
        QCOMPARE(s.entry.edit("CallEdit")->text() + " " + s.entry.edit("NameEdit")->text(),
                 QString("QX1ABC Typed"));
    }

    // A library that does not answer: the window goes on, and the answer still arrives.
    void lookupNeverHoldsUpTheWindow() {
        CallbookSession s("Name=1", DALU_RACCD32A_VARIANTS "/libraccd32a_gated.so");
        const QByteArray gate = QFile::encodeName(s.dir.file("callbook/gate"));
        QVERIFY(mkfifo(gate.constData(), 0600) == 0);
        retype(s.entry.edit("CallEdit"), "QX1ABC");
        QTest::keyClick(s.entry.edit("CallEdit"), Qt::Key_B, Qt::ControlModifier);
        QVERIFY(CallBookFill::isBusy(*s.mask));
        QTest::keyClicks(s.entry.edit("NameEdit"), "Er");
        QCOMPARE(s.entry.edit("NameEdit")->text(), QString("Er"));
        QFile answer(QString::fromLocal8Bit(gate));
        QVERIFY(answer.open(QIODevice::WriteOnly));
        answer.write("Erika, Musterweg 1\n");
        answer.close();
        QTRY_VERIFY_WITH_TIMEOUT(!CallBookFill::isBusy(*s.mask), 20000);
        QCOMPARE(s.entry.edit("CallEdit")->text() + " " + s.entry.edit("NameEdit")->text(),
                 QString("QX1ABC Erika"));
    }

    // Dalu started elsewhere: a relative callbook path is the program directory's, and a
    // library lying in the working directory is never loaded.
    void relativePathIsTakenFromTheProgramDirectory() {
        CallbookSession s("Name=1");
        s.stop();
        QDir().mkpath(s.dir.file("cbrel"));
        QVERIFY(QFile::copy(DALU_RACCD32A, s.dir.file("cbrel/libraccd32a.so")));
        QVERIFY(QFile::copy(s.dir.file("callbook/callbook.txt"), s.dir.file("cbrel/callbook.txt")));
        s.dir.writeFile("cbrel/x.dat", {});
        // The working directory has the same folder, with a library lacking a function.
        QTemporaryDir elsewhere;
        QDir().mkpath(elsewhere.filePath("cbrel"));
        for (const QString& folder : {elsewhere.path(), elsewhere.filePath("cbrel")})
            QVERIFY(QFile::copy(DALU_RACCD32A_VARIANTS "/libraccd32a_without_pGetVersionNr.so",
                                folder + "/libraccd32a.so"));
        QVERIFY(QFile::copy(s.dir.file("callbook/callbook.txt"),
                            elsewhere.filePath("cbrel/callbook.txt")));
        QFile planted(elsewhere.filePath("cbrel/x.dat"));
        QVERIFY(planted.open(QIODevice::WriteOnly));
        const QString started = QDir::currentPath();
        QDir::setCurrent(elsewhere.path());
        s.start(s.written.replace(QFile::encodeName(s.dir.file("callbook/callbook.txt")),
                                  "cbrel/x.dat"));
        QDir::setCurrent(started);
        s.mask = s.form->entryPage;
        s.entry.mask = s.mask;
        QVERIFY(s.form->station().callBook());
        QCOMPARE(s.form->station().callBook()->libraryFileName(),
                 s.dir.file("cbrel/libraccd32a.so"));
        QCOMPARE(s.form->station().callBookVersion(), quint16(100));
        QCOMPARE(s.lookUp("QX1ABC"), QString());
        QCOMPARE(s.entry.edit("NameEdit")->text(), QString("Erika"));
    }

    void racPageWritesAtOnce() {
        CallbookSession s("Name=0");
        QCOMPARE(s.ini(), s.written); // loading writes nothing
        const SettingsDriver rac(s.form->optionsPage);
        rac.checkBox("LicenceCallBookChkBox")->click();
        rac.edit("CallBookEdit")->setText("/elsewhere/Callbook.exe");
        QVERIFY2(
            s.ini().contains("[RAC]\r\nName=0\r\nFileName=/elsewhere/Callbook.exe\r\nAdresse=0\r\n"
                             "Licence=1\r\nComment=0\r\nFaxNr=0\r\nEMail=0\r\n"),
            s.ini().constData());
        // The path takes effect at the next start: this run keeps its callbook.
        QVERIFY(rac.label("CallBookStateLabel")->text().contains("Dalu"));
        QCOMPARE(s.lookUp("QX1ABC"), QString());
        QCOMPARE(s.entry.comments()->toPlainText(), QString("Licence Class: A"));
    }
};

QTEST_MAIN(TestCallBook)
#include "tst_callbook.moc"
