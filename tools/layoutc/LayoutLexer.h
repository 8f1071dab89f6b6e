#pragma once
// Splits layout text into tokens. Whitespace and "#" comments separate tokens; a UTF-8 byte
// order mark at the start is skipped. Malformed text raises ELayoutError "file:line: message".

#include "tools/layoutc/LayoutToken.h"

#include <string>
#include <string_view>
#include <vector>

namespace layoutc {

class LayoutLexer {
public:
    LayoutLexer(std::string_view text, std::string fileName);

    // The whole text as tokens, ending with one End token.
    std::vector<LayoutToken> Tokenize();

private:
    [[noreturn]] void Fail(const std::string& message) const;
    void SkipBlanks();
    LayoutToken Identifier();
    LayoutToken Number();
    LayoutToken String(bool wide);
    void Escape(std::string& out);
    char32_t HexDigits(size_t count, size_t& pos) const;

    std::string_view text_;
    std::string fileName_;
    size_t pos_ = 0;
    int line_ = 1;
};

} // namespace layoutc
