#pragma once
// A strict little JSON reader for tests: parses a whole text into a tree or throws
// std::runtime_error saying where it stopped. Numbers are read as doubles (strtod, so they
// come back exactly as written); strings keep their UTF-8 and resolve the escapes JSON has.

#include <cstdlib>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class JsonValue {
public:
    enum class Kind { Null, Bool, Number, String, Array, Object };

    static JsonValue Parse(std::string_view text)
    {
        size_t at = 0;
        JsonValue v = ParseValue(text, at);
        SkipSpace(text, at);
        if (at != text.size())
            Fail(text, at, "text after the value");
        return v;
    }

    Kind kind() const { return kind_; }
    bool IsNull() const { return kind_ == Kind::Null; }
    double Number() const { Expect(Kind::Number); return number_; }
    bool Bool() const { Expect(Kind::Bool); return bool_; }
    const std::string& String() const { Expect(Kind::String); return string_; }
    const std::vector<JsonValue>& Items() const { Expect(Kind::Array); return items_; }
    bool Has(const std::string& key) const { return kind_ == Kind::Object && members_.count(key) > 0; }
    const JsonValue& operator[](const std::string& key) const
    {
        Expect(Kind::Object);
        const auto it = members_.find(key);
        if (it == members_.end())
            throw std::runtime_error("no member " + key);
        return it->second;
    }

private:
    void Expect(Kind kind) const
    {
        if (kind_ != kind)
            throw std::runtime_error("JSON value of another kind");
    }
    [[noreturn]] static void Fail(std::string_view text, size_t at, const char* what)
    {
        throw std::runtime_error(std::string("JSON: ") + what + " at " + std::to_string(at) + ": " +
                                 std::string(text.substr(at, 40)));
    }
    static void SkipSpace(std::string_view t, size_t& at)
    {
        while (at < t.size() && (t[at] == ' ' || t[at] == '\n' || t[at] == '\r' || t[at] == '\t'))
            ++at;
    }
    static bool Literal(std::string_view t, size_t& at, std::string_view word)
    {
        if (t.substr(at, word.size()) != word)
            return false;
        at += word.size();
        return true;
    }
    static std::string ParseString(std::string_view t, size_t& at)
    {
        if (at >= t.size() || t[at] != '"')
            Fail(t, at, "string expected");
        ++at;
        std::string out;
        while (at < t.size() && t[at] != '"') {
            const char c = t[at++];
            if (static_cast<unsigned char>(c) < 0x20)
                Fail(t, at, "control character in a string");
            if (c != '\\') {
                out += c;
                continue;
            }
            if (at >= t.size())
                Fail(t, at, "cut escape");
            const char e = t[at++];
            switch (e) {
            case '"': case '\\': case '/': out += e; break;
            case 'n': out += '\n'; break;
            case 't': out += '\t'; break;
            case 'r': out += '\r'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'u': {
                if (at + 4 > t.size())
                    Fail(t, at, "cut \\u escape");
                const unsigned code = static_cast<unsigned>(std::stoul(std::string(t.substr(at, 4)), nullptr, 16));
                at += 4;
                if (code < 0x80) {
                    out += static_cast<char>(code);
                } else if (code < 0x800) {
                    out += static_cast<char>(0xC0 | (code >> 6));
                    out += static_cast<char>(0x80 | (code & 0x3F));
                } else {
                    out += static_cast<char>(0xE0 | (code >> 12));
                    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
                    out += static_cast<char>(0x80 | (code & 0x3F));
                }
                break;
            }
            default:
                Fail(t, at, "unknown escape");
            }
        }
        if (at >= t.size())
            Fail(t, at, "unterminated string");
        ++at;
        return out;
    }
    // Consumes c if it comes next.
    static bool Take(std::string_view t, size_t& at, char c)
    {
        if (at >= t.size() || t[at] != c)
            return false;
        ++at;
        return true;
    }
    // After an element of an object or array: ',' (another follows) or the closing bracket.
    static bool ListEnds(std::string_view t, size_t& at, char close, const char* expected)
    {
        SkipSpace(t, at);
        if (Take(t, at, ','))
            return false;
        if (Take(t, at, close))
            return true;
        Fail(t, at, expected);
    }
    static JsonValue ParseValue(std::string_view t, size_t& at)
    {
        SkipSpace(t, at);
        JsonValue v;
        if (at >= t.size())
            Fail(t, at, "value expected");
        const char c = t[at];
        if (c == '{') {
            v.kind_ = Kind::Object;
            ++at;
            SkipSpace(t, at);
            if (Take(t, at, '}'))
                return v;
            do {
                SkipSpace(t, at);
                const std::string key = ParseString(t, at);
                SkipSpace(t, at);
                if (at >= t.size() || t[at] != ':')
                    Fail(t, at, "':' expected");
                ++at;
                if (!v.members_.emplace(key, ParseValue(t, at)).second)
                    Fail(t, at, "duplicate key");
            } while (!ListEnds(t, at, '}', "',' or '}' expected"));
            return v;
        }
        if (c == '[') {
            v.kind_ = Kind::Array;
            ++at;
            SkipSpace(t, at);
            if (Take(t, at, ']'))
                return v;
            do
                v.items_.push_back(ParseValue(t, at));
            while (!ListEnds(t, at, ']', "',' or ']' expected"));
            return v;
        }
        if (c == '"') {
            v.kind_ = Kind::String;
            v.string_ = ParseString(t, at);
            return v;
        }
        if (Literal(t, at, "null"))
            return v;
        if (Literal(t, at, "true") || Literal(t, at, "false")) {
            v.kind_ = Kind::Bool;
            v.bool_ = t[at - 4] == 't';   // "true" ends with its 't' four back; "false" with 'a'
            return v;
        }
        // Number: -? digits [. digits] [e [+-] digits], checked before strtod reads it.
        const size_t start = at;
        if (at < t.size() && t[at] == '-')
            ++at;
        auto digits = [&] {
            const size_t from = at;
            while (at < t.size() && t[at] >= '0' && t[at] <= '9')
                ++at;
            return at > from;
        };
        if (!digits())
            Fail(t, start, "value expected");
        if (at < t.size() && t[at] == '.') {
            ++at;
            if (!digits())
                Fail(t, at, "digits expected after '.'");
        }
        if (at < t.size() && (t[at] == 'e' || t[at] == 'E')) {
            ++at;
            if (at < t.size() && (t[at] == '+' || t[at] == '-'))
                ++at;
            if (!digits())
                Fail(t, at, "exponent digits expected");
        }
        v.kind_ = Kind::Number;
        v.number_ = std::strtod(std::string(t.substr(start, at - start)).c_str(), nullptr);
        return v;
    }

    Kind kind_ = Kind::Null;
    bool bool_ = false;
    double number_ = 0;
    std::string string_;
    std::vector<JsonValue> items_;
    std::map<std::string, JsonValue> members_;
};
