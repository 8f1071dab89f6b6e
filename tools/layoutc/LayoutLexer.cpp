#include "tools/layoutc/LayoutLexer.h"

#include "tools/layoutc/ELayoutError.h"
#include "rtl/Utf8.h"
#include "rtl/Format.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace layoutc {

namespace {

bool IsNameStart(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsNameChar(char c)
{
    return IsNameStart(c) || (c >= '0' && c <= '9');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The correctly rounded extended value of a real number already checked for its form. The
// subnormal values (down to about 3.6e-4951) are in the range too, although the conversion
// reports them as an underflow; only values that round to zero or overflow are refused.
bool ParseReal(const char* first, const char* last, long double& value)
{
    const auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec == std::errc())
        return result.ptr == last;
    if (result.ec != std::errc::result_out_of_range)
        return false;
    // The C locale: the text's decimal point is "." whatever the process's locale says.
    static const locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", locale_t(0));
    const std::string text(first, last);
    char* end = nullptr;
    const long double subnormal = strtold_l(text.c_str(), &end, cLocale);
    if (end != text.c_str() + text.size() || !std::isfinite(subnormal) || subnormal == 0)
        return false;
    value = subnormal;
    return true;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

LayoutLexer::LayoutLexer(std::string_view text, std::string fileName)
    : text_(text), fileName_(std::move(fileName))
{
    if (text_.starts_with("\xEF\xBB\xBF"))
        pos_ = 3;
}

void LayoutLexer::Fail(const std::string& message) const
{
    throw ELayoutError(rtl::Format("%s:%d: %s", fileName_, line_, message));
}

std::vector<LayoutToken> LayoutLexer::Tokenize()
{
    std::vector<LayoutToken> tokens;
    for (;;) {
        SkipBlanks();
        if (pos_ >= text_.size())
            break;
        const char c = text_[pos_];
        if (c == 'w' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '"') {
            ++pos_;
            tokens.push_back(String(true));
        } else if (c == '"') {
            tokens.push_back(String(false));
        } else if (IsNameStart(c)) {
            tokens.push_back(Identifier());
        } else if (IsDigit(c) || (c == '-' && pos_ + 1 < text_.size() && IsDigit(text_[pos_ + 1]))) {
            tokens.push_back(Number());
        } else if (std::strchr("{}[]()=:,+", c) != nullptr) {
            LayoutToken token;
            token.kind = LayoutToken::Kind::Punct;
            token.text = std::string(1, c);
            token.line = line_;
            ++pos_;
            tokens.push_back(std::move(token));
        } else if (static_cast<unsigned char>(c) >= 0x21 && static_cast<unsigned char>(c) < 0x7F) {
            Fail(rtl::Format("unexpected character '%c'", c));
        } else {
            Fail(rtl::Format("unexpected byte 0x%02X outside a string", static_cast<unsigned char>(c)));
        }
    }
    LayoutToken end;
    end.line = line_;
    tokens.push_back(end);
    return tokens;
}

void LayoutLexer::SkipBlanks()
{
    while (pos_ < text_.size()) {
        const char c = text_[pos_];
        if (c == '\n') {
            ++line_;
            ++pos_;
        } else if (c == ' ' || c == '\t' || c == '\r') {
            ++pos_;
        } else if (c == '#') {
            while (pos_ < text_.size() && text_[pos_] != '\n')
                ++pos_;
        } else {
            break;
        }
    }
}

LayoutToken LayoutLexer::Identifier()
{
    LayoutToken token;
    token.kind = LayoutToken::Kind::Identifier;
    token.line = line_;
    const size_t start = pos_;
    for (;;) {
        while (pos_ < text_.size() && IsNameChar(text_[pos_]))
            ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '.') {
            ++pos_;
            if (pos_ >= text_.size() || !IsNameStart(text_[pos_]))
                Fail(rtl::Format("malformed name '%s'", std::string(text_.substr(start, pos_ - start))));
            continue;
        }
        break;
    }
    token.text = std::string(text_.substr(start, pos_ - start));
    return token;
}

LayoutToken LayoutLexer::Number()
{
    LayoutToken token;
    token.line = line_;
    const size_t start = pos_;
    const bool negative = text_[pos_] == '-';
    if (negative)
        ++pos_;

    bool hex = false;
    bool real = false;
    if (text_.substr(pos_).starts_with("0x") || text_.substr(pos_).starts_with("0X")) {
        hex = true;
        pos_ += 2;
        while (pos_ < text_.size() && HexValue(text_[pos_]) >= 0)
            ++pos_;
    } else {
        while (pos_ < text_.size() && IsDigit(text_[pos_]))
            ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '.') {
            real = true;
            ++pos_;
            const size_t digits = pos_;
            while (pos_ < text_.size() && IsDigit(text_[pos_]))
                ++pos_;
            if (pos_ == digits)
                Fail("malformed number: digits expected after '.'");
        }
        if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
            real = true;
            ++pos_;
            if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-'))
                ++pos_;
            const size_t digits = pos_;
            while (pos_ < text_.size() && IsDigit(text_[pos_]))
                ++pos_;
            if (pos_ == digits)
                Fail("malformed number: digits expected in the exponent");
        }
    }
    // A number runs into the next token only through a separator: "12px" or "1.2.3" is a typo.
    size_t end = pos_;
    while (end < text_.size() && (IsNameChar(text_[end]) || text_[end] == '.'))
        ++end;
    token.text = std::string(text_.substr(start, end - start));
    if (end != pos_)
        Fail(rtl::Format("malformed number '%s'", token.text));

    const char* first = text_.data() + start;
    const char* last = text_.data() + pos_;
    if (hex) {
        if (negative)
            Fail(rtl::Format("a hexadecimal number takes no sign: '%s'", token.text));
        const size_t digits = pos_ - start - 2;
        if (digits == 0 || digits > 16)
            Fail(rtl::Format("malformed hexadecimal number '%s' (1 to 16 digits)", token.text));
        uint64_t bits = 0;
        std::from_chars(first + 2, last, bits, 16);
        // Up to 8 digits spell a 32-bit pattern (colours such as 0xFF00000F are stored as the
        // signed 32-bit integer with those bits); longer ones spell a 64-bit pattern.
        token.integer = digits <= 8 ? static_cast<int32_t>(static_cast<uint32_t>(bits))
                                    : static_cast<int64_t>(bits);
        token.kind = LayoutToken::Kind::Integer;
    } else if (real) {
        if (!ParseReal(first, last, token.real))
            Fail(rtl::Format("real number out of range: %s", token.text));
        token.kind = LayoutToken::Kind::Real;
    } else {
        const auto result = std::from_chars(first, last, token.integer);
        if (result.ec != std::errc() || result.ptr != last)
            Fail(rtl::Format("integer out of range: %s", token.text));
        token.kind = LayoutToken::Kind::Integer;
    }
    return token;
}

LayoutToken LayoutLexer::String(bool wide)
{
    LayoutToken token;
    token.kind = LayoutToken::Kind::String;
    token.wide = wide;
    token.line = line_;
    ++pos_; // the opening quote
    std::string raw;
    for (;;) {
        if (pos_ >= text_.size() || text_[pos_] == '\n' || text_[pos_] == '\r')
            Fail("unterminated string");
        const char c = text_[pos_];
        if (c == '"') {
            ++pos_;
            break;
        }
        if (c == '\\') {
            Escape(raw);
            continue;
        }
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
            Fail("control character in string (write it as an escape)");
        raw += c;
        ++pos_;
    }
    if (!rtl::utf8::IsValid(raw))
        Fail("string is not valid UTF-8");
    token.text = std::move(raw);
    return token;
}

char32_t LayoutLexer::HexDigits(size_t count, size_t& pos) const
{
    char32_t value = 0;
    for (size_t i = 0; i < count; ++i, ++pos) {
        const int digit = pos < text_.size() ? HexValue(text_[pos]) : -1;
        if (digit < 0)
            return 0xFFFFFFFF;
        value = value * 16 + static_cast<char32_t>(digit);
    }
    return value;
}

void LayoutLexer::Escape(std::string& out)
{
    ++pos_; // the backslash
    if (pos_ >= text_.size() || text_[pos_] == '\n' || text_[pos_] == '\r')
        Fail("unterminated string");
    const char c = text_[pos_++];
    switch (c) {
    case '"': out += '"'; return;
    case '\\': out += '\\'; return;
    case 'n': out += '\n'; return;
    case 'r': out += '\r'; return;
    case 't': out += '\t'; return;
    case 'x': {
        // \xNN is the character U+00NN, so that the text stays valid Unicode whatever NN is.
        const char32_t value = HexDigits(2, pos_);
        if (value > 0xFF)
            Fail("escape \\x needs two hexadecimal digits");
        rtl::utf8::Append(out, value);
        return;
    }
    case 'u': {
        if (pos_ >= text_.size() || text_[pos_] != '{')
            Fail("escape \\u must be written \\u{hex digits}");
        const size_t digitsStart = ++pos_;
        size_t close = digitsStart;
        while (close < text_.size() && HexValue(text_[close]) >= 0)
            ++close;
        const size_t count = close - digitsStart;
        if (close >= text_.size() || text_[close] != '}' || count == 0 || count > 6)
            Fail("escape \\u must be written \\u{hex digits}, 1 to 6 digits");
        const char32_t value = HexDigits(count, pos_);
        if (!rtl::utf8::IsScalarValue(value))
            Fail(rtl::Format("escape \\u{%X} is not a Unicode character", static_cast<uint32_t>(value)));
        ++pos_; // the closing brace
        rtl::utf8::Append(out, value);
        return;
    }
    default:
        if (static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7F)
            Fail(rtl::Format("unknown escape \\%c", c));
        Fail("unknown escape sequence");
    }
}

} // namespace layoutc
