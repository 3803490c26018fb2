#include "dalusession.h"
#include "errorboundary.h"
#include "programdir.h"
#include "rigcontrol.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    DaluApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dalu"));
    prepareProgramDirectory();
    int status = 0;
    {
        DaluSession session;
        session.showMainWindow();
        status = app.exec();
    } // the settings are written here
    // A rig thread still held up by a rig that does not answer would keep the process
    // alive for hamlib's time-outs, and ending it under the thread is not safe either.
    if (TRigControl::rigThreadsRunning()) {
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
