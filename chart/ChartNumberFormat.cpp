#include "chart/ChartNumberFormat.h"

#include <fmt/format.h>

#include <cmath>

namespace {

// The sections of a pattern: positive; negative; zero. Further sections are never used.
struct SectionList {
    std::string_view items[3];
    size_t count = 0;
    void push_back(std::string_view section)
    {
        if (count < 3)
            items[count++] = section;
    }
    size_t size() const { return count; }
    std::string_view operator[](size_t i) const { return items[i]; }
};

// Splits at ";" outside quotes (without allocating: labels are formatted at every paint).
SectionList Sections(std::string_view pattern)
{
    SectionList result;
    char quote = 0;
    size_t start = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char ch = pattern[i];
        if (quote) {
            if (ch == quote)
                quote = 0;
        } else if (ch == '"' || ch == '\'') {
            quote = ch;
        } else if (ch == ';') {
            result.push_back(pattern.substr(start, i - start));
            start = i + 1;
        }
    }
    result.push_back(pattern.substr(start));
    return result;
}

struct Picture {
    std::string prefix;   // literal text before the first digit placeholder
    std::string suffix;   // every literal after it
    int intZeros = 0;     // required integer digits
    int decZeros = 0;     // required decimals
    int decimals = 0;     // allowed decimals (required and optional)
    bool grouping = false;
    bool percent = false;
    bool hasDigits = false;
};

Picture Parse(std::string_view section)
{
    Picture p;
    bool afterPoint = false;
    auto literal = [&p](std::string_view text) {
        (p.hasDigits ? p.suffix : p.prefix).append(text);
    };
    for (size_t i = 0; i < section.size(); ++i) {
        const char ch = section[i];
        switch (ch) {
        case '0':
        case '#':
            p.hasDigits = true;
            if (afterPoint) {
                ++p.decimals;
                if (ch == '0')
                    p.decZeros = p.decimals;   // a "0" after a "#" still requires all before it
            } else if (ch == '0') {
                ++p.intZeros;
            }
            break;
        case '.':
            if (afterPoint)
                literal(".");
            afterPoint = true;
            break;
        case ',':
            if (afterPoint)
                literal(",");
            else
                p.grouping = true;
            break;
        case '%':
            p.percent = true;
            literal("%");
            break;
        case '"':
        case '\'': {
            const size_t end = section.find(ch, i + 1);
            const size_t stop = end == std::string_view::npos ? section.size() : end;
            literal(section.substr(i + 1, stop - i - 1));
            i = stop;
            break;
        }
        default:
            literal(section.substr(i, 1));
            break;
        }
    }
    return p;
}

std::string Group(const std::string& digits)
{
    std::string out;
    const size_t n = digits.size();
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += ChartThousandSeparator;
        out += digits[i];
    }
    return out;
}

} // namespace

std::string FormatChartNumber(std::string_view pattern, double value)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value > 0 ? "INF" : "-INF";
    const SectionList sections = Sections(pattern);
    std::string_view section = sections[0];
    bool writeMinus = value < 0;
    if (value < 0 && sections.size() > 1 && !sections[1].empty()) {
        section = sections[1];
        writeMinus = false;
    } else if (value == 0 && sections.size() > 2 && !sections[2].empty()) {
        section = sections[2];
    }
    const Picture p = Parse(section);
    if (!p.hasDigits)
        return p.prefix + p.suffix;

    long double magnitude = std::fabs(static_cast<long double>(value));
    if (p.percent)
        magnitude *= 100;
    const std::string fixed = fmt::format("{:.{}f}", magnitude, p.decimals);
    const size_t point = fixed.find('.');
    std::string intPart = point == std::string::npos ? fixed : fixed.substr(0, point);
    std::string fracPart = point == std::string::npos ? std::string() : fixed.substr(point + 1);
    while (int(fracPart.size()) > p.decZeros && !fracPart.empty() && fracPart.back() == '0')
        fracPart.pop_back();
    if (intPart == "0" && p.intZeros == 0)
        intPart.clear();
    while (int(intPart.size()) < p.intZeros)
        intPart.insert(intPart.begin(), '0');
    if (p.grouping)
        intPart = Group(intPart);

    const bool allZero = fixed.find_first_not_of("0.") == std::string::npos;
    std::string out;
    if (writeMinus && !allZero)
        out += '-';
    out += p.prefix;
    out += intPart;
    if (!fracPart.empty()) {
        out += ChartDecimalSeparator;
        out += fracPart;
    }
    out += p.suffix;
    return out;
}
