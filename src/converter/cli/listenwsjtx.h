#pragma once

#include <QString>
#include <QTextStream>

namespace ConvertCli {

// Logs what WSJT-X or JTDX announce into log until SIGINT or SIGTERM, with the settings of
// Dalu.ini in the program folder (address, port, named host, start or end time) and the
// log's lock, so that a Dalu window cannot have the same log open meanwhile.
int listenWsjtx(const QString& log, QTextStream& out, QTextStream& err);

} // namespace ConvertCli
