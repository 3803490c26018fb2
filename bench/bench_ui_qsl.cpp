// Times the QSL page on a 100,000-QSO log as the operator uses it: building the out list
// (rule "first QSO with the call" with band, mode, day and year), then Enter on 200 rows,
// each mark read, rewritten, flushed to disk and shown before the next key.
#include "evaluationspage.h"
#include "logbuilder.h"
#include "mainform.h"
#include "qsllistmodel.h"
#include "qslpage.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Beside the build, not in a RAM-backed /tmp: the marks must pay for reaching the disk.
    QTemporaryDir dir(QStringLiteral("bench-ui-qsl-XXXXXX"));
    qputenv("DALU_HOME", QFile::encodeName(dir.path()));
    QApplication app(argc, argv);
    constexpr int kQsos = 100000;
    constexpr int kMarks = 200;
    QList<TQsoRecord> records;
    for (int n = 1; n <= kQsos; ++n)
        records.append(LogBuilder::qso(n, "QX" + QByteArray::number(n % 14000) + "ABC"));
    LogBuilder::writeLog(dir.filePath(QStringLiteral("big.log")), records);
    QFile ini(dir.filePath(QStringLiteral("Dalu.ini")));
    ini.open(QIODevice::WriteOnly);
    ini.write("[Allgemein]\r\nLastLogFileName=big.log\r\n[QSL]\r\nFirstQso=1\r\nBand=1\r\n"
              "Mode=1\r\nDay=1\r\nYear=1\r\n");
    ini.close();

    TMainForm form;
    form.show();
    TQslPage* page = form.evaluationsPage->qslPage;
    form.navigator().showPage(Navigator::Page::Evaluations);
    QApplication::processEvents();
    QList<double> builds;
    QElapsedTimer t;
    for (int round = 0; round < 5; ++round) {
        t.restart();
        page->qslCreateListBtn->click();
        QApplication::processEvents();
        builds.append(t.nsecsElapsed() / 1e6);
    }
    std::sort(builds.begin(), builds.end());
    std::printf("build the QSL out list (%d rows): median %.1f ms, max %.1f ms\n",
                page->qslModel->qsoCount(), builds.at(2), builds.last());

    QTableView* grid = page->qslStringGrid;
    grid->setFocus();
    grid->setCurrentIndex(page->qslModel->index(page->qslModel->qsoCount() - kMarks, 0));
    QList<double> marks;
    for (int i = 0; i < kMarks; ++i) {
        t.restart();
        QTest::keyClick(grid, Qt::Key_Return);
        QApplication::processEvents();
        marks.append(t.nsecsElapsed() / 1e6);
    }
    std::sort(marks.begin(), marks.end());
    std::printf("%d marks with Enter at the end of the list: median %.1f ms, 90%% %.1f ms, "
                "max %.1f ms\n",
                kMarks, marks.at(kMarks / 2), marks.at(kMarks * 9 / 10), marks.last());
    return 0;
}
