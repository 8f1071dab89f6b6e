#pragma once
// Chart texts (titles, labels) keep several lines in one string, separated by character 13.

#include <string_view>

// Calls f(line, index) for each line of text, without copies.
template <class F>
void ForEachLine(std::string_view text, F&& f)
{
    int index = 0;
    for (;;) {
        const size_t end = text.find('\r');
        f(text.substr(0, end), index++);
        if (end == std::string_view::npos)
            return;
        text.remove_prefix(end + 1);
    }
}

inline int CountLines(std::string_view text)
{
    int lines = 1;
    for (const char c : text)
        lines += c == '\r';
    return lines;
}
