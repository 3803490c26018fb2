#include "clockform.h"
#include "doppeltform.h"
#include "entrydriver.h"
#include "entrypage.h"
#include "hotkeyform.h"
#include "infoform.h"
#include "languagetargets.h"
#include "logconverterform.h"
#include "meminifile.h"
#include "modaldialogs.h"
#include "qslinshowform.h"
#include "sessionfixture.h"
#include "textform.h"
#include "widgetfactory.h"
#include "widgettest.h"

#include <QRegularExpression>

namespace {

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
            if (auto* t = qobject_cast<QTabWidget*>(w))
                for (int tab = 0; tab < t->count(); ++tab)
                    shown << t->tabText(tab);
            if (auto* c = qobject_cast<QComboBox*>(w))
                for (int item = 0; item < c->count(); ++item)
                    shown << c->itemText(item);
            if (auto* e = qobject_cast<QPlainTextEdit*>(w); e && e->isReadOnly())
                shown << e->toPlainText().split('\n');
            if (auto* h = qobject_cast<QHeaderView*>(w); h && h->model())
                for (int col = 0; col < h->count(); ++col)
                    shown << h->model()->headerData(col, h->orientation()).toString();
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
        "Name\\)|[\\d.]+(c?m|W)|[A-Z0-9_]{2,}|[BF]\\d+:?|F\\d+: (Band|Mode)|Modes:|"
        "\\.\\.\\.|.*\\.(lng|log|htm)|https?://.*|RST \\+ .* "
        "TX|OK|Transceiver|Import|Export|Cabrillo|\\d\\d - .+|WSJT-X / JTDX|"
        // a transceiver model as hamlib names it, with its number
        ".+ \\(\\d+\\))$"));
    return neutral.match(text.trimmed()).hasMatch();
}

} // namespace

class TestLanguage : public QObject {
    Q_OBJECT
private slots:
    void shortFileLeavesLaterTargetsEmpty() {
        SessionFixture s(nullptr);
        QList<QByteArray> lines = s.dir.readFile("deutsch.lng").split('\n').mid(0, 15);
        lines[14] = "Zeile 1#13#10Zeile 2\r"; // the last line: the mask's key help
        s.dir.writeFile("kurz.lng", lines.join('\n') + '\n');
        s.start("[Language]\r\nLanguage=kurz.lng\r\n");
        QCOMPARE(s.shell().pages()->tabText(0), QString("Eingabe"));
        QCOMPARE(EntryDriver(s.form->entryPage).label("ShortCutLabel")->text(),
                 QString("Zeile 1\nZeile 2"));
        QCOMPARE(EntryDriver(s.form->entryPage).label("CallbookLabel")->text() +
                     s.form->station().msg(Msg::NewLogItem),
                 QString());
        // Neither language is ticked by name, the menu keeps its laid-out caption.
        QCOMPARE(WidgetFactory::shownCaption(s.shell().menu("LanguageMenu")->title()),
                 QString("Deutsch"));
    }

    // A missing file gives the built-in German texts, said once. An unreadable one chosen from
    // the menu is reported and changes nothing.
    void missingOrUnreadableFileIsReportedAndTheProgramGoesOn() {
        SessionFixture s(nullptr);
        QFile::remove(s.dir.file("english.lng"));
        QString message =
            ModalDialogs::messageOf([&s] { s.start("[Language]\r\nLanguage=english.lng\r\n"); });
        QVERIFY2(message.contains("english.lng"), qPrintable(message));
        QCOMPARE(s.shell().pages()->tabText(0), QString("Eingabe"));
        QVERIFY(!s.form->station().msg(Msg::NewLogItem).isEmpty());
        s.form->LoadLanguage(); // a second message would fail the test as unexpected
        QDir().mkdir(s.dir.file("english.lng")); // a folder of that name cannot be read
        message = ModalDialogs::messageOf([&s] { s.shell().action("EnglishMenu")->trigger(); });
        QVERIFY2(message.contains("english.lng"), qPrintable(message));
        QCOMPARE(s.shell().pages()->tabText(0), QString("Eingabe"));
        s.shell().action("DeutschMenu")->trigger();
        QCOMPARE(s.shell().pages()->tabText(0), QString("Eingabe"));
    }

    void everyWindowShowsOneLanguageAndSwitchesBack() {
        SessionFixture s;
        DaluSession* session = s.session.get();
        const QList<QWidget*> windows = {s.form,
                                         session->textForm(),
                                         session->hotKeyForm(),
                                         session->doppeltForm(),
                                         session->clockForm(),
                                         session->infoForm(),
                                         session->qslInShowForm(),
                                         session->logConverterForm()};
        // With a message box of Qt's standard buttons, as the program shows them.
        const auto shown = [&windows] {
            QMessageBox box(QMessageBox::Question, "Dalu", QString(),
                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            box.setObjectName("StandardButtons");
            return shownTexts(QList<QWidget*>(windows) << &box);
        };
        const QMap<QString, QString> german = shown();
        s.shell().action("EnglishMenu")->trigger();
        QCOMPARE(WidgetFactory::shownCaption(s.shell().menu("LanguageMenu")->title()),
                 QString("English"));
        QCOMPARE(s.form->station().settings().ReadString("Language", "Language", {}),
                 QString("english.lng"));
        const QMap<QString, QString> english = shown();
        QCOMPARE(english.keys(), german.keys());
        // A text that stays the same is German in the English interface or English in the
        // German one, unless it belongs to no language.
        QStringList same;
        for (auto it = german.begin(); it != german.end(); ++it)
            if (it.value() == english.value(it.key()) && !languageNeutral(it.value()))
                same.append(it.key() + ": " + it.value());
        QVERIFY2(same.isEmpty(), qPrintable(same.join('\n')));
        // Back in German, every text is as it was.
        s.shell().action("DeutschMenu")->trigger();
        QCOMPARE(WidgetFactory::shownCaption(s.shell().menu("LanguageMenu")->title()),
                 QString("Deutsch"));
        QCOMPARE(shown(), german);
    }
};

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
