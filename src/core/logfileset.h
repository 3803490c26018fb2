#pragma once

#include <QString>
#include <QStringList>

// The log files side by side in the program directory.
namespace LogFileSet {

// The names (without folder) of the files "*.log" in the folder.
QStringList logFileNames(const QString& directory);

// The file name for an answer of the new-log prompt: only its last path part, with ".log"
// appended unless it already ends so (case-sensitive). Empty when nothing is left.
QString newLogFileName(const QString& answer);

} // namespace LogFileSet
