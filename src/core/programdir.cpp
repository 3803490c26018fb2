#include "programdir.h"

#include "settingskeys.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// Where the package installs the delivered files, seen from the executable's folder.
const char* const kSharedDataFromBin = "../share/dalu";

// The delivered files an operator may change; the language files and help pages are read
// from the installed originals.
const char* const kEditableFiles[] = {"DXCC.ini", "DOK.ini", "callbook/callbook.txt"};

QString asFolder(const QString& dir) {
    QString clean = QDir::cleanPath(QDir(dir).absolutePath());
    if (!clean.endsWith(QLatin1Char('/')))
        clean += QLatin1Char('/');
    return clean;
}

bool holdsSettings(const QString& dir) {
    return QFileInfo::exists(asFolder(dir) + QLatin1String(SettingsKeys::kFileName));
}

QString userDataDirectory() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

} // namespace

namespace ProgramPlaces {

QString decide(const Inputs& in) {
    if (!in.daluHome.isEmpty())
        return asFolder(in.daluHome);
    if (holdsSettings(in.executableDir) || sharedData(in.executableDir).isEmpty())
        return asFolder(in.executableDir);
    return asFolder(in.userDataDir);
}

QString sharedData(const QString& executableDir) {
    const QString dir = asFolder(asFolder(executableDir) + QLatin1String(kSharedDataFromBin));
    return QFileInfo(dir).isDir() ? dir : QString();
}

void seed(const QString& userDir, const QString& sharedDir) {
    if (holdsSettings(userDir))
        return;
    for (const char* name : kEditableFiles) {
        const QString from = asFolder(sharedDir) + QLatin1String(name);
        const QString to = asFolder(userDir) + QLatin1String(name);
        if (!QFileInfo::exists(from) || QFileInfo::exists(to))
            continue;
        // A failed copy is harmless: programFile() then reads the original.
        QDir().mkpath(QFileInfo(to).absolutePath());
        QFile::copy(from, to);
    }
}

} // namespace ProgramPlaces

QString programDirectory() {
    const QString home = qEnvironmentVariable("DALU_HOME");
    return ProgramPlaces::decide({home, QCoreApplication::applicationDirPath(),
                                  home.isEmpty() ? userDataDirectory() : QString()});
}

QString sharedDataDirectory() {
    return ProgramPlaces::sharedData(QCoreApplication::applicationDirPath());
}

QString programFile(const QString& relativePath) {
    const QString own = programDirectory() + relativePath;
    if (QFileInfo::exists(own))
        return own;
    const QString shared = sharedDataDirectory();
    return shared.isEmpty() || !QFileInfo::exists(shared + relativePath) ? own
                                                                         : shared + relativePath;
}

void prepareProgramDirectory() {
    const QString dir = programDirectory();
    const QString shared = sharedDataDirectory();
    if (shared.isEmpty() || dir != asFolder(userDataDirectory()))
        return;
    QDir().mkpath(dir);
    ProgramPlaces::seed(dir, shared);
}
