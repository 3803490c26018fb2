// Walks every page of the main window as a keyboard user: each control Tab reaches has a
// name for screen readers, and Tab visits a page's controls in reading order.
#include "converterdriver.h"
#include "doppeltform.h"
#include "hotkeyform.h"
#include "logconverterform.h"
#include "sessionfixture.h"
#include "textform.h"
#include "widgettest.h"

#include <QAccessible>

namespace {

// A group of radio buttons is one stop: Tab enters at the checked one, the arrows move on.
bool passedRadio(const QWidget* w) {
    const auto* radio = qobject_cast<const QRadioButton*>(w);
    if (!radio || radio->isChecked() || !radio->autoExclusive())
        return false;
    const auto group = w->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
    return std::any_of(group.begin(), group.end(),
                       [](const QRadioButton* r) { return r->isChecked() && r->autoExclusive(); });
}

bool tabStop(const QWidget* w) {
    return w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
           !w->focusProxy() && !passedRadio(w);
}

// Reading order: top to bottom, left to right, a group (a container side by side with
// others) read whole before the next. Controls inside a control (a combo box's line
// edit) belong to it.
void readingOrder(QWidget* parent, QList<QWidget*>& order) {
    QList<QWidget*> children;
    for (QObject* o : parent->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (w && w->isVisible() && !w->isWindow())
            children.append(w);
    }
    std::sort(children.begin(), children.end(),
              [](QWidget* a, QWidget* b) { return a->y() < b->y(); });
    // Rows: what starts above the middle of a row's first widget stands in that row.
    for (qsizetype first = 0; first < children.size();) {
        qsizetype end = first + 1;
        while (end < children.size() &&
               children[end]->y() < children[first]->geometry().center().y())
            ++end;
        std::sort(children.begin() + first, children.begin() + end,
                  [](QWidget* a, QWidget* b) { return a->x() < b->x(); });
        first = end;
    }
    for (QWidget* w : children) {
        if (tabStop(w))
            order.append(w);
        else
            readingOrder(w, order);
    }
}

QString nameOf(QWidget* w) {
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                     : w->objectName();
}

// Every page shown in turn, nested notebooks included.
void forEachPage(QTabWidget* tabs, const QString& path,
                 const std::function<void(QWidget*, const QString&)>& visit) {
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QWidget* page = tabs->widget(i);
        const QString name = path + '/' + nameOf(page);
        const QList<QTabWidget*> inner = page->findChildren<QTabWidget*>();
        if (!inner.isEmpty() && inner.first()->isVisible())
            forEachPage(inner.first(), name, visit);
        else
            visit(page, name);
    }
}

// Every control has a name that says something, and Tab visits them in reading order.
void walk(QWidget* page, const QString& name, QStringList& faults) {
    QList<QWidget*> order;
    readingOrder(page, order);
    for (QWidget* w : order) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        QString text = a->text(QAccessible::Name);
        // A combo box tells its value as its name; its caption comes as a relation.
        if (qobject_cast<QComboBox*>(w)) {
            const auto labels = a->relations(QAccessible::Label);
            text = labels.isEmpty() ? w->accessibleName()
                                    : labels.first().first->text(QAccessible::Name);
        }
        if (!std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetterOrNumber(); }))
            faults.append(name + ": " + nameOf(w) + " has no accessible name but \"" + text + '"');
    }
    if (order.isEmpty())
        return;
    order.first()->setFocus(Qt::TabFocusReason);
    for (qsizetype i = 1; i < order.size(); ++i) {
        // Tab first walks the sections of a date or time inside its control.
        QWidget* now = order[i - 1];
        for (int n = 0; n < 4 && now == order[i - 1]; ++n) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            now = QApplication::focusWidget();
        }
        if (now != order[i]) {
            faults.append(QStringLiteral("%1: Tab from %2 goes to %3, not %4")
                              .arg(name, nameOf(order[i - 1]), now ? nameOf(now) : "nothing",
                                   nameOf(order[i])));
            order[i]->setFocus(Qt::TabFocusReason);
        }
    }
}

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private slots:
    void everyPageAndDialogReadsInOrder() {
        SessionFixture f({LogBuilder::qso(1)});
        // The main window's own activation must not arrive while a dialog is walked.
        QVERIFY(QTest::qWaitForWindowActive(f.form));
        QStringList faults;
        forEachPage(ShellDriver(f.form).pages(), QString(),
                    [&](QWidget* page, const QString& name) { walk(page, name, faults); });
        const auto walkWindow = [&](QWidget* window) {
            window->show();
            QTRY_COMPARE(QApplication::activeWindow(), window);
            walk(window, nameOf(window), faults);
        };
        // The wizard shows one panel at a time.
        TLogConverterForm* wizard = f.session->logConverterForm();
        const ConverterDriver ui(*wizard);
        const QList<QWidget*> panels = ui.pages();
        for (QWidget* shown : panels) {
            for (QWidget* panel : panels)
                panel->setVisible(panel == shown);
            ui.BackBtn()->setEnabled(true);
            walkWindow(wizard);
        }
        wizard->hide();
        for (QWidget* window : QList<QWidget*>{f.session->doppeltForm(), f.session->hotKeyForm(),
                                               f.session->textForm()}) {
            walkWindow(window);
            window->hide();
        }
        // A numbered field is read with its block's caption, its "..." button with the field.
        const auto spoken = [&](const char* child) {
            return f.form->findChild<QWidget*>(child)->accessibleName();
        };
        QCOMPARE(spoken("rLog2Edit") + " | " + spoken("rLog2Btn"),
                 QStringLiteral(u"Referenz-Logs 2. | Referenz-Logs 2.: ausw\u00e4hlen ..."));
        for (const QString& fault : faults)
            qWarning("%s", qPrintable(fault));
        QVERIFY2(faults.isEmpty(), "see the warnings above");
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
