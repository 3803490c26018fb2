#pragma once

class Navigator;
class QWidget;
class TEntryPage;

// Lets an end-to-end test drive the real program without a screen or timing: each line
// read from standard input is a call, typed into the entry mask and committed with Return,
// and "committed CALL" is written to standard output once the commit has returned. Off
// unless the environment variable DALU_STDIN_DRIVER is set.
namespace StdinDriver {
// The window holds the entry page; the navigator shows the page before each call.
void attachIfAsked(QWidget& window, TEntryPage& entry, Navigator& navigator);
} // namespace StdinDriver
