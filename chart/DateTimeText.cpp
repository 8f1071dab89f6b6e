#include "chart/DateTimeText.h"

#include <fmt/format.h>

#include <chrono>
#include <cmath>

namespace {

struct Parts {
    int year, month, day, hour, minute, second;
};

Parts Split(double dateTime)
{
    using namespace std::chrono;
    // Round to the second first so that 0.99999999 of a day does not show as 23:59:60.
    const long long totalSeconds = std::llround(dateTime * 86400.0L);
    long long days = totalSeconds / 86400;
    long long secs = totalSeconds % 86400;
    if (secs < 0) {
        secs += 86400;
        --days;
    }
    const sys_days epoch = sys_days(year{1899} / December / 30);
    const year_month_day ymd{epoch + std::chrono::days(days)};
    return {int(ymd.year()), int(unsigned(ymd.month())), int(unsigned(ymd.day())),
            int(secs / 3600), int(secs / 60 % 60), int(secs % 60)};
}

// A number with two digits when padded, as many as it needs otherwise.
std::string Pad(int value, bool twoDigits)
{
    return twoDigits ? fmt::format("{:02}", value) : fmt::format("{}", value);
}

} // namespace

std::string FormatChartDateTime(std::string_view pattern, double dateTime)
{
    // Outside years 1..9999 there is no calendar date to show.
    if (!std::isfinite(dateTime) || std::fabs(dateTime) > 2958465.0)
        return std::string();
    const Parts p = Split(dateTime);
    std::string out;
    bool afterHour = false;
    size_t i = 0;
    auto run = [&](char ch) {
        size_t n = 0;
        while (i + n < pattern.size() && (pattern[i + n] | 0x20) == ch)
            ++n;
        return n;
    };
    while (i < pattern.size()) {
        const char ch = pattern[i];
        const char lower = char(ch | 0x20);
        if (ch == '"' || ch == '\'') {
            const size_t end = pattern.find(ch, i + 1);
            const size_t stop = end == std::string_view::npos ? pattern.size() : end;
            out.append(pattern.substr(i + 1, stop - i - 1));
            i = stop + 1;
            continue;
        }
        size_t n = 0;
        switch (lower) {
        case 'y':
            n = run('y');
            out += n >= 3 ? fmt::format("{:04}", p.year) : fmt::format("{:02}", p.year % 100);
            break;
        case 'm':
            n = run('m');
            out += Pad(afterHour ? p.minute : p.month, n >= 2);
            afterHour = false;
            break;
        case 'd':
            n = run('d');
            out += Pad(p.day, n >= 2);
            break;
        case 'h':
            n = run('h');
            out += Pad(p.hour, n >= 2);
            afterHour = true;
            break;
        case 'n':
            n = run('n');
            out += Pad(p.minute, n >= 2);
            break;
        case 's':
            n = run('s');
            out += Pad(p.second, n >= 2);
            break;
        default:
            n = 1;
            out += ch;
            break;
        }
        i += n;
    }
    return out;
}
