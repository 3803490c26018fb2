#pragma once

#include <QString>

#include <memory>

class TCallBook;

namespace CallBookLookup {

// The callbook file as [RAC] FileName names it; a relative name is taken against the
// program directory.
QString configuredPath(const QString& configuredFile);

// Start-up: the callbook on the folder of the configured file, or none when that file
// does not exist.
std::unique_ptr<TCallBook> open(const QString& configuredFile);

} // namespace CallBookLookup
