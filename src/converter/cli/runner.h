#pragma once

#include "commands.h"

#include <QTextStream>

namespace ConvertCli {

// Runs a parsed command; the summary goes to out, errors to err. Returns the exit status:
// 0 done, 1 a file could not be read or written, 2 the input cannot be used as asked.
int run(const Command& command, QTextStream& out, QTextStream& err);

// Parses and runs; usage errors give status 2 and a hint to --help.
int main(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace ConvertCli
