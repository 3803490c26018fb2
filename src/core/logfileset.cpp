#include "logfileset.h"

#include <QDir>

namespace LogFileSet {

QStringList logFileNames(const QString& directory) {
    // "*.log" matches on every platform without regard to case, as the desktop does.
    QDir dir(directory);
    dir.setNameFilters({QStringLiteral("*.log")});
    dir.setFilter(QDir::Files | QDir::Hidden | QDir::System);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    return dir.entryList();
}

QString newLogFileName(const QString& answer) {
    QString name = answer;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    name = name.mid(name.lastIndexOf(QLatin1Char('/')) + 1);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return {};
    if (!name.endsWith(QLatin1String(".log")))
        name += QLatin1String(".log");
    return name;
}

} // namespace LogFileSet
