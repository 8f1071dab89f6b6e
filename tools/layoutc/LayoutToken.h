#pragma once
// One token of the readable layout text, with the line it starts on for error messages.

#include <cstdint>
#include <string>

namespace layoutc {

struct LayoutToken {
    enum class Kind {
        Identifier, // a name, possibly dotted: Font.Style, BottomAxis.Title.Font.Name
        Integer,
        Real,
        String,     // text holds the decoded UTF-8; wide is set for w"..."
        Punct,      // one of { } [ ] ( ) = : , +  (in text)
        End,
    };

    Kind kind = Kind::End;
    std::string text;
    int64_t integer = 0;
    long double real = 0;
    bool wide = false;
    int line = 0;

    bool Is(char punct) const { return kind == Kind::Punct && text.size() == 1 && text[0] == punct; }
    bool IsWord(const char* word) const { return kind == Kind::Identifier && text == word; }
};

} // namespace layoutc
