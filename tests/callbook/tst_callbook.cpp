#include "callbookaccess.h"
#include "dalusession.h"
#include "entrypage.h"
#include "languagetargets.h"
#include "logbuilder.h"
#include "mainform.h"
#include "meminifile.h"
#include "modaldialogs.h"
#include "optionspage.h"
#include "racoptions.h"
#include "tempprogramdir.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

namespace {

QString variant(const QString& missingFunction) {
    return QStringLiteral(DALU_RACCD32A_VARIANTS "/libraccd32a_without_%1.so").arg(missingFunction);
}

} // namespace

class TestCallBook : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void unusableCallbookIsReported_data();
    void unusableCallbookIsReported();
    void lookupFillsTheMask_data();
    void lookupFillsTheMask();
    void resultCodesAreShown_data();
    void resultCodesAreShown();
    void racPageWritesAtOnce();

private:
    // Starts Dalu with the sample callbook and the given library in the folder; a folder
    // length above 0 pads the folder's path to that many characters with its separator.
    void start(const QByteArray& racKeys, const QString& library = DALU_RACCD32A,
               int folderLength = 0);
    // Types the call and presses Ctrl+B; returns the text of the message box expected.
    QString lookUp(const QString& typed, bool expectMessage = true);

    std::unique_ptr<TempProgramDir> m_dir;
    std::unique_ptr<DaluSession> m_session;
    TMainForm* m_form = nullptr;
    TEntryPage* m_mask = nullptr;
    QByteArray m_writtenIni;
};

void TestCallBook::start(const QByteArray& racKeys, const QString& library, int folderLength) {
    m_dir = std::make_unique<TempProgramDir>();
    m_dir->copyDataFiles();
    LogBuilder::writeLog(m_dir->file("a.log"), {});
    QString folder = m_dir->file("callbook");
    if (folderLength > 0) {
        folder = m_dir->path() + QString(folderLength - 1 - m_dir->path().size(), 'c');
        QDir().mkpath(folder);
        QFile::copy(m_dir->file("callbook/callbook.txt"), folder + "/callbook.txt");
    }
    if (!library.isEmpty())
        QVERIFY(QFile::copy(library, folder + "/libraccd32a.so"));
    m_writtenIni = "[Allgemein]\r\nLastLogFileName=a.log\r\n[RAC]\r\n" + racKeys +
                   "\r\nFileName=" + QFile::encodeName(folder) + "/callbook.txt\r\n";
    m_dir->writeFile("Dalu.ini", m_writtenIni);
    m_session = std::make_unique<DaluSession>();
    m_form = m_session->mainForm();
    m_mask = m_form->entryPage;
}

void TestCallBook::cleanup() {
    m_session.reset();
    m_dir.reset();
}

QString TestCallBook::lookUp(const QString& typed, bool expectMessage) {
    m_mask->CallEdit->clear();
    QTest::keyClicks(m_mask->CallEdit, typed);
    QString message;
    if (expectMessage)
        ModalDialogs::answerMessageBox(&message);
    QTest::keyClick(m_mask->CallEdit, Qt::Key_B, Qt::ControlModifier);
    return message;
}

void TestCallBook::lookupFillsTheMask_data() {
    QTest::addColumn<QByteArray>("boxes");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("folderLength");
    QTest::addColumn<bool>("twice"); // again by a click on the label
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("comments");
    QTest::newRow("Erika, only the name box")
        << QByteArray("Name=1") << " qx1abc/p " << 0 << false << "Erika"
        << "";
    const QString erika = "Musterweg 1, 12345 Musterstadt\ne-Mail: erika@example.org";
    QTest::newRow("address and e-mail, twice appends")
        << QByteArray("Adresse=1\r\nEMail=1") << "QX1ABC" << 0 << true << ""
        << erika + "\n" + erika;
    QTest::newRow("every box") << QByteArray("Name=1\r\nAdresse=1\r\nLicence=1\r\nComment=1\r\n"
                                             "FaxNr=1\r\nEMail=1")
                               << "QX1AA" << 0 << false << "Max"
                               << QString::fromUtf8(
                                      "Beispielstra\u00dfe 7, 54321 Musterdorf\n"
                                      "Licence Class: E\nQSL nur \u00fcber B\u00fcro\n"
                                      "Fax-Number: 0000 000001\n"
                                      "e-Mail: max@example.org");
    QTest::newRow("folder of 83 characters")
        << QByteArray("Name=1") << "QX1ABC" << 83 << false << "Erika"
        << "";
}

void TestCallBook::lookupFillsTheMask() {
    QFETCH(QByteArray, boxes);
    QFETCH(int, folderLength);
    QFETCH(QString, typed);
    start(boxes, DALU_RACCD32A, folderLength);
    QCOMPARE(m_form->callBookVersion(), quint16(100));
    lookUp(typed, false);
    QFETCH(bool, twice);
    if (twice)
        QTest::mouseClick(m_mask->CallbookLabel, Qt::LeftButton);
    QTEST(m_mask->NameEdit->text(), "name");
    QTEST(m_mask->CommentsMemo->toPlainText(), "comments");
}

void TestCallBook::resultCodesAreShown_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("database"); // "-" removes it after the start
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("formatCheck");
    QTest::newRow("call not found") << "QX9ZZZ" << QByteArray() << 2 << 0;
    QTest::newRow("empty call") << "" << QByteArray() << -2 << 0;
    QTest::newRow("database removed") << "QX1ABC" << QByteArray("-") << -4 << -4;
    QTest::newRow("old format") << "QX1ABC" << QByteArray("DALU-CALLBOOK;1\r\nQX1ABC;Erika\r\n")
                                << -3 << -3;
}

void TestCallBook::resultCodesAreShown() {
    QFETCH(QByteArray, database);
    QFETCH(int, code);
    start("Name=1\r\nAdresse=1\r\nEMail=1");
    if (database == "-")
        QVERIFY(QFile::remove(m_dir->file("callbook/callbook.txt")));
    else if (!database.isEmpty())
        m_dir->writeFile("callbook/callbook.txt", database);
    QFETCH(QString, typed);
    QCOMPARE(lookUp(typed),
             QString::number(code) + ": " + m_form->msg(CallBookInfo::messageLine(code)));
    QCOMPARE(m_mask->NameEdit->text() + m_mask->CommentsMemo->toPlainText(), QString());
    QTEST(m_form->callBook()->CheackDataBaseFormat(), "formatCheck");
}

void TestCallBook::unusableCallbookIsReported_data() {
    QTest::addColumn<QString>("library"); // copied into the callbook folder
    QTest::addColumn<int>("folderLength");
    QTest::addColumn<QString>("reason");
    // Must run before any library is loaded: the system then finds it by its name.
    QTest::newRow("no library anywhere") << "" << 0 << "libraccd32a.so";
    QTest::newRow("without pGetCallInfo") << variant("pGetCallInfo") << 0 << "pGetCallInfo";
    QTest::newRow("without pGetVersionNr") << variant("pGetVersionNr") << 0 << "pGetVersionNr";
    QTest::newRow("without pCheckDatabaseFormat")
        << variant("pCheckDatabaseFormat") << 0 << "pCheckDatabaseFormat";
    QTest::newRow("folder of 84 characters") << DALU_RACCD32A << 84 << " 83 ";
}

void TestCallBook::unusableCallbookIsReported() {
    QFETCH(QString, library);
    QFETCH(int, folderLength);
    QFETCH(QString, reason);
    start("Name=1", library, folderLength);
    QCOMPARE(m_form->callBookVersion(), quint16(0));
    const QString message = lookUp("QX1ABC");
    QVERIFY2(message.startsWith(m_form->msg(Msg::CallBookMissing) + "\n\n") &&
                 message.contains(reason),
             qPrintable(message));
    QCOMPARE(m_mask->NameEdit->text(), QString());
}

void TestCallBook::racPageWritesAtOnce() {
    start("Name=0");
    QCOMPARE(m_dir->readFile("Dalu.ini"), m_writtenIni); // loading writes nothing
    TRacOptions* rac = m_form->optionsPage->racOptions;
    rac->LicenceCallBookChkBox->click();
    rac->CallBookEdit->setText("/elsewhere/Callbook.exe");
    const TMemIniFile ini(m_dir->file("Dalu.ini"));
    QCOMPARE(ini.ReadString("RAC", "FileName", {}), QString("/elsewhere/Callbook.exe"));
    for (const char* key : {"Name", "Adresse", "Licence", "Comment", "FaxNr", "EMail"})
        QCOMPARE(ini.ReadString("RAC", key, {}), QString(key == QByteArray("Licence") ? "1" : "0"));
    // The path takes effect at the next start: this run keeps its callbook.
    QVERIFY(rac->CallBookStateLabel->text().contains("Dalu"));
    lookUp("QX1ABC", false);
    QCOMPARE(m_mask->CommentsMemo->toPlainText(), QString("Licence Class: A"));
}

QTEST_MAIN(TestCallBook)
#include "tst_callbook.moc"
