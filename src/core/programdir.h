#pragma once

#include <QString>

// Where the program's files live; every folder returned ends in "/".
//
// The program directory holds what the operator owns: the logs, Dalu.ini and the reference
// files (which the operator may extend). It is DALU_HOME when that is set; else the
// executable's folder when that holds a Dalu.ini or the program is not installed (a portable
// folder, a build tree); else, for an installed program, the user's data folder.
QString programDirectory();

// The files delivered with an installed program (<prefix>/share/dalu/ beside <prefix>/bin/),
// or empty when the program is not installed.
QString sharedDataDirectory();

// A delivered file by its path below the program directory: the operator's copy when there
// is one, else the installed original.
QString programFile(const QString& relativePath);

// Makes the user's data folder of an installed program ready: created, and on the first
// start (no Dalu.ini yet) given copies of the delivered files an operator may edit. Leaves
// DALU_HOME and a portable folder alone.
void prepareProgramDirectory();

// The decision itself, free of the process environment.
namespace ProgramPlaces {

struct Inputs {
    QString daluHome;      // empty when unset
    QString executableDir; // with or without trailing "/"
    QString userDataDir;
};

QString decide(const Inputs& in);
QString sharedData(const QString& executableDir); // empty when not installed
// Copies the editable delivered files that are missing, unless userDir already has Dalu.ini.
void seed(const QString& userDir, const QString& sharedDir);

} // namespace ProgramPlaces
