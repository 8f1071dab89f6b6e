#pragma once
// Minimal JSON text output for the ui-driver's replies.

#include <cstdio>
#include <string>
#include <string_view>

inline std::string JsonString(std::string_view text)
{
    std::string out = "\"";
    for (const char ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                out += buffer;
            } else {
                out += ch;   // UTF-8 passes through
            }
        }
    }
    return out + "\"";
}

inline std::string JsonBool(bool value) { return value ? "true" : "false"; }
