#pragma once
// A small writer of JSON text: objects, arrays, strings (UTF-8 passed through, the rest
// escaped), numbers in their shortest form that reads back to the same double, and null for
// numbers that JSON cannot hold (infinite, not a number).

#include <string>
#include <string_view>
#include <vector>

namespace cli {

class TJsonWriter {
public:
    TJsonWriter& BeginObject();
    TJsonWriter& EndObject();
    TJsonWriter& BeginArray();
    TJsonWriter& EndArray();
    TJsonWriter& Key(std::string_view key);
    TJsonWriter& Value(double value);
    TJsonWriter& Value(int value);
    TJsonWriter& Value(std::string_view value);
    TJsonWriter& Value(const char* value) { return Value(std::string_view(value)); }
    TJsonWriter& Value(bool value);
    TJsonWriter& Null();

    // The text written so far, followed by a newline once the outermost value is closed.
    const std::string& Text() const { return text_; }

private:
    // An object or array: its bracket opens a level; the closing one ends it (and the text,
    // with a line end, when it was the outermost).
    TJsonWriter& Open(char bracket);
    TJsonWriter& Close(char bracket);
    void Separate();
    static void AppendString(std::string& out, std::string_view value);

    std::string text_;
    std::vector<bool> first_;   // per open level: nothing written in it yet
    bool afterKey_ = false;
};

} // namespace cli
