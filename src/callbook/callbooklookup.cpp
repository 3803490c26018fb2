#include "callbooklookup.h"

#include "callbookaccess.h"
#include "programdir.h"

#include <QDir>
#include <QFileInfo>

#include <memory>

namespace CallBookLookup {

QString configuredPath(const QString& configuredFile) {
    if (configuredFile.isEmpty() || QDir::isAbsolutePath(configuredFile))
        return configuredFile;
    // Relative as Dalu.ini holds it: from the program directory, wherever Dalu was started.
    return QDir::cleanPath(programDirectory() + configuredFile);
}

std::unique_ptr<TCallBook> open(const QString& configuredFile) {
    const QFileInfo file(configuredPath(configuredFile));
    if (configuredFile.isEmpty() || !file.isFile())
        return nullptr;
    return std::make_unique<TCallBook>(file.absolutePath());
}

} // namespace CallBookLookup
