#pragma once
// The chart component's own exceptions: AxisException for axis range, increment and base
// checks, ChartException for every other chart property check.

#include "rtl/Exception.h"

F2_DECLARE_EXCEPTION(ChartException, Exception);
F2_DECLARE_EXCEPTION(AxisException, Exception);
