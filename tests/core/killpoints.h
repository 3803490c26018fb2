#pragma once

// For tests that kill a writer in the middle of its work at chosen points instead of at
// random moments. The calls by which the program changes a file (write, pwrite, fwrite,
// fflush, fclose, fsync, fdatasync, ftruncate, rename) are counted once armed; linked only
// into the tests that use them.
namespace KillPoints {

// From now on counts those calls. Before call number stopAt (0: never) the process writes
// one byte to reportFd and waits to be killed.
void arm(long stopAt = 0, int reportFd = -1);

// The calls counted since arm().
long calls();

// The parent's side: waits for the child's byte on reportFd (then closed), kills the child
// and reaps it. False when the child ended on its own or not by the kill.
bool killStopped(int child, int reportFd);

} // namespace KillPoints
