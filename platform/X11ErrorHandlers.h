#pragma once
// What the X library does when something goes wrong on the display connection, for every
// connection of the process (SDL's own ones, the message box's, ours).
//
// - An error about a window or drawable that no longer exists (BadWindow, BadDrawable) is
//   expected: a request can be on its way while the window goes (the window manager, another
//   client, our own teardown). It is dropped without a word and the program goes on.
// - Any other protocol error is reported as one line on standard error; the program goes on
//   (the X library's default would end it).
// - A lost connection (the server ended or reset, the socket broke) cannot be recovered: the
//   X library must not return to the caller. The process writes one line, "<program>: lost the
//   display <name>", and ends at once with exit code 1, without running exit handlers, which
//   would talk to the dead connection again and wait forever for its answer (LostDisplay).
//
// Install before SDL's video starts, so that SDL's own handler passes errors on to these.

namespace platform {

class X11ErrorHandlers {
public:
    // Installs both handlers once; later calls do nothing.
    static void Install();
};

} // namespace platform
