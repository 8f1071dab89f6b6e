#pragma once
// The layout compiler's error: the message already names the file and line
// ("unit1.layout:12: unterminated string"), ready to be printed as it stands.

#include "rtl/Exception.h"

namespace layoutc {

F2_DECLARE_EXCEPTION(ELayoutError, Exception);

} // namespace layoutc
