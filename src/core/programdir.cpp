#include "programdir.h"

#include <QCoreApplication>
#include <QDir>

QString programDirectory() {
    QString dir = qEnvironmentVariable("DALU_HOME");
    if (dir.isEmpty())
        dir = QCoreApplication::applicationDirPath();
    dir = QDir::cleanPath(QDir(dir).absolutePath());
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}
