#pragma once
// The end of a process whose display connection broke (the server or compositor ended, the
// socket hung up): nothing on screen can be recovered, and whatever the process would do on its
// way out (exit handlers, destructors) may wait forever for an answer from the dead connection.

namespace platform {

// The exit code of a process whose display was lost.
constexpr int kLostDisplayExitCode = 1;

// Writes "<program>: lost the display <name>" (just "lost the display" without a name) to
// standard error and ends the process at once with kLostDisplayExitCode. Only write(2) and
// _exit(2): safe to call from the X library's I/O error handler.
[[noreturn]] void EndForLostDisplay(const char* name);

} // namespace platform
