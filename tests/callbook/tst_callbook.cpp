#include "callbookaccess.h"
#include "entrypage.h"
#include "languagetargets.h"
#include "modaldialogs.h"
#include "optionspage.h"
#include "racoptions.h"
#include "sessionfixture.h"
#include "widgettest.h"

namespace {

// Dalu with the sample callbook and the given library in its folder; a folder length above 0
// pads the folder's path to that many characters with its separator.
struct Station : SessionFixture {
    explicit Station(const QByteArray& racKeys, const QString& library = DALU_RACCD32A,
                     int folderLength = 0)
        : SessionFixture(nullptr) {
        QString folder = dir.file("callbook");
        if (folderLength > 0) {
            folder = dir.path() + QString(folderLength - 1 - dir.path().size(), 'c');
            QDir().mkpath(folder);
            QFile::copy(dir.file("callbook/callbook.txt"), folder + "/callbook.txt");
        }
        if (!library.isEmpty() && !QFile::copy(library, folder + "/libraccd32a.so"))
            qWarning("cannot copy the callbook library");
        LogBuilder::writeLog(dir.file("a.log"), {});
        written = "[Allgemein]\r\nLastLogFileName=a.log\r\n[RAC]\r\n" + racKeys +
                  "\r\nFileName=" + QFile::encodeName(folder) + "/callbook.txt\r\n";
        start(written);
        mask = form->entryPage;
    }
    // Types the call and presses Ctrl+B; gives the text of the message box shown, if any.
    QString lookUp(const QString& typed) const {
        mask->CallEdit->clear();
        QTest::keyClicks(mask->CallEdit, typed);
        return ModalDialogs::messageOf(
            [this] { QTest::keyClick(mask->CallEdit, Qt::Key_B, Qt::ControlModifier); });
    }
    QByteArray written;
    TEntryPage* mask = nullptr;
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
    }

    void unusableCallbookIsReported() {
        Station s("Name=1", fetched<QString>("library"), fetched<int>("folderLength"));
        QCOMPARE(s.form->callBookVersion(), quint16(0));
        const QString message = s.lookUp("QX1ABC");
        QVERIFY2(message.startsWith(s.form->msg(Msg::CallBookMissing) + "\n\n") &&
                     message.contains(fetched<QString>("reason")),
                 qPrintable(message));
        QCOMPARE(s.mask->NameEdit->text(), QString());
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
        Station s(fetched<QByteArray>("boxes"), DALU_RACCD32A, fetched<int>("folderLength"));
        QCOMPARE(s.form->callBookVersion(), quint16(100));
        QCOMPARE(s.lookUp(fetched<QString>("typed")), QString());
        if (fetched<bool>("twice"))
            QTest::mouseClick(s.mask->CallbookLabel, Qt::LeftButton);
        QTEST(s.mask->NameEdit->text(), "name");
        QTEST(s.mask->CommentsMemo->toPlainText(), "comments");
    }

    void resultCodesAreShown_data() {
        // database: "-" removes it after the start
        columns<QString, QByteArray, int, int>("typed", "database", "code", "formatCheck");
        QTest::newRow("call not found") << "QX9ZZZ" << QByteArray() << 2 << 0;
        QTest::newRow("start of a longer stored call") << "QX1AB" << QByteArray() << 2 << 0;
        QTest::newRow("empty call") << "" << QByteArray() << -2 << 0;
        QTest::newRow("database removed") << "QX1ABC" << QByteArray("-") << -4 << -4;
        QTest::newRow("old format")
            << "QX1ABC" << QByteArray("DALU-CALLBOOK;1\r\nQX1ABC;Erika\r\n") << -3 << -3;
    }

    void resultCodesAreShown() {
        QFETCH(QByteArray, database);
        QFETCH(int, code);
        Station s("Name=1\r\nAdresse=1\r\nEMail=1");
        if (database == "-")
            QVERIFY(QFile::remove(s.dir.file("callbook/callbook.txt")));
        else if (!database.isEmpty())
            s.dir.writeFile("callbook/callbook.txt", database);
        QCOMPARE(s.lookUp(fetched<QString>("typed")),
                 QString::number(code) + ": " + s.form->msg(CallBookInfo::messageLine(code)));
        QCOMPARE(s.mask->NameEdit->text() + s.mask->CommentsMemo->toPlainText(), QString());
        QTEST(s.form->callBook()->CheackDataBaseFormat(), "formatCheck");
    }

    void racPageWritesAtOnce() {
        Station s("Name=0");
        QCOMPARE(s.ini(), s.written); // loading writes nothing
        TRacOptions* rac = s.form->optionsPage->racOptions;
        rac->LicenceCallBookChkBox->click();
        rac->CallBookEdit->setText("/elsewhere/Callbook.exe");
        QVERIFY2(
            s.ini().contains("[RAC]\r\nName=0\r\nFileName=/elsewhere/Callbook.exe\r\nAdresse=0\r\n"
                             "Licence=1\r\nComment=0\r\nFaxNr=0\r\nEMail=0\r\n"),
            s.ini().constData());
        // The path takes effect at the next start: this run keeps its callbook.
        QVERIFY(rac->CallBookStateLabel->text().contains("Dalu"));
        QCOMPARE(s.lookUp("QX1ABC"), QString());
        QCOMPARE(s.mask->CommentsMemo->toPlainText(), QString("Licence Class: A"));
    }
};

QTEST_MAIN(TestCallBook)
#include "tst_callbook.moc"
