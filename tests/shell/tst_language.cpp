#include "clockform.h"
#include "dalusession.h"
#include "doppeltform.h"
#include "entrypage.h"
#include "hotkeyform.h"
#include "infoform.h"
#include "languagetargets.h"
#include "mainform.h"
#include "meminifile.h"
#include "modaldialogs.h"
#include "qslinshowform.h"
#include "tempprogramdir.h"
#include "textform.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>

namespace {

// Every caption a window shows, by component name.
QMap<QString, QString> captions(QWidget* window) {
    QMap<QString, QString> result;
    for (QAction* a : window->findChildren<QAction*>()) {
        if (!a->objectName().isEmpty())
            result.insert(a->objectName(), a->text());
    }
    for (QMenu* m : window->findChildren<QMenu*>())
        result.insert(m->objectName(), m->title());
    for (QLabel* l : window->findChildren<QLabel*>())
        result.insert(l->objectName(), l->text());
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
        result.insert(b->objectName(), b->text());
    for (QTabWidget* t : window->findChildren<QTabWidget*>()) {
        for (int i = 0; i < t->count(); ++i)
            result.insert(t->widget(i)->objectName(), t->tabText(i));
    }
    result.remove(QString());
    return result;
}

QByteArray firstLines(const QByteArray& file, int count) {
    QList<QByteArray> lines = file.split('\n');
    return lines.mid(0, count).join('\n') + '\n';
}

// Every text the windows show, by window and widget, for comparing two languages: captions,
// titles, tabs, item lists, column titles and read-only text. A bounded walk: each widget once.
QMap<QString, QString> shownTexts(const QList<QWidget*>& windows) {
    QMap<QString, QString> texts;
    for (QWidget* window : windows) {
        QList<QWidget*> widgets = window->findChildren<QWidget*>();
        widgets.prepend(window);
        for (int i = 0; i < widgets.size(); ++i) {
            QWidget* w = widgets[i];
            if (w->window() != window)
                continue; // a window of its own, walked (or left to its owner) separately
            const QString key =
                QStringLiteral("%1/%2 %3 ").arg(window->objectName()).arg(i).arg(w->objectName());
            QStringList shown;
            if (w->isWindow())
                shown << w->windowTitle();
            if (auto* l = qobject_cast<QLabel*>(w))
                shown << l->text();
            if (auto* b = qobject_cast<QAbstractButton*>(w))
                shown << b->text();
            if (auto* g = qobject_cast<QGroupBox*>(w))
                shown << g->title();
            if (auto* m = qobject_cast<QMenu*>(w)) {
                shown << m->title();
                for (QAction* a : m->actions())
                    shown << a->text();
            }
            if (auto* t = qobject_cast<QTabWidget*>(w)) {
                for (int tab = 0; tab < t->count(); ++tab)
                    shown << t->tabText(tab);
            }
            if (auto* c = qobject_cast<QComboBox*>(w)) {
                for (int item = 0; item < c->count(); ++item)
                    shown << c->itemText(item);
            }
            if (auto* e = qobject_cast<QPlainTextEdit*>(w); e && e->isReadOnly())
                shown << e->toPlainText().split('\n');
            if (auto* h = qobject_cast<QHeaderView*>(w); h && h->model()) {
                for (int col = 0; col < h->count(); ++col)
                    shown << h->model()->headerData(col, h->orientation()).toString();
            }
            for (int n = 0; n < shown.size(); ++n)
                texts.insert(key + QString::number(n), shown[n]);
        }
    }
    return texts;
}

// Texts that read the same in both languages: field names, units, codes, names.
bool languageNeutral(const QString& text) {
    static const QRegularExpression neutral(QStringLiteral(
        "^[^A-Za-z\u00c4\u00d6\u00dc\u00e4\u00f6\u00fc\u00df]*$|^(#|Date|UTC:?|Call:|Band|"
        "Mode|Call|RST TX|RST RX|DOK|Name|QTH|Locator|TX Pwr|Comments|QSL [Oo]ut|"
        "QSL [Ii]n|DXCC:?|Info|LogConverter|&?Tools|Dalu( 0\\.5| Info)?|Deutsch|"
        "English|Log|QSL|Contest|Pactor|Format|StatusBar|Text|Name \\(--> "
        "Name\\)|\\d+(c?m|W)|[A-Z0-9_]{2,}|[BF]\\d+:?|Modes:|"
        "\\.\\.\\.|.*\\.(lng|log|htm)|https?://.*|RST \\+ .* TX|OK|Transceiver|"
        // a transceiver model as hamlib names it, with its number
        ".+ \\(\\d+\\))$"));
    return neutral.match(text.trimmed()).hasMatch();
}

// A message box with Qt's standard buttons, as the program shows them.
QMessageBox* standardButtons() {
    auto* box = new QMessageBox(QMessageBox::Question, QStringLiteral("Dalu"), QString(),
                                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box->setObjectName(QStringLiteral("StandardButtons"));
    return box;
}

} // namespace

class TestLanguage : public QObject {
    Q_OBJECT
private slots:
    void switchToEnglishAndBackRestoresEveryCaption();
    void shortFileLeavesLaterTargetsEmpty();
    void lineBreakEscapeGivesTwoLineCaption();
    void missingFileFallsBackToBuiltInGermanOnce();
    void unreadableFileIsReportedAndTheProgramGoesOn();
    void everyWindowShowsOneLanguage();
};

void TestLanguage::switchToEnglishAndBackRestoresEveryCaption() {
    TempProgramDir dir;
    dir.copyDataFiles();
    DaluSession session;
    TMainForm* form = session.mainForm();
    const QMap<QString, QString> german = captions(form);
    QCOMPARE(form->EingabeTS->objectName(), QString("EingabeTS"));
    QCOMPARE(form->MainPageControl->tabText(0), QString("Eingabe"));
    QVERIFY(!form->msg(Msg::NewLogItem).isEmpty());

    form->EnglishMenu->trigger();
    QCOMPARE(form->LanguageMenu->title(), QString("English"));
    QCOMPARE(form->settings().ReadString("Language", "Language", {}), QString("english.lng"));
    const QMap<QString, QString> english = captions(form);
    QVERIFY(english.value("Datei1") != german.value("Datei1"));
    QVERIFY(english.value("EingabeTS") != german.value("EingabeTS"));

    form->DeutschMenu->trigger();
    QCOMPARE(form->LanguageMenu->title(), QString("Deutsch"));
    const QMap<QString, QString> back = captions(form);
    for (auto it = german.begin(); it != german.end(); ++it)
        QCOMPARE(back.value(it.key()), it.value());
}

void TestLanguage::shortFileLeavesLaterTargetsEmpty() {
    TempProgramDir dir;
    dir.copyDataFiles();
    dir.writeFile("kurz.lng", firstLines(dir.readFile("deutsch.lng"), 8));
    dir.writeFile("Dalu.ini", "[Language]\r\nLanguage=kurz.lng\r\n");
    DaluSession session;
    TMainForm* form = session.mainForm();
    QVERIFY(!form->Datei1->title().isEmpty());
    QCOMPARE(form->MainPageControl->tabText(0), QString());
    QCOMPARE(form->msg(Msg::NewLogItem), QString());
    // Neither language is ticked by name, the menu keeps its laid-out caption.
    QCOMPARE(form->LanguageMenu->title(), QString("Deutsch"));
}

void TestLanguage::lineBreakEscapeGivesTwoLineCaption() {
    TempProgramDir dir;
    dir.copyDataFiles();
    QList<QByteArray> lines = dir.readFile("deutsch.lng").split('\n');
    lines[14] = "Zeile 1#13#10Zeile 2\r"; // line 15: the mask's key help
    dir.writeFile("zwei.lng", lines.join('\n'));
    dir.writeFile("Dalu.ini", "[Language]\r\nLanguage=zwei.lng\r\n");
    DaluSession session;
    QCOMPARE(session.mainForm()->entryPage->ShortCutLabel->text(), QString("Zeile 1\nZeile 2"));
}

void TestLanguage::missingFileFallsBackToBuiltInGermanOnce() {
    TempProgramDir dir;
    dir.copyDataFiles();
    QFile::remove(dir.file("english.lng"));
    dir.writeFile("Dalu.ini", "[Language]\r\nLanguage=english.lng\r\n");
    QString message;
    ModalDialogs::answerMessageBox(&message);
    DaluSession session;
    TMainForm* form = session.mainForm();
    QVERIFY2(message.contains("english.lng"), qPrintable(message));
    QCOMPARE(form->MainPageControl->tabText(0), QString("Eingabe"));
    QVERIFY(!form->msg(Msg::NewLogItem).isEmpty());
    message.clear();
    form->LoadLanguage();
    QCOMPARE(message, QString());
}

void TestLanguage::unreadableFileIsReportedAndTheProgramGoesOn() {
    TempProgramDir dir;
    dir.copyDataFiles();
    QFile::remove(dir.file("english.lng"));
    QDir().mkdir(dir.file("english.lng")); // a folder of that name cannot be read
    DaluSession session;
    TMainForm* form = session.mainForm();
    QString message;
    ModalDialogs::answerMessageBox(&message);
    form->EnglishMenu->trigger();
    QVERIFY2(message.contains("english.lng"), qPrintable(message));
    QCOMPARE(form->MainPageControl->tabText(0), QString("Eingabe")); // no text changed
    form->DeutschMenu->trigger();
    QCOMPARE(form->MainPageControl->tabText(0), QString("Eingabe"));
}

void TestLanguage::everyWindowShowsOneLanguage() {
    TempProgramDir dir;
    dir.copyDataFiles();
    DaluSession session;
    TMainForm* form = session.mainForm();
    const QList<QWidget*> windows = {form,
                                     session.textForm(),
                                     session.hotKeyForm(),
                                     session.doppeltForm(),
                                     session.clockForm(),
                                     session.infoForm(),
                                     session.qslInShowForm()};
    std::unique_ptr<QMessageBox> germanBox(standardButtons());
    const QMap<QString, QString> german = shownTexts(QList<QWidget*>(windows) << germanBox.get());
    form->EnglishMenu->trigger();
    std::unique_ptr<QMessageBox> englishBox(standardButtons());
    const QMap<QString, QString> english = shownTexts(QList<QWidget*>(windows) << englishBox.get());
    QCOMPARE(english.keys(), german.keys());
    // A text that stays the same is German in the English interface or English in the
    // German one, unless it belongs to no language.
    QStringList same;
    for (auto it = german.begin(); it != german.end(); ++it) {
        if (it.value() == english.value(it.key()) && !languageNeutral(it.value()))
            same.append(it.key() + ": " + it.value());
    }
    QVERIFY2(same.isEmpty(), qPrintable(same.join('\n')));
}

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
