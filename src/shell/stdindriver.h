#pragma once

class TMainForm;

// Lets an end-to-end test drive the real program without a screen or timing: each line
// read from standard input is a call, typed into the entry mask and committed with Return,
// and "committed CALL" is written to standard output once the commit has returned. Off
// unless the environment variable DALU_STDIN_DRIVER is set.
namespace StdinDriver {
void attachIfAsked(TMainForm& form);
}
