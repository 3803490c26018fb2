// Times the writes of the window on a 100,000-QSO log as the operator makes them: saving an
// edited QSO, committing a QSO from the entry mask, and reading the log into both lists.
// Each write is flushed to disk and shown in both lists before the next.
#include "logbuilder.h"
#include "mainform.h"
#include "navigator.h"
#include "station.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>

static void report(const char* what, QList<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%-28s median %7.1f ms, max %7.1f ms (%d runs)\n", what, ms.at(ms.size() / 2),
                ms.last(), int(ms.size()));
}

template <typename T> static T* named(QWidget& window, const char* name) {
    T* w = window.findChild<T*>(QLatin1String(name));
    if (!w)
        qFatal("no %s", name);
    return w;
}

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Beside the build, not in a RAM-backed /tmp: the writes must pay for reaching the disk.
    QTemporaryDir dir(QStringLiteral("bench-ui-writes-XXXXXX"));
    qputenv("DALU_HOME", QFile::encodeName(dir.path()));
    QApplication app(argc, argv);
    constexpr int kQsos = 100000;
    LogBuilder::writeLog(dir.filePath(QStringLiteral("big.log")), LogBuilder::qsos(kQsos));
    QFile ini(dir.filePath(QStringLiteral("Dalu.ini")));
    ini.open(QIODevice::WriteOnly);
    ini.write("[Allgemein]\r\nLastLogFileName=big.log\r\n[ShowAtStartUp]\r\ne=0\r\nf=0\r\nh=0\r\n"
              "i=0\r\nj=0\r\nk=0\r\nl=0\r\n[Presets]\r\nRSTTX=59\r\nRSTRX=59\r\n");
    ini.close();
    TMainForm form;
    form.show();
    QApplication::processEvents();
    QElapsedTimer t;
    QList<double> saves;
    for (int i = 0; i < 21; ++i) {
        form.navigator().editQso({kQsos / 2 + i, Navigator::ReturnTo::List, {}, {}});
        named<QLineEdit>(form, "eNameEdit")->setText(QStringLiteral("Name%1").arg(i));
        t.restart();
        named<QPushButton>(form, "eOkBtn")->click();
        QApplication::processEvents();
        saves.append(t.nsecsElapsed() / 1e6);
    }
    report("save an edited QSO", saves);
    form.navigator().showPage(Navigator::Page::Entry);
    QList<double> commits;
    for (int i = 0; i < 21; ++i) {
        QLineEdit* call = named<QLineEdit>(form, "CallEdit");
        call->setFocus();
        QTest::keyClicks(call, QStringLiteral("QX%1ZZ").arg(i));
        t.restart();
        for (int k = 0; k < 3; ++k)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents();
        commits.append(t.nsecsElapsed() / 1e6);
    }
    report("commit a QSO from the mask", commits);
    QList<double> fills;
    QList<double> reads;
    for (int i = 0; i < 5; ++i) {
        t.restart();
        form.station().reload();
        reads.append(t.nsecsElapsed() / 1e6);
        QApplication::processEvents();
        fills.append(t.nsecsElapsed() / 1e6);
    }
    report("read the log into the lists", reads);
    report("fill both lists, shown", fills);
    return form.station().qsoCount() == kQsos + 21 ? 0 : 1;
}
