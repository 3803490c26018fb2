#pragma once

#include <QString>

// The folder of the program's files, with a trailing "/": DALU_HOME when set, else the
// executable's folder.
QString programDirectory();
