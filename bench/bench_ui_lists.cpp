// Times filling both QSO lists of the main window from a 100,000-QSO log.
#include "logfile.h"
#include "mainform.h"
#include "qsogridmodel.h"
#include "qsolists.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dir;
    qputenv("DALU_HOME", QFile::encodeName(dir.path()));
    QApplication app(argc, argv);
    constexpr int kQsos = 100000;
    {
        QFile f(dir.filePath(QStringLiteral("big.log")));
        f.open(QIODevice::WriteOnly);
        QByteArray content = QsoLine::kHeader + "\r\n";
        for (int n = 1; n <= kQsos; ++n)
            content += QByteArray::number(n) + ";05.06.2004;17:31:00;2m;FM;QX" +
                       QByteArray::number(n) +
                       "ABC;59;59;Z10;Erika;Kiel;JO54AH;10W;first QSO#13#10via repeater;;\r\n";
        f.write(content);
        QFile ini(dir.filePath(QStringLiteral("Dalu.ini")));
        ini.open(QIODevice::WriteOnly);
        ini.write("[Allgemein]\r\nLastLogFileName=big.log\r\n");
    }
    // The main window alone: no language file to load, so no fallback message to answer.
    TMainForm window;
    TMainForm* form = &window;
    form->show();
    QApplication::processEvents();
    QElapsedTimer t;
    t.start();
    form->ListeNeuFuellen();
    QApplication::processEvents();
    const double ms = t.nsecsElapsed() / 1e6;
    std::printf("fill both lists from %d QSOs: %.1f ms (%d rows)\n", kQsos, ms,
                form->lists().upper()->rowCount());
    return form->lists().upper()->rowCount() == kQsos ? 0 : 1;
}
