#pragma once
// A ui-driver session run in the test's process: the real program on the headless desktop,
// the script's commands carried out one by one, and the driver's replies read back.

#include "JsonValue.h"

#include <functional>
#include <string>
#include <vector>

// The replies to the script's commands, one per command, each without its closing "." line.
// afterStart runs once the program is built (a test opens its own windows there).
std::vector<std::string> RunSession(const std::string& script, const std::function<void()>& afterStart = {});
// The driver's output cut into its replies (each ends with a line holding a single ".").
std::vector<std::string> SplitReplies(const std::string& output);

// A window next to the main one, named "Probe" (caption "Probe window", 300 x 200 at the
// screen's top right, clear of the main window where its pad is), shown:
//   ProbeEdit   an edit field at (10, 10, 120 x 21)
//   ProbePad    a control at (10, 50, 100 x 60); its text is "inside" while the pointer is over
//               it and "outside" after it left; a right-click opens ProbeMenu
//   ProbeLabel  shows where the pointer last moved over ProbePad ("x,y" in its coordinates),
//               and "opened" after ProbeMenu's first item was chosen
//   ProbeChart  a chart with two series: 0 holds (1,10) (2,20), 1 holds (1,-1) (2,-2) (3,-3)
//   ProbeMenu   "Open", "Locked" (disabled), a separator, "Hidden" (invisible)
// Closing it destroys it. A second window "Shelf" exists but is never shown.
void OpenProbeWindow();

// The reply's lines, each read as JSON ("windows", "menu", "dump").
std::vector<JsonValue> JsonLines(const std::string& reply);
// The line of a "dump" reply that describes the named component; fails the test when missing.
JsonValue Described(const std::string& dump, const std::string& name);
