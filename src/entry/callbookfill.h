#pragma once

class Station;
class TEntryPage;

namespace CallBookFill {

// CallbookLabelClick: looks the mask's call up on a thread of its own; once it answers,
// and the call field still holds that call, name and comments get the data ticked in the
// settings and any other result is shown with its code.
void fillMask(Station& station, TEntryPage& mask);
// A lookup has not answered yet.
bool isBusy(const TEntryPage& mask);

} // namespace CallBookFill
