#include "dalusession.h"
#include "htmlgridmodel.h"
#include "languagefile.h"
#include "languagetargets.h"
#include "logbuilder.h"
#include "logconverter.h"
#include "logconverterform.h"
#include "logfile.h"
#include "modaldialogs.h"
#include "tempprogramdir.h"
#include "uitexts.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

using Step = TLogConverterForm::Step;

namespace {

const QByteArray kAdif = "Exported by another program<EOH>\r\n"
                         "<CALL:6>qx1abc<BAND:3>20M<MODE:3>ssb<QSO_DATE:8>20040605"
                         "<TIME_ON:4>1731<EOR>\r\n"
                         "<CALL:6>QX2ABC<BAND:2>2m<MODE:2>FM<QSO_DATE:8>20040606"
                         "<TIME_ON:6>120000<EOR>\r\n"
                         "<BAND:2>2m<MODE:2>FM<QSO_DATE:8>20040607<TIME_ON:4>1000<EOR>\r\n";

// "number call" of every QSO in the log, in file order.
QStringList numberedCalls(const QString& path) {
    QStringList calls;
    if (!QFile::exists(path))
        return calls;
    TLogFile log(path);
    log.forEachRecord([&](const TQsoRecord& r) {
        calls.append(QString::fromLatin1(r[QsoField::Number] + ' ' + r[QsoField::Call]));
    });
    return calls;
}

QList<TQsoRecord> records(const QString& path) {
    QList<TQsoRecord> list;
    TLogFile log(path);
    log.forEachRecord([&](const TQsoRecord& r) { list.append(r); });
    return list;
}

QList<TQsoRecord> qsos(int first, int count) {
    QList<TQsoRecord> list;
    for (int n = first; n < first + count; ++n)
        list.append(LogBuilder::qso(n));
    return list;
}

QWidget* visiblePage(TLogConverterForm& form) {
    QWidget* shown = nullptr;
    for (QWidget* p :
         {form.StartPanel, form.ImportPanel, form.ImpLogFilePanel, form.ExpLogFilePanel,
          form.ExportPanel, form.StringGridPanel, form.FertigPanel}) {
        if (p->isVisible()) {
            if (shown)
                return nullptr; // two pages at once
            shown = p;
        }
    }
    return shown;
}

void selectLogs(TLogConverterForm& form, const QStringList& names) {
    for (const QString& name : names) {
        const auto items = form.ExpLogFileListBox->findItems(name, Qt::MatchExactly);
        QVERIFY2(items.size() == 1, qPrintable(name));
        items.first()->setSelected(true);
    }
}

// Presses Next expecting a message box; returns its text.
QString nextWithMessage(TLogConverterForm& form,
                        QMessageBox::StandardButton answer = QMessageBox::Ok) {
    QString text;
    ModalDialogs::answerMessageBox(&text, answer);
    form.NextBtn->click();
    return text;
}

// A shown wizard on a program directory holding a.log (3 QSOs) and b.log (2 QSOs).
struct Wizard {
    TempProgramDir dir;
    TLogConverterForm form;

    Wizard() {
        LogBuilder::writeLog(dir.file("a.log"), qsos(1, 3));
        LogBuilder::writeLog(dir.file("b.log"), qsos(11, 2));
        form.show();
    }
    void startJob(QRadioButton* job) {
        job->setChecked(true);
        form.NextBtn->click();
    }
    // Steps 1.1 and 1.2 of an import; the job runs on the last Next.
    void importFile(const QString& source, const QString& target) {
        startJob(form.ImportRadioBtn);
        form.Import1Edit->setText(source);
        form.NextBtn->click();
        form.ImpLogFileComboBox->setEditText(target);
    }
};

} // namespace

class TestLogConverterForm : public QObject {
    Q_OBJECT
private slots:
    void startChoices_data();
    void startChoices();
    void languageCaptionsFindControls_data();
    void languageCaptionsFindControls();
    void defaultTextsAreTheGermanFile_data();
    void defaultTextsAreTheGermanFile();
    void englishFileReachesWizard();
    void importAdifTarget_data();
    void importAdifTarget();
    void importAdifSummaryListsSkipped_data();
    void importAdifSummaryListsSkipped();
    void importNeedsExistingFile();
    void importHtmlTable();
    void exportFormats_data();
    void exportFormats();
    void exportChecks();
    void overwriteQuestion_data();
    void overwriteQuestion();
    void repairSelectedLogs();
    void appendJob_data();
    void appendJob();
    void restartShowsNewLogsAndKeepsChoices();
    void closeQuestion_data();
    void closeQuestion();
    void browseDialogs_data();
    void browseDialogs();
    void fileErrorKeepsStep_data();
    void fileErrorKeepsStep();
    void longJobShowsProgress();
    void nameFilters_data();
    void nameFilters();
};

void TestLogConverterForm::startChoices_data() {
    QTest::addColumn<QString>("radio");
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("title");
    QTest::newRow("none chosen") << "" << int(Step::Start) << "StartPanel"
                                 << "Was willst du tun?";
    QTest::newRow("import") << "ImportRadioBtn" << int(Step::Import11) << "ImportPanel"
                            << "1.1 Welches Format und welche Datei soll importiert werden?";
    QTest::newRow("export") << "ExportRadioBtn" << int(Step::Export21) << "ExpLogFilePanel"
                            << "2.1 Aus welchen Dalu-Dateien sollen die Daten exportiert werden?";
    QTest::newRow("repair") << "RepairRadioBtn" << int(Step::Repair31) << "ExpLogFilePanel"
                            << "3.1 Welche Dalu-Dateien sollen korriegiert werden?";
    QTest::newRow("append") << "VerbindenRadioBtn" << int(Step::Append41) << "ExpLogFilePanel"
                            << "4.1 Welche Dalu-Dateien sollen angehängt werden?";
}

void TestLogConverterForm::startChoices() {
    QFETCH(QString, radio);
    QFETCH(int, step);
    QFETCH(QString, page);
    QFETCH(QString, title);
    Wizard w;
    QCOMPARE(w.form.size(), QSize(503, 411));
    QCOMPARE(w.form.StatusLabel->text(), QString("Was willst du tun?"));
    QVERIFY(w.form.TrennenRadioBtn->isHidden());
    if (!radio.isEmpty())
        w.form.findChild<QRadioButton*>(radio)->setChecked(true);
    w.form.NextBtn->click();
    QCOMPARE(int(w.form.step()), step);
    QCOMPARE(visiblePage(w.form)->objectName(), page);
    QCOMPARE(w.form.StatusLabel->text(), title);
    QCOMPARE(w.form.ExpLogFileListBox->count(), 2);
    w.form.BackBtn->click();
    QCOMPARE(int(w.form.step()), int(Step::Start));
    QCOMPARE(visiblePage(w.form), w.form.StartPanel);
}

void TestLogConverterForm::languageCaptionsFindControls_data() {
    QTest::addColumn<QString>("component");
    for (const LanguageTarget& t : languageTargets()) {
        if (qstrcmp(t.window, LanguageWindow::Converter) == 0 &&
            t.kind == LanguageTargetKind::Caption)
            QTest::newRow(t.component) << QString::fromLatin1(t.component);
    }
}

void TestLogConverterForm::languageCaptionsFindControls() {
    QFETCH(QString, component);
    TLogConverterForm form;
    QVERIFY(form.findChild<QWidget*>(component) != nullptr);
}

void TestLogConverterForm::defaultTextsAreTheGermanFile_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("line");
    const TLogConverterForm form;
    for (const LanguageTarget& t : languageTargets()) {
        // Some lines are kept for texts no step shows; the window has no wording for them.
        if (qstrcmp(t.window, LanguageWindow::Converter) == 0 &&
            t.kind == LanguageTargetKind::WizardText && form.property(t.component).isValid())
            QTest::newRow(t.component) << QByteArray(t.component) << t.line;
    }
}

// The texts the window starts with are those the German file gives it.
void TestLogConverterForm::defaultTextsAreTheGermanFile() {
    QFETCH(QByteArray, name);
    QFETCH(int, line);
    QFile file(QStringLiteral(DALU_DATA_DIR "/deutsch.lng"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const LanguageTexts german = readLanguageTexts(file);
    const TLogConverterForm form;
    QCOMPARE(form.property(name.constData()).toString(), german.text(line));
}

void TestLogConverterForm::englishFileReachesWizard() {
    TempProgramDir dir;
    dir.copyDataFiles();
    dir.writeFile("Dalu.ini", "[Language]\r\nLanguage=english.lng\r\n");
    DaluSession session;
    TLogConverterForm* form = session.logConverterForm();
    QCOMPARE(form->NextBtn->text(), QString("Next >"));
    QCOMPARE(form->property("Title15").toString(), QString("1.5 Done!"));
    form->show();
    QCOMPARE(form->StatusLabel->text(), QString("What do you want to do?"));
    form->hide();
}

void TestLogConverterForm::importAdifTarget_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("calls");
    const QStringList imported{"1 QX1ABC", "2 QX2ABC"};
    QTest::newRow("empty") << ""
                           << ""
                           << "Keine Dalu-Datei ausgewählt!" << QStringList();
    QTest::newRow("no dot gets .log") << "archiv"
                                      << "archiv.log"
                                      << "" << imported;
    QTest::newRow("dot kept") << "archiv.txt"
                              << "archiv.txt"
                              << "" << imported;
    QTest::newRow("folder parts dropped") << "../up\\archiv"
                                          << "archiv.log"
                                          << "" << imported;
    QTest::newRow("only a folder") << "sub/"
                                   << "sub/"
                                   << "Keine Dalu-Datei ausgewählt!" << QStringList();
    QTest::newRow("existing log") << "b.log"
                                  << "b.log"
                                  << ""
                                  << QStringList{"1 QX11ABC", "2 QX12ABC", "3 QX1ABC", "4 QX2ABC"};
}

void TestLogConverterForm::importAdifTarget() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, message);
    QFETCH(QStringList, calls);
    Wizard w;
    w.dir.writeFile("in.adi", kAdif);
    w.importFile(w.dir.file("in.adi"), typed);
    QCOMPARE(int(w.form.step()), int(Step::Import12));
    if (message.isEmpty())
        w.form.NextBtn->click();
    else
        QCOMPARE(nextWithMessage(w.form), message);
    QCOMPARE(w.form.ImpLogFileComboBox->currentText(), shown);
    QCOMPARE(int(w.form.step()), int(message.isEmpty() ? Step::Import15 : Step::Import12));
    QCOMPARE(w.form.busy(), !message.isEmpty());
    if (!calls.isEmpty())
        QCOMPARE(numberedCalls(w.dir.file(shown)), calls);
    QVERIFY(!QFile::exists(w.dir.path() + "../up/archiv.log"));
}

// The account follows the language; a cut last record is named as incomplete.
void TestLogConverterForm::importAdifSummaryListsSkipped_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("summary");
    QTest::addColumn<QString>("details");
    QTest::newRow("German") << int(UiLanguage::German)
                            << "2 QSOs wurden in neu.log importiert. 2 Datensätze wurden "
                               "übersprungen:"
                            << "Datensatz 3: es fehlt CALL\nDatensatz 4 (QX): unvollständig, die "
                               "Datei endet darin";
    QTest::newRow("English") << int(UiLanguage::English)
                             << "2 QSOs were imported into neu.log. 2 records were skipped:"
                             << "Record 3: no CALL\nRecord 4 (QX): incomplete, the file ends "
                                "inside it";
}

void TestLogConverterForm::importAdifSummaryListsSkipped() {
    QFETCH(int, language);
    QFETCH(QString, summary);
    QFETCH(QString, details);
    setUiLanguage(UiLanguage(language));
    Wizard w;
    w.dir.writeFile("in.adi", kAdif + "<BAND:2>2m<CALL:4>QX");
    w.importFile(w.dir.file("in.adi"), "neu");
    w.form.NextBtn->click();
    setUiLanguage(UiLanguage::German);
    QCOMPARE(visiblePage(w.form), w.form.FertigPanel);
    QCOMPARE(w.form.SummaryLabel->text(), summary);
    QVERIFY(w.form.SkippedMemo->isVisible());
    QCOMPARE(w.form.SkippedMemo->toPlainText(), details);
    const TQsoRecord first = records(w.dir.file("neu.log")).first();
    QCOMPARE(first[QsoField::Date], QByteArray("05.06.2004"));
    QCOMPARE(first[QsoField::Utc], QByteArray("17:31:00"));
    QCOMPARE(first[QsoField::Band], QByteArray("20m"));
    QCOMPARE(first[QsoField::TxPwr], QByteArray("1W"));
}

void TestLogConverterForm::importNeedsExistingFile() {
    Wizard w;
    w.startJob(w.form.ImportRadioBtn);
    for (const QString& path : {w.dir.file("missing.adi"), w.dir.path()}) {
        w.form.Import1Edit->setText(path);
        QCOMPARE(nextWithMessage(w.form), QString("Datei existiert nicht!"));
        QCOMPARE(int(w.form.step()), int(Step::Import11));
    }
}

void TestLogConverterForm::importHtmlTable() {
    Wizard w;
    LogConverter::exportHtml({w.dir.file("a.log")}, w.dir.file("a.htm"));
    w.importFile(w.dir.file("a.htm"), "neu");
    w.form.ImpHtmlRadioBtn->setChecked(true);
    w.form.NextBtn->click();
    QCOMPARE(int(w.form.step()), int(Step::Import14));
    QCOMPARE(w.form.StatusLabel->text(), QString("1.4 Wie sollen die Daten zugeordnet werden?"));
    QCOMPARE(w.form.StringGridModel->rowCount(), 4);
    QCOMPARE(w.form.ImportStartZeileEdit->text(), QString("2")); // row 1 holds the titles
    QCOMPARE(w.form.StringGridModel->headerData(5, Qt::Horizontal, Qt::DisplayRole).toString(),
             QString("06 - Call"));

    w.form.StringGrid->setCurrentIndex(w.form.StringGridModel->index(1, 9));
    QCOMPARE(w.form.StringGridComboBox->currentText(), QString("10 - Name"));
    emit w.form.StringGridComboBox->activated(0);
    QCOMPARE(w.form.StringGridModel->headerData(9, Qt::Horizontal, Qt::DisplayRole).toString(),
             QString("00 - none"));

    w.form.ImportStartZeileEdit->setText("0");
    QCOMPARE(w.form.ImportStartZeileEdit->text(), QString("1"));
    w.form.ImportStartZeileEdit->setText("2");
    w.form.NextBtn->click();
    QCOMPARE(int(w.form.step()), int(Step::Import15));

    QList<TQsoRecord> expected = records(w.dir.file("a.log"));
    for (TQsoRecord& r : expected)
        r[QsoField::Name].clear();
    QCOMPARE(records(w.dir.file("neu.log")), expected);
}

void TestLogConverterForm::exportFormats_data() {
    QTest::addColumn<QString>("radio");
    QTest::addColumn<QByteArray>("begin");
    QTest::newRow("ADIF") << "ExpAdifRadioBtn"
                          << QByteArray("This log was created with Dalu LogConverter");
    QTest::newRow("HTML") << "ExpHtmlRadioBtn"
                          << QByteArray("<html>\r\n<head>\r\n<title>a.log / b.log");
    QTest::newRow("text") << "ExpTxtFestRadioBtn" << QByteArray("#  Date");
}

void TestLogConverterForm::exportFormats() {
    QFETCH(QString, radio);
    QFETCH(QByteArray, begin);
    Wizard w;
    w.form.setProperty("TxtCreatedWith", QString("Gemacht mit Dalu"));
    w.startJob(w.form.ExportRadioBtn);
    selectLogs(w.form, {"b.log", "a.log"});
    w.form.NextBtn->click();
    QCOMPARE(int(w.form.step()), int(Step::Export22));
    w.form.findChild<QRadioButton*>(radio)->setChecked(true);
    w.form.ExportEdit->setText(w.dir.file("out.x"));
    w.form.NextBtn->click();
    QCOMPARE(int(w.form.step()), int(Step::Export23));
    QVERIFY(!w.form.busy());
    const QByteArray out = w.dir.readFile("out.x");
    QVERIFY2(out.startsWith(begin), out.left(80).constData());
    // The logs in list order, not in the order they were clicked.
    QVERIFY(out.indexOf("QX3ABC") < out.indexOf("QX11ABC"));
    QVERIFY(out.contains("QX12ABC"));
    if (radio != "ExpAdifRadioBtn")
        QVERIFY(out.contains("Gemacht mit Dalu"));
    QCOMPARE(w.form.SummaryLabel->text(),
             QString("5 QSOs wurden nach %1 exportiert.").arg(w.dir.file("out.x")));
}

void TestLogConverterForm::exportChecks() {
    Wizard w;
    w.startJob(w.form.ExportRadioBtn);
    QCOMPARE(nextWithMessage(w.form), QString("Du musst mindestens eine Dalu-Datei auswählen!"));
    QCOMPARE(int(w.form.step()), int(Step::Export21));
    selectLogs(w.form, {"a.log"});
    w.form.NextBtn->click();
    QCOMPARE(nextWithMessage(w.form),
             QString("Keine Datei, in die exportiert werden soll, angegeben!"));
    QCOMPARE(int(w.form.step()), int(Step::Export22));
    QCOMPARE(visiblePage(w.form), w.form.ExportPanel);
}

void TestLogConverterForm::overwriteQuestion_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("step");
    QTest::addColumn<bool>("written");
    QTest::newRow("No writes nothing") << int(QMessageBox::No) << int(Step::Export22) << false;
    QTest::newRow("Yes overwrites") << int(QMessageBox::Yes) << int(Step::Export23) << true;
}

void TestLogConverterForm::overwriteQuestion() {
    QFETCH(int, answer);
    QFETCH(int, step);
    QFETCH(bool, written);
    Wizard w;
    w.dir.writeFile("out.adi", "old");
    w.startJob(w.form.ExportRadioBtn);
    selectLogs(w.form, {"a.log"});
    w.form.NextBtn->click();
    const QString path = w.dir.file("out.adi");
    w.form.ExportEdit->setText(path);
    QCOMPARE(nextWithMessage(w.form, QMessageBox::StandardButton(answer)),
             QString("Die Datei \"%1\" existiert.\nÜberschreiben?").arg(path));
    QCOMPARE(int(w.form.step()), step);
    QCOMPARE(w.dir.readFile("out.adi") != "old", written);
    QVERIFY(!QFile::exists(path + ".tmp"));
}

void TestLogConverterForm::repairSelectedLogs() {
    Wizard w;
    TQsoRecord odd = LogBuilder::qso(7, "qx7abc");
    odd[QsoField::TxPwr] = "5";
    LogBuilder::writeLog(w.dir.file("a.log"), {odd, LogBuilder::qso(9)});
    LogBuilder::writeLog(w.dir.file("b.log"), {LogBuilder::qso(4)});
    const QByteArray untouched = LogBuilder::logContent({LogBuilder::qso(4)});
    w.dir.writeFile("c.log", untouched);
    w.form.GotoStartBtn->click();
    w.startJob(w.form.RepairRadioBtn);
    QCOMPARE(nextWithMessage(w.form), QString("Du musst mindestens eine Dalu-Datei auswählen!"));
    selectLogs(w.form, {"a.log", "b.log"});
    w.form.NextBtn->click();
    QCOMPARE(int(w.form.step()), int(Step::Repair32));
    QCOMPARE(numberedCalls(w.dir.file("a.log")), QStringList({"1 QX7ABC", "2 QX9ABC"}));
    QCOMPARE(records(w.dir.file("a.log")).first()[QsoField::TxPwr], QByteArray("5W"));
    QCOMPARE(numberedCalls(w.dir.file("b.log")), QStringList({"1 QX4ABC"}));
    QCOMPARE(w.dir.readFile("c.log"), untouched);
}

void TestLogConverterForm::appendJob_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("sources");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("new log from two sources")
        << "neu" << QStringList{"a.log", "b.log"} << "neu.log"
        << QStringList{"1 QX1ABC", "2 QX2ABC", "3 QX3ABC", "4 QX11ABC", "5 QX12ABC"};
    QTest::newRow("existing target first")
        << "b.log" << QStringList{"a.log"} << "b.log"
        << QStringList{"1 QX11ABC", "2 QX12ABC", "3 QX1ABC", "4 QX2ABC", "5 QX3ABC"};
    QTest::newRow("log onto itself")
        << "b.log" << QStringList{"b.log"} << "b.log"
        << QStringList{"1 QX11ABC", "2 QX12ABC", "3 QX11ABC", "4 QX12ABC"};
}

void TestLogConverterForm::appendJob() {
    QFETCH(QString, target);
    QFETCH(QStringList, sources);
    QFETCH(QString, file);
    QFETCH(QStringList, calls);
    Wizard w;
    w.startJob(w.form.VerbindenRadioBtn);
    selectLogs(w.form, sources);
    w.form.NextBtn->click();
    QCOMPARE(int(w.form.step()), int(Step::Append42));
    QCOMPARE(visiblePage(w.form), w.form.ImpLogFilePanel);
    w.form.ImpLogFileComboBox->setEditText(target);
    w.form.NextBtn->click();
    QCOMPARE(int(w.form.step()), int(Step::Append43));
    QCOMPARE(w.form.StatusLabel->text(), QString("4.3 Fertig!"));
    QCOMPARE(numberedCalls(w.dir.file(file)), calls);
    QCOMPARE(w.form.SummaryLabel->text(),
             QString("%1 enthält jetzt %2 QSOs.").arg(file).arg(calls.size()));
}

void TestLogConverterForm::restartShowsNewLogsAndKeepsChoices() {
    Wizard w;
    w.startJob(w.form.VerbindenRadioBtn);
    selectLogs(w.form, {"a.log"});
    w.form.NextBtn->click();
    w.form.ImpLogFileComboBox->setEditText("neu");
    w.form.NextBtn->click();
    QVERIFY(!w.form.busy());
    w.form.GotoStartBtn->click();
    QVERIFY(w.form.busy());
    QCOMPARE(int(w.form.step()), int(Step::Start));
    QCOMPARE(visiblePage(w.form), w.form.StartPanel);
    QVERIFY(w.form.VerbindenRadioBtn->isChecked());
    QCOMPARE(w.form.ExpLogFileListBox->count(), 3);
    QVERIFY(w.form.ExpLogFileListBox->selectedItems().isEmpty());
    QCOMPARE(w.form.ImpLogFileComboBox->count(), 3);
    QCOMPARE(w.form.ImpLogFileComboBox->findText("neu.log") >= 0, true);
    QCOMPARE(w.form.ImpLogFileComboBox->currentText(), QString());
    QVERIFY(w.form.SummaryLabel->text().isEmpty());
}

void TestLogConverterForm::closeQuestion_data() {
    QTest::addColumn<bool>("finished");
    QTest::addColumn<bool>("escape");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("open");
    QTest::newRow("busy, No stays") << false << false << int(QMessageBox::No) << true;
    QTest::newRow("busy, Yes closes") << false << false << int(QMessageBox::Yes) << false;
    QTest::newRow("busy, Escape asks too") << false << true << int(QMessageBox::No) << true;
    QTest::newRow("finished closes at once") << true << false << 0 << false;
}

void TestLogConverterForm::closeQuestion() {
    QFETCH(bool, finished);
    QFETCH(bool, escape);
    QFETCH(int, answer);
    QFETCH(bool, open);
    Wizard w;
    w.startJob(w.form.RepairRadioBtn);
    selectLogs(w.form, {"a.log"});
    if (finished)
        w.form.NextBtn->click();
    QString question;
    if (!finished)
        ModalDialogs::answerMessageBox(&question, QMessageBox::StandardButton(answer));
    if (escape)
        QTest::keyClick(&w.form, Qt::Key_Escape);
    else if (finished)
        w.form.CloseBtn->click();
    else
        w.form.CancelBtn->click();
    QCOMPARE(w.form.isVisible(), open);
    QCOMPARE(question, finished ? QString()
                                : QString("Der Vorgang ist noch nicht beendet, "
                                          "willst du wirklich abbrechen?"));
}

void TestLogConverterForm::browseDialogs_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("radio");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<bool>("mustExist");
    const QString adi = "ADIF-Logs (*.adi)|*.adi|Alle Dateien (*.*)|*.*";
    const QString htm = "HTML-Dateien (*.htm;*.html)|*.htm;*.html|Alle Dateien (*.*)|*.*";
    QTest::newRow("import ADIF") << "Import1BrowseBtn"
                                 << "ImpAdifRadioBtn"
                                 << "Import1Edit"
                                 << "Import ADIF ..." << adi << "adi" << true;
    QTest::newRow("import HTML") << "Import1BrowseBtn"
                                 << "ImpHtmlRadioBtn"
                                 << "Import1Edit"
                                 << "Import HTML ..." << htm << "htm" << true;
    QTest::newRow("export ADIF") << "ExportBrowseBtn"
                                 << "ExpAdifRadioBtn"
                                 << "ExportEdit"
                                 << "Export ADIF ..." << adi << "adi" << false;
    QTest::newRow("export HTML") << "ExportBrowseBtn"
                                 << "ExpHtmlRadioBtn"
                                 << "ExportEdit"
                                 << "Export HTML ..." << htm << "htm" << false;
    QTest::newRow("export text") << "ExportBrowseBtn"
                                 << "ExpTxtFestRadioBtn"
                                 << "ExportEdit"
                                 << "Export Text (feste Breite) ..."
                                 << "Textdateien (*.txt)|*.txt|Alle Dateien (*.*)|*.*"
                                 << "txt" << false;
}

void TestLogConverterForm::browseDialogs() {
    QFETCH(QString, button);
    QFETCH(QString, radio);
    QFETCH(QString, field);
    QFETCH(QString, title);
    QFETCH(QString, filter);
    QFETCH(QString, suffix);
    QFETCH(bool, mustExist);
    Wizard w;
    FileChoice asked;
    QString answer = "/somewhere/chosen";
    w.form.chooseFile = [&](QWidget*, const FileChoice& choice) {
        asked = choice;
        return answer;
    };
    w.form.findChild<QRadioButton*>(radio)->setChecked(true);
    auto* edit = w.form.findChild<QLineEdit*>(field);
    w.form.findChild<QPushButton*>(button)->click();
    QCOMPARE(asked.title, title);
    QCOMPARE(asked.filter, filter);
    QCOMPARE(asked.defaultSuffix, suffix);
    QCOMPARE(asked.mustExist, mustExist);
    QCOMPARE(asked.directory, w.dir.path());
    QCOMPARE(edit->text(), answer);
    answer.clear();
    w.form.findChild<QPushButton*>(button)->click();
    QCOMPARE(edit->text(), QString());
}

void TestLogConverterForm::fileErrorKeepsStep_data() {
    QTest::addColumn<bool>("repair");
    QTest::newRow("export into a missing folder") << false;
    QTest::newRow("repair of a vanished log") << true;
}

// A failed job shows the path in its message and leaves the wizard on its step with
// that step's page, so that the operator can mend the input and try again.
void TestLogConverterForm::fileErrorKeepsStep() {
    QFETCH(bool, repair);
    Wizard w;
    w.startJob(repair ? w.form.RepairRadioBtn : w.form.ExportRadioBtn);
    selectLogs(w.form, {"a.log"});
    QString path = w.dir.file("a.log");
    if (repair) {
        QFile::remove(path);
    } else {
        w.form.NextBtn->click();
        path = w.dir.file("nowhere/out.adi");
        w.form.ExportEdit->setText(path);
    }
    const Step step = w.form.step();
    const QString message = nextWithMessage(w.form);
    QVERIFY2(message.contains(path), qPrintable(message));
    QCOMPARE(w.form.step(), step);
    QCOMPARE(visiblePage(w.form), repair ? w.form.ExpLogFilePanel : w.form.ExportPanel);
    QVERIFY(w.form.busy());
}

void TestLogConverterForm::longJobShowsProgress() {
    Wizard w;
    LogBuilder::writeLog(w.dir.file("big.log"), qsos(1, 100000));
    w.form.GotoStartBtn->click();
    w.form.progressDelay = 1;
    w.startJob(w.form.VerbindenRadioBtn);
    selectLogs(w.form, {"big.log"});
    w.form.NextBtn->click();
    w.form.ImpLogFileComboBox->setEditText("copy");
    QString label;
    ModalDialogs::onNextModal([&label](QWidget* modal) {
        if (auto* progress = qobject_cast<QProgressDialog*>(modal))
            label = progress->labelText();
    });
    w.form.NextBtn->click();
    QCOMPARE(label, QString("copy.log"));
    QCOMPARE(int(w.form.step()), int(Step::Append43));
    QCOMPARE(numberedCalls(w.dir.file("copy.log")).size(), 100000);
}

void TestLogConverterForm::nameFilters_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("ADIF") << "ADIF-Logs (*.adi)|*.adi|Alle Dateien (*.*)|*.*"
                          << QStringList{"ADIF-Logs (*.adi)", "Alle Dateien (*)"};
    QTest::newRow("two patterns") << "HTML-Dateien (*.htm;*.html)|*.htm;*.html"
                                  << QStringList{"HTML-Dateien (*.htm *.html)"};
    QTest::newRow("description without patterns") << "Logs|*.log" << QStringList{"Logs (*.log)"};
    QTest::newRow("pattern missing") << "Logs" << QStringList{"Logs (*)"};
    QTest::newRow("empty") << "" << QStringList();
}

void TestLogConverterForm::nameFilters() {
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QCOMPARE(WizardFileDialog::nameFilters(filter), expected);
}

QTEST_MAIN(TestLogConverterForm)
#include "tst_logconverterform.moc"
