#pragma once

#include <QString>

#include <memory>

class TCallBook;
class TMainForm;

namespace CallBookLookup {

// Start-up: the callbook on the folder of the configured file, or none when that file
// does not exist.
std::unique_ptr<TCallBook> open(const QString& configuredFile);

// CallbookLabelClick: looks the mask's call up; name and comments get the ticked data,
// any other result is shown with its code.
void fillMask(TMainForm& form);

} // namespace CallBookLookup
