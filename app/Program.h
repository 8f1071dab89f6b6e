#pragma once
// Start-up of the calculator, shared by the program and the test tools: the embedded
// resources, the application object and the main window built from its layout.

// The application id: the window class of the main window and the desktop entry's name.
inline constexpr const char* Filter2AppId = "org.example.filter2";

// Puts the embedded resources (the layout streams of the main and the details windows, the
// icon) into the resource table; registering again restores them.
void RegisterProgramResources();

// Registers the resources, creates the application object (titled after the program file) and
// the main window. Raises whatever building the window raises.
void StartFilter2();

// The whole program on the installed desktop: start-up, the event loop, clean-up. A failure to
// build the window is shown as a start-up failure and gives exit code 1; so does a display that
// cannot be opened, reported as one line on standard error.
int RunFilter2();

// Destroys the application object and with it the main window.
void StopFilter2();
