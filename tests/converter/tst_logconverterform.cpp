#include "converterdriver.h"
#include "languagefile.h"
#include "languagetargets.h"
#include "logbuilder.h"
#include "logconverter.h"
#include "logconverterform.h"
#include "logfile.h"
#include "modaldialogs.h"
#include "qsogridmodel.h"
#include "qsolists.h"
#include "sessionfixture.h"
#include "station.h"
#include "tempprogramdir.h"
#include "testdata.h"
#include "uitexts.h"
#include "widgettest.h"

#include <QProgressDialog>

using Step = TLogConverterForm::Step;
using Button = QMessageBox::StandardButton;

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
    for (const TQsoRecord& r : LogBuilder::readLog(path))
        calls.append(QString::fromLatin1(r[QsoField::Number] + ' ' + r[QsoField::Call]));
    return calls;
}

QWidget* visiblePage(const ConverterDriver& ui) {
    QList<QWidget*> shown;
    for (QWidget* p : ui.pages())
        if (p->isVisible())
            shown.append(p);
    return shown.size() == 1 ? shown[0] : nullptr; // never two pages at once
}

// Every choice the pages hold, as one text.
QStringList choices(const ConverterDriver& ui) {
    const TLogConverterForm& form = ui.form;
    QStringList out;
    for (const QRadioButton* r : form.findChildren<QRadioButton*>())
        out << r->objectName() + (r->isChecked() ? "+" : "");
    for (const QLineEdit* e : form.findChildren<QLineEdit*>())
        out << e->objectName() + '=' + e->text();
    for (const QListWidgetItem* i : ui.ExpLogFileListBox()->selectedItems())
        out << i->text();
    return out << ui.StringGridComboBox()->currentText();
}

// A shown wizard on a program directory holding a.log (3 QSOs), b.log (2 QSOs), the ADIF
// file in.adi and a.htm, the HTML export of a.log.
struct Wizard {
    TempProgramDir dir;
    Station station; // with no open log: every job writes its files itself
    TLogConverterForm form{station};
    ConverterDriver ui{form};
    QString message; // shown by the last Next of go() when it was given an answer

    Wizard() {
        LogBuilder::writeLog(dir.file("a.log"), LogBuilder::qsos(3));
        LogBuilder::writeLog(dir.file("b.log"), LogBuilder::qsos(2, 11));
        dir.writeFile("in.adi", kAdif);
        LogConverter::exportHtml({dir.file("a.log")}, dir.file("a.htm"));
        form.show();
    }

    // Fills the page shown with each input (blank-separated radio buttons, file, logs to
    // select, target log or start row), then presses Next; the last Next must show a message
    // box when given an answer. At input `detour`, Back and Next must keep step and choices.
    void go(const QStringList& inputs, Button answer = QMessageBox::NoButton,
            qsizetype detour = -1) {
        for (qsizetype i = 0; i < inputs.size(); ++i) {
            fill(inputs[i]);
            if (i == detour) {
                const Step step = form.step();
                const QStringList before = choices(ui);
                ui.BackBtn()->click();
                QVERIFY(form.step() != step);
                ui.NextBtn()->click();
                QCOMPARE(form.step(), step);
                QCOMPARE(choices(ui), before);
            }
            if (i == inputs.size() - 1 && answer != QMessageBox::NoButton)
                ModalDialogs::answerMessageBox(&message, answer);
            ui.NextBtn()->click();
        }
    }

    void fill(const QString& input) {
        QWidget* page = visiblePage(ui);
        for (const QString& part : input.split(' ', Qt::SkipEmptyParts)) {
            const auto items = ui.ExpLogFileListBox()->findItems(part, Qt::MatchExactly);
            if (auto* radio = form.findChild<QRadioButton*>(part))
                radio->setChecked(true);
            else if (page == ui.ExpLogFilePanel() && items.size() == 1)
                items[0]->setSelected(true);
            else if (page == ui.ImpLogFilePanel())
                ui.ImpLogFileComboBox()->setEditText(part);
            else if (page == ui.StringGridPanel())
                ui.ImportStartZeileEdit()->setText(part);
            else
                (page == ui.ImportPanel() ? ui.Import1Edit() : ui.ExportEdit())
                    ->setText(dir.file(part));
        }
    }
};

} // namespace

class TestLogConverterForm : public QObject {
    Q_OBJECT
private slots:
    // Each job's result, also after one Back and one Next on a page (at input "detour").
    void jobs_data() {
        columns<QStringList, int, QString, QStringList, QString>("inputs", "detour", "file",
                                                                 "calls", "summary");
        const QStringList imported{"1 QX1ABC", "2 QX2ABC"};
        const auto row = [](const char* name, const QStringList& inputs, int detour,
                            const char* file, const QStringList& calls, const char* summary) {
            QTest::newRow(name) << inputs << detour << file << calls << summary;
        };
        const QString imp = "ImportRadioBtn";
        const QString app = "VerbindenRadioBtn";
        row("import, no dot gets .log", {imp, "in.adi", "archiv"}, -1, "archiv.log", imported,
            "2 QSOs wurden in archiv.log importiert.");
        row("import, dot kept", {imp, "in.adi", "archiv.txt"}, -1, "archiv.txt", imported,
            "in archiv.txt importiert");
        row("import, folder parts dropped", {imp, "in.adi", "../up\\archiv"}, -1, "archiv.log",
            imported, "in archiv.log importiert");
        row("import, existing log", {imp, "in.adi", "b.log"}, -1, "b.log",
            {"1 QX11ABC", "2 QX12ABC", "3 QX1ABC", "4 QX2ABC"}, "in b.log importiert");
        row("import, Back on the source page", {imp, "in.adi", "neu"}, 1, "neu.log", imported,
            "in neu.log importiert");
        row("import, Back on the target page", {imp, "in.adi", "neu"}, 2, "neu.log", imported,
            "in neu.log importiert");
        row("HTML import, Back on the column page", {imp, "ImpHtmlRadioBtn a.htm", "neu", ""}, 3,
            "neu.log", {"1 QX1ABC", "2 QX2ABC", "3 QX3ABC"},
            "3 QSOs wurden in neu.log importiert.");
        row("append two sources, Back on the list", {app, "a.log b.log", "neu"}, 1, "neu.log",
            {"1 QX1ABC", "2 QX2ABC", "3 QX3ABC", "4 QX11ABC", "5 QX12ABC"},
            "neu.log enthält jetzt 5 QSOs.");
        row("append to an existing target, Back on the target page", {app, "a.log", "b.log"}, 2,
            "b.log", {"1 QX11ABC", "2 QX12ABC", "3 QX1ABC", "4 QX2ABC", "5 QX3ABC"},
            "b.log enthält jetzt 5 QSOs.");
        row("append a log onto itself", {app, "b.log", "b.log"}, -1, "b.log",
            {"1 QX11ABC", "2 QX12ABC", "3 QX11ABC", "4 QX12ABC"}, "b.log enthält jetzt 4 QSOs.");
    }
    void jobs() {
        Wizard w;
        w.go(fetched<QStringList>("inputs"), QMessageBox::NoButton, fetched<int>("detour"));
        QCOMPARE(visiblePage(w.ui), w.ui.FertigPanel());
        QVERIFY(!w.form.busy() && w.ui.StatusLabel()->text().endsWith("Fertig!"));
        QVERIFY2(w.ui.SummaryLabel()->text().contains(fetched<QString>("summary")),
                 qPrintable(w.ui.SummaryLabel()->text()));
        QTEST(numberedCalls(w.dir.file(fetched<QString>("file"))), "calls");
        QVERIFY(!QFile::exists(w.dir.path() + "../up/archiv.log"));
    }

    // Every caption line finds its control; the texts the window starts with are those the
    // German file gives it (some lines are kept for texts no step shows).
    void languageFilesMatchTheWindow() {
        const LanguageTexts german = readLanguageFile(QStringLiteral(DALU_DATA_DIR "/deutsch.lng"));
        Station station;
        const TLogConverterForm form(station);
        for (const LanguageTarget& t : languageTargets()) {
            if (qstrcmp(t.window, LanguageWindow::Converter) != 0)
                continue;
            if (t.kind == LanguageTargetKind::Caption)
                QVERIFY2(form.findChild<QWidget*>(t.component), t.component);
            else if (t.kind == LanguageTargetKind::WizardText &&
                     form.property(t.component).isValid())
                QCOMPARE(form.property(t.component).toString(), german.text(t.line));
        }
    }

    // A Next that cannot go on says why and leaves the wizard on its step, title and page.
    void refusedNextKeepsStep_data() {
        columns<QStringList, QString, QString>("inputs", "title", "message");
        const auto row = [](const char* name, const QStringList& inputs, const char* title,
                            const char* message) {
            QTest::newRow(name) << inputs << title << message;
        };
        const char* noLog = "Keine Dalu-Datei ausgewählt!";
        const char* selectOne = "Du musst mindestens eine Dalu-Datei auswählen!";
        const QString imp = "ImportRadioBtn";
        row("import: missing file", {imp, "missing.adi"}, "1.1 ", "Datei existiert nicht!");
        row("import: a folder", {imp, "."}, "1.1 ", "Datei existiert nicht!");
        row("import: no target", {imp, "in.adi", ""}, "1.2 ", noLog);
        row("import: only a folder", {imp, "in.adi", "sub/"}, "1.2 ", noLog);
        row("export: no log", {"ExportRadioBtn", ""}, "2.1 ", selectOne);
        row("export: no target", {"ExportRadioBtn", "a.log", ""}, "2.2 ",
            "Keine Datei, in die exportiert werden soll, angegeben!");
        row("export: missing folder",
            {"ExportRadioBtn", "a.log", "ExpAdifRadioBtn nowhere/out.adi"}, "2.2 ",
            "nowhere/out.adi");
        row("repair: no log", {"RepairRadioBtn", ""}, "3.1 ", selectOne);
        row("repair: unreadable log", {"RepairRadioBtn", "bad.log"}, "3.1 ", "bad.log");
        row("append: no target", {"VerbindenRadioBtn", "a.log", ""}, "4.2 ", noLog);
    }
    void refusedNextKeepsStep() {
        QFETCH(QStringList, inputs);
        Wizard w;
        w.dir.writeFile("bad.log",
                        LogBuilder::rawLog({"1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;17"}));
        w.ui.GotoStartBtn()->click();
        w.go(inputs.mid(0, inputs.size() - 1));
        const Step step = w.form.step();
        QWidget* page = visiblePage(w.ui);
        w.go(inputs.mid(inputs.size() - 1), QMessageBox::Ok);
        QVERIFY2(w.message.contains(fetched<QString>("message")), qPrintable(w.message));
        QVERIFY(w.form.step() == step && visiblePage(w.ui) == page && w.form.busy());
        QVERIFY2(w.ui.StatusLabel()->text().startsWith(fetched<QString>("title")),
                 qPrintable(w.ui.StatusLabel()->text()));
    }

    // The account follows the language; a cut last record is named as incomplete.
    void importAdifSummaryListsSkipped_data() {
        columns<UiLanguage, QString>("language", "summary");
        QTest::newRow("German") << UiLanguage::German
                                << "2 QSOs wurden in neu.log importiert. 2 Datensätze wurden "
                                   "übersprungen:|Datensatz 3: es fehlt CALL\nDatensatz 4 (QX): "
                                   "unvollständig, die Datei endet darin";
    }
    void importAdifSummaryListsSkipped() {
        setUiLanguage(fetched<UiLanguage>("language"));
        Wizard w;
        w.dir.writeFile("in.adi", kAdif + "<BAND:2>2m<CALL:4>QX");
        w.go({"ImportRadioBtn", "in.adi", "neu"});
        setUiLanguage(UiLanguage::German);
        QVERIFY(visiblePage(w.ui) == w.ui.FertigPanel() && w.ui.SkippedMemo()->isVisible());
        QTEST(w.ui.SummaryLabel()->text() + '|' + w.ui.SkippedMemo()->toPlainText(), "summary");
    }
    void importHtmlTable() {
        Wizard w;
        w.go({"ImportRadioBtn", "ImpHtmlRadioBtn a.htm", "neu"});
        QCOMPARE(w.form.step(), Step::Import14);
        QCOMPARE(w.ui.StatusLabel()->text(),
                 QString("1.4 Wie sollen die Daten zugeordnet werden?"));
        QCOMPARE(w.ui.StringGridModel()->rowCount(), 4);
        QCOMPARE(w.ui.ImportStartZeileEdit()->text(), QString("2")); // row 1 holds the titles
        const auto title = [&w](int c) {
            return w.ui.StringGridModel()
                ->headerData(c, Qt::Horizontal, Qt::DisplayRole)
                .toString();
        };
        QCOMPARE(title(5), QString("06 - Call"));
        w.ui.StringGrid()->setCurrentIndex(w.ui.StringGridModel()->index(1, 9));
        QCOMPARE(w.ui.StringGridComboBox()->currentText(), QString("10 - Name"));
        emit w.ui.StringGridComboBox()->activated(0);
        QCOMPARE(title(9), QString("00 - none"));
        w.ui.ImportStartZeileEdit()->setText("0");
        QCOMPARE(w.ui.ImportStartZeileEdit()->text(), QString("1"));
        w.go({"2"});
        QCOMPARE(w.form.step(), Step::Import15);
        QList<TQsoRecord> expected = LogBuilder::readLog(w.dir.file("a.log"));
        for (TQsoRecord& r : expected)
            r[QsoField::Name].clear();
        QCOMPARE(LogBuilder::readLog(w.dir.file("neu.log")), expected);
    }

    // Back and Next on the list page or the target page change nothing. The existing target
    // is kept after No and overwritten after Yes.
    void exportFormats_data() {
        columns<QString, int, QByteArray, QByteArray>("radio", "detour", "begin", "end");
        QTest::newRow("ADIF") << "ExpAdifRadioBtn" << -1
                              << QByteArray("This log was created with Dalu LogConverter")
                              << QByteArray("<EOR>\r\n");
        QTest::newRow("HTML, Back on the list page")
            << "ExpHtmlRadioBtn" << 1 << QByteArray("<html>\r\n<head>\r\n<title>a.log / b.log")
            << QByteArray("</html>\r\n");
        QTest::newRow("text, Back on the target page")
            << "ExpTxtFestRadioBtn" << 2 << QByteArray("#  Date") << QByteArray("Dalu\r\n");
    }
    void exportFormats() {
        QFETCH(QString, radio);
        QFETCH(QByteArray, begin);
        Wizard w;
        w.dir.writeFile("out.x", "old");
        w.form.setProperty("TxtCreatedWith", QString("Gemacht mit Dalu"));
        w.go({"ExportRadioBtn", "b.log a.log", radio + " out.x"}, QMessageBox::No,
             fetched<int>("detour"));
        QCOMPARE(w.message,
                 QString("Die Datei \"%1\" existiert.\nÜberschreiben?").arg(w.dir.file("out.x")));
        QVERIFY(w.form.step() == Step::Export22 && w.dir.readFile("out.x") == "old");
        w.go({""}, QMessageBox::Yes);
        QVERIFY(w.form.step() == Step::Export23 && !w.form.busy());
        const QByteArray out = w.dir.readFile("out.x");
        QVERIFY2(out.startsWith(begin) && out.endsWith(fetched<QByteArray>("end")), out.data());
        QCOMPARE(out.count(begin), 1);
        // The logs in list order, not in the order they were clicked.
        QVERIFY(out.indexOf("QX3ABC") < out.indexOf("QX11ABC") && out.contains("QX12ABC"));
        QCOMPARE(out.contains("Gemacht mit Dalu"), radio != "ExpAdifRadioBtn");
        QCOMPARE(w.ui.SummaryLabel()->text(),
                 QString("5 QSOs wurden nach %1 exportiert.").arg(w.dir.file("out.x")));
        QVERIFY(QDir(w.dir.path()).entryList({"*.tmp"}).isEmpty());
    }

    void repairSelectedLogs() {
        Wizard w;
        TQsoRecord odd = LogBuilder::qso(7, "qx7abc");
        odd[QsoField::TxPwr] = "5";
        w.dir.writeFile("a.log", LogBuilder::logContent({odd, LogBuilder::qso(9)}) + "garbage\r\n");
        const QByteArray untouched = LogBuilder::logContent({odd});
        w.dir.writeFile("c.log", untouched);
        w.ui.GotoStartBtn()->click();
        w.go({"RepairRadioBtn", "a.log b.log"});
        QCOMPARE(w.form.step(), Step::Repair32);
        QCOMPARE(numberedCalls(w.dir.file("a.log")), QStringList({"1 QX7ABC", "2 QX9ABC"}));
        QCOMPARE(LogBuilder::readLog(w.dir.file("a.log")).first()[QsoField::TxPwr],
                 QByteArray("5W"));
        QCOMPARE(w.dir.readFile("c.log"), untouched);
        // A line that is no QSO is kept aside, not made into one dated today.
        QCOMPARE(w.dir.readFile("a.log.rejected"), QByteArray("garbage\r\n"));
        QVERIFY(w.ui.SummaryLabel()->text().contains(w.dir.file("a.log.rejected")));
        QCOMPARE(w.ui.SkippedMemo()->toPlainText(), QString("a.log, Zeile 4: kein lesbares Datum"));
    }

    // The open log's list follows an import into it at once, with no reload asked for.
    void importIntoTheOpenLogShowsInItsList() {
        SessionFixture f({LogBuilder::qso(1)});
        f.dir.writeFile("in.adi", kAdif);
        TLogConverterForm& form = *f.session->logConverterForm();
        const ConverterDriver ui(form);
        form.show();
        ui.named<QRadioButton>("ImportRadioBtn")->setChecked(true);
        ui.NextBtn()->click();
        ui.Import1Edit()->setText(f.dir.file("in.adi"));
        ui.NextBtn()->click();
        ui.ImpLogFileComboBox()->setEditText("a.log");
        ui.NextBtn()->click();
        QCOMPARE(form.step(), Step::Import15);
        const QsoGridModel* list = f.form->lists().upper();
        QCOMPARE(list->rowCount(), 3);
        QCOMPARE(list->record(2)[QsoField::Call], QByteArray("QX2ABC"));
    }

    void closeQuestion_data() {
        columns<bool, bool, Button, bool>("finished", "escape", "answer", "open");
        QTest::newRow("busy, No stays") << false << false << QMessageBox::No << true;
        QTest::newRow("busy, Yes closes") << false << false << QMessageBox::Yes << false;
        QTest::newRow("busy, Escape asks too") << false << true << QMessageBox::No << true;
        QTest::newRow("finished closes at once") << true << false << QMessageBox::NoButton << false;
    }
    void closeQuestion() {
        QFETCH(bool, finished);
        Wizard w;
        w.go(finished ? QStringList{"RepairRadioBtn", "a.log"} : QStringList{"RepairRadioBtn"});
        QString question;
        if (!finished)
            ModalDialogs::answerMessageBox(&question, fetched<Button>("answer"));
        if (fetched<bool>("escape"))
            QTest::keyClick(&w.form, Qt::Key_Escape);
        else
            (finished ? w.ui.CloseBtn() : w.ui.CancelBtn())->click();
        QTEST(w.form.isVisible(), "open");
        QCOMPARE(question, finished ? QString()
                                    : QString("Der Vorgang ist noch nicht beendet, "
                                              "willst du wirklich abbrechen?"));
    }

    // Title, default suffix and whether the file must exist; the filter offers that suffix.
    void browseDialogs_data() {
        columns<QString, QString, QString>("button", "radio", "expected");
        const auto row = [](const char* name, const char* button, const char* radio,
                            const char* expected) {
            QTest::newRow(name) << button << radio << expected;
        };
        row("import ADIF", "Import1BrowseBtn", "ImpAdifRadioBtn", "Import ADIF ...|adi|1");
        row("import HTML", "Import1BrowseBtn", "ImpHtmlRadioBtn", "Import HTML ...|htm|1");
        row("export ADIF", "ExportBrowseBtn", "ExpAdifRadioBtn", "Export ADIF ...|adi|0");
        row("export HTML", "ExportBrowseBtn", "ExpHtmlRadioBtn", "Export HTML ...|htm|0");
        row("export text", "ExportBrowseBtn", "ExpTxtFestRadioBtn",
            "Export Text (feste Breite) ...|txt|0");
    }
    void browseDialogs() {
        QFETCH(QString, button);
        Wizard w;
        FileChoice asked;
        QString answer = "/somewhere/chosen";
        w.form.chooseFile = [&](QWidget*, const FileChoice& choice) {
            asked = choice;
            return answer;
        };
        w.form.findChild<QRadioButton*>(fetched<QString>("radio"))->setChecked(true);
        QLineEdit* edit = button.startsWith("Import") ? w.ui.Import1Edit() : w.ui.ExportEdit();
        w.form.findChild<QPushButton*>(button)->click();
        QTEST(QStringList({asked.title, asked.defaultSuffix, QString::number(asked.mustExist)})
                  .join('|'),
              "expected");
        QVERIFY2(asked.filter.contains("(*." + asked.defaultSuffix), qPrintable(asked.filter));
        QCOMPARE(asked.directory, w.dir.path());
        QCOMPARE(edit->text(), answer);
        answer.clear();
        w.form.findChild<QPushButton*>(button)->click();
        QCOMPARE(edit->text(), QString());
    }
    // A long job shows its progress. Starting again lists the new log, keeps the job chosen
    // and forgets the rest.
    void longJobShowsProgressAndRestartListsTheNewLog() {
        Wizard w;
        LogBuilder::writeLog(w.dir.file("big.log"), LogBuilder::qsos(100000));
        w.ui.GotoStartBtn()->click();
        w.form.progressDelay = 1;
        QString label;
        ModalDialogs::onNextModal([&label](QWidget* modal) {
            if (auto* progress = qobject_cast<QProgressDialog*>(modal))
                label = progress->labelText();
        });
        w.go({"VerbindenRadioBtn", "big.log", "copy"});
        QCOMPARE(label, QString("copy.log"));
        QVERIFY(w.form.step() == Step::Append43 && !w.form.busy());
        QCOMPARE(numberedCalls(w.dir.file("copy.log")).size(), 100000);
        w.ui.GotoStartBtn()->click();
        QVERIFY(w.form.busy() && w.form.step() == Step::Start);
        QCOMPARE(visiblePage(w.ui), w.ui.StartPanel());
        QVERIFY(w.ui.VerbindenRadioBtn()->isChecked() && w.ui.TrennenRadioBtn()->isHidden());
        QCOMPARE(
            (QList<int>{w.ui.ExpLogFileListBox()->count(), w.ui.ImpLogFileComboBox()->count()}),
            (QList<int>{4, 4}));
        QVERIFY(w.ui.ImpLogFileComboBox()->findText("copy.log") >= 0);
        QVERIFY(w.ui.ExpLogFileListBox()->selectedItems().isEmpty() &&
                w.ui.ImpLogFileComboBox()->currentText().isEmpty() &&
                w.ui.SummaryLabel()->text().isEmpty());
    }

    void nameFilters_data() {
        columns<QString, QStringList>("filter", "expected");
        QTest::newRow("ADIF") << "ADIF-Logs (*.adi)|*.adi|Alle Dateien (*.*)|*.*"
                              << QStringList{"ADIF-Logs (*.adi)", "Alle Dateien (*)"};
        QTest::newRow("two patterns") << "HTML-Dateien (*.htm;*.html)|*.htm;*.html"
                                      << QStringList{"HTML-Dateien (*.htm *.html)"};
        QTest::newRow("no patterns") << "Logs|*.log" << QStringList{"Logs (*.log)"};
        QTest::newRow("pattern missing") << "Logs" << QStringList{"Logs (*)"};
        QTest::newRow("empty") << "" << QStringList();
    }
    void nameFilters() {
        QTEST(WizardFileDialog::nameFilters(fetched<QString>("filter")), "expected");
    }
};

QTEST_MAIN(TestLogConverterForm)
#include "tst_logconverterform.moc"
