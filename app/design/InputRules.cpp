#include "app/design/InputRules.h"

#include <array>
#include <strings.h>

namespace design {

const char* FrequencyRuleBroken(double fc, double freqMultiplier)
{
    if (fc < 1 && freqMultiplier == 1)
        return "1";
    if (fc > 99999 && freqMultiplier == 1)
        return "99999";
    if (fc < 0.1 && freqMultiplier == 1000)
        return "0,1";
    if (fc > 500 && freqMultiplier == 1000)
        return "500";
    return nullptr;
}

// Q from 0.29999, not 0.3: a typed "0,3" must pass.
const char* QRuleBroken(double q)
{
    if (q < 0.29999)
        return "0,3";
    if (q > 2.5)
        return "2,5";
    return nullptr;
}

const char* ResistorRuleBroken(double kiloOhms)
{
    if (kiloOhms < 0.1)
        return "0,1";
    if (kiloOhms > 1000)
        return "1000";
    return nullptr;
}

// The capacitor unit is told apart by comparing its multiplier with 1e-8.
const char* CapacitorRuleBroken(double c, double capMultiplier)
{
    if (c < 0.1 && capMultiplier < 1e-8)
        return "0,1";
    if (c > 1000 && capMultiplier < 1e-8)
        return "1000";
    if (c < 0.01 && capMultiplier > 1e-8)
        return "0,01";
    if (c > 10 && capMultiplier > 1e-8)
        return "10";
    return nullptr;
}

namespace {
constexpr std::array<TFamilyPreset, 5> kPresets{{
    {TFilterFamily::Bessel, "bessel", "0,58"},
    {TFilterFamily::Butterworth, "butterworth", "0,71"},
    {TFilterFamily::Chebyshev05, "chebyshev-0.5", "0,86"},
    {TFilterFamily::Chebyshev1, "chebyshev-1", "0,96"},
    {TFilterFamily::LinkwitzRiley, "linkwitz-riley", "0,5"},
}};
} // namespace

std::span<const TFamilyPreset> FamilyPresets()
{
    return kPresets;
}

const TFamilyPreset& Preset(TFilterFamily family)
{
    return kPresets[static_cast<size_t>(family)];
}

std::optional<TFamilyPreset> PresetNamed(std::string_view name)
{
    for (const auto& preset : kPresets)
        if (name.size() == std::string_view(preset.name).size() &&
            strncasecmp(name.data(), preset.name, name.size()) == 0)
            return preset;
    return std::nullopt;
}

} // namespace design
