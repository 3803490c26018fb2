#pragma once

#include <QString>

#include <memory>

class TCallBook;
class TMainForm;

namespace CallBookLookup {

// The callbook file as [RAC] FileName names it; a relative name is taken against the
// program directory.
QString configuredPath(const QString& configuredFile);

// Start-up: the callbook on the folder of the configured file, or none when that file
// does not exist.
std::unique_ptr<TCallBook> open(const QString& configuredFile);

// CallbookLabelClick: looks the mask's call up on a thread of its own; once it answers,
// and the call field still holds that call, name and comments get the ticked data and any
// other result is shown with its code.
void fillMask(TMainForm& form);
// A lookup has not answered yet.
bool isBusy(const TMainForm& form);

} // namespace CallBookLookup
