#pragma once
// The parts a command builds its sections from: the window's computed parts (exact), the best
// standard pairs (standard), or, when the command was given no R or C, the equal-element
// design of fc and Q itself, whose response does not depend on R or C.

#include "app/cli/CommandLine.h"
#include "app/design/SectionParts.h"

namespace cli {

design::TLowPassParts LowPassPartsFor(const TRequest& request);
design::THighPassParts HighPassPartsFor(const TRequest& request);

} // namespace cli
