// Times each evaluation page over a 100,000-QSO log, as the operator runs it: counts when
// the page is shown, squares, DOKs and DXCC entities (with their DXCC lookups) on "anzeigen!".
#include "busylog.h"
#include "dokpage.h"
#include "dxccpage.h"
#include "evaluationsdriver.h"
#include "locatorpage.h"
#include "logbuilder.h"
#include "mainform.h"
#include "qsocountspage.h"
#include "tempprogramdir.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QStringListModel>
#include <QTextEdit>

#include <cstdio>
#include <ctime>

namespace {

constexpr int kQsos = 100000;

// Wall-clock milliseconds; the processor time of this process goes to cpuMs, which shows
// the work itself on a machine loaded by other programs.
template <typename F> double timed(F&& action, double& cpuMs) {
    QElapsedTimer t;
    const std::clock_t cpu = std::clock();
    t.start();
    action();
    QApplication::processEvents();
    cpuMs = double(std::clock() - cpu) * 1000 / CLOCKS_PER_SEC;
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TempProgramDir dir;
    QApplication app(argc, argv);
    dir.copyDataFiles();
    LogBuilder::writeLog(dir.file("big.log"), BusyLog::records(kQsos, 20, false));
    dir.writeFile("Dalu.ini",
                  "[Allgemein]\r\nLastLogFileName=big.log\r\nEigenerLocator=JO43SQ\r\n");
    TMainForm form;
    form.show();
    form.navigator().showPage(Navigator::Page::Evaluations);
    const EvaluationsDriver e(&form);
    for (const char* page : {"loc", "dok", "dxcc"})
        e.filterEdit(page, "StopNumberEdit")->setText(QString::number(kQsos));
    TLocatorPage* squarePage = e.page<TLocatorPage>();
    QApplication::processEvents();

    for (int round = 1; round <= 3; ++round) {
        double cpu[4];
        const double counts = timed([&] { e.page<TQsoCountsPage>()->AnzahlQsosTSShow(); }, cpu[0]);
        const double squares = timed([&] { squarePage->locAuswertenBtnClick(); }, cpu[1]);
        const double doks = timed([&] { e.page<TDokPage>()->dokOkBtnClick(); }, cpu[2]);
        const double dxcc = timed([&] { e.page<TDxccPage>()->dxccStartBtnClick(); }, cpu[3]);
        std::printf("round %d, %d QSOs, wall (cpu) ms: counts %.0f (%.0f), squares %.0f (%.0f) "
                    "for %d squares, DOKs %.0f (%.0f) for %d, DXCC %.0f (%.0f) for %d lines\n",
                    round, kQsos, counts, cpu[0], squares, cpu[1],
                    int(squarePage->squareList().size()), doks, cpu[2],
                    e.listModel("dokGearbeitetListBox")->rowCount() +
                        e.listModel("dokBestaetigtListBox")->rowCount(),
                    dxcc, cpu[3], e.child<QTextEdit>("dxccAllRichEdit")->document()->blockCount());
    }
    return 0;
}
