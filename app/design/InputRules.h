#pragma once
// What the main window accepts: the range rules of its four fields, checked on the number as
// entered in the field's unit, and the Q values its filter families preset. The command line
// checks the same rules on the same numbers, so the two accept exactly the same designs.

#include <optional>
#include <span>
#include <string_view>

namespace design {

// Each returns the limit text that the window writes into a field whose value breaks a rule,
// or nullptr when the value is accepted. fc as entered with its multiplier (1 for Hz, 1000 for
// kHz); R in kOhm; C as entered with its multiplier (1e-9 for nF, 1e-6 for uF).
const char* FrequencyRuleBroken(double fc, double freqMultiplier);
const char* QRuleBroken(double q);
const char* ResistorRuleBroken(double kiloOhms);
const char* CapacitorRuleBroken(double c, double capMultiplier);

// The accepted ranges in SI units, as texts for messages.
inline constexpr const char* FrequencyRangeText = "1 Hz to 500 kHz";
inline constexpr const char* QRangeText = "0.29999 to 2.5";
inline constexpr const char* ResistorRangeText = "100 ohm to 1 Mohm";
inline constexpr const char* CapacitorRangeText = "100 pF to 10 uF";
// The largest frequency the window takes in Hz, and the largest capacitance in nF; above them
// it takes kHz and uF.
inline constexpr double LargestHzEntry = 99999;
inline constexpr double LargestNanofaradEntry = 1000;

enum class TFilterFamily { Bessel, Butterworth, Chebyshev05, Chebyshev1, LinkwitzRiley };

struct TFamilyPreset {
    TFilterFamily family;
    const char* name;    // on the command line
    const char* qText;   // the text the window writes into its Q field
};

std::span<const TFamilyPreset> FamilyPresets();
const TFamilyPreset& Preset(TFilterFamily family);
// The preset of a family named on the command line (case-insensitive), if any.
std::optional<TFamilyPreset> PresetNamed(std::string_view name);

} // namespace design
