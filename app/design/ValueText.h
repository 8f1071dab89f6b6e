#pragma once
// A value as engineers write it: a few significant digits, an SI prefix and the unit, with the
// window's decimal comma ("22,58 nF", "5,102 kOhm", "1,000 MHz").

#include <string>

namespace design {

std::string EngineeringText(double value, const char* unit, int significantDigits = 4);

} // namespace design
