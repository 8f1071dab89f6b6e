#include "app/cli/JsonWriter.h"

#include <fmt/format.h>

#include <cmath>

namespace cli {

void TJsonWriter::Separate()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back())
            text_ += ", ";
        first_.back() = false;
    }
}

TJsonWriter& TJsonWriter::Open(char bracket)
{
    Separate();
    text_ += bracket;
    first_.push_back(true);
    return *this;
}

TJsonWriter& TJsonWriter::Close(char bracket)
{
    text_ += bracket;
    first_.pop_back();
    if (first_.empty())
        text_ += '\n';
    return *this;
}

TJsonWriter& TJsonWriter::BeginObject()
{
    return Open('{');
}

TJsonWriter& TJsonWriter::EndObject()
{
    return Close('}');
}

TJsonWriter& TJsonWriter::BeginArray()
{
    return Open('[');
}

TJsonWriter& TJsonWriter::EndArray()
{
    return Close(']');
}

TJsonWriter& TJsonWriter::Key(std::string_view key)
{
    Separate();
    AppendString(text_, key);
    text_ += ": ";
    afterKey_ = true;
    return *this;
}

TJsonWriter& TJsonWriter::Value(double value)
{
    if (!std::isfinite(value))
        return Null();
    Separate();
    text_ += fmt::format("{}", value);
    return *this;
}

TJsonWriter& TJsonWriter::Value(int value)
{
    Separate();
    text_ += fmt::format("{}", value);
    return *this;
}

TJsonWriter& TJsonWriter::Value(std::string_view value)
{
    Separate();
    AppendString(text_, value);
    return *this;
}

TJsonWriter& TJsonWriter::Value(bool value)
{
    Separate();
    text_ += value ? "true" : "false";
    return *this;
}

TJsonWriter& TJsonWriter::Null()
{
    Separate();
    text_ += "null";
    return *this;
}

void TJsonWriter::AppendString(std::string& out, std::string_view value)
{
    out += '"';
    for (const char ch : value) {
        const auto c = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20) {
            out += fmt::format("\\u{:04x}", c);
        } else {
            out += ch;
        }
    }
    out += '"';
}

} // namespace cli
