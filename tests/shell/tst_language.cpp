#include "dalusession.h"
#include "entrypage.h"
#include "languagetargets.h"
#include "mainform.h"
#include "meminifile.h"
#include "modaldialogs.h"
#include "tempprogramdir.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMenu>
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

} // namespace

class TestLanguage : public QObject {
    Q_OBJECT
private slots:
    void switchToEnglishAndBackRestoresEveryCaption();
    void shortFileLeavesLaterTargetsEmpty();
    void lineBreakEscapeGivesTwoLineCaption();
    void missingFileFallsBackToBuiltInGermanOnce();
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

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
