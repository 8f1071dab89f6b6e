#include "tools/layoutc/LayoutParser.h"

#include "tools/layoutc/ELayoutError.h"
#include "rtl/Format.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <stdexcept>

namespace layoutc {

namespace {

std::string Upper(std::string_view text)
{
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; });
    return upper;
}

bool IsModifier(const LayoutToken& token)
{
    return token.IsWord("inherited") || token.IsWord("inline") || token.IsWord("position");
}

// true, false and nil are recognised in any case: a boolean property reads only the tag byte,
// so "True" written as an identifier would silently read as false.
bool IsKeyword(const LayoutToken& token, std::string_view keyword)
{
    return token.kind == LayoutToken::Kind::Identifier && Upper(token.text) == Upper(keyword);
}

void AppendSize(std::vector<uint8_t>& out, size_t size)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(size >> (8 * i)));
}

} // namespace

class LayoutParser::Nesting {
public:
    Nesting(LayoutParser& parser, int line) : depth_(parser.depth_)
    {
        if (depth_ >= layoutstream::kMaxNesting)
            parser.Fail(line, rtl::Format("nesting is deeper than %d levels", layoutstream::kMaxNesting));
        ++depth_;
    }
    ~Nesting() { --depth_; }
    Nesting(const Nesting&) = delete;
    Nesting& operator=(const Nesting&) = delete;

private:
    int& depth_;
};

LayoutParser::LayoutParser(std::vector<LayoutToken> tokens, std::string fileName, std::filesystem::path baseDir)
    : tokens_(std::move(tokens)), fileName_(std::move(fileName)), baseDir_(std::move(baseDir))
{
    if (tokens_.empty() || tokens_.back().kind != LayoutToken::Kind::End)
        tokens_.push_back(LayoutToken{});
}

const LayoutToken& LayoutParser::Peek(size_t ahead) const
{
    return tokens_[std::min(index_ + ahead, tokens_.size() - 1)];
}

const LayoutToken& LayoutParser::Take()
{
    const LayoutToken& token = tokens_[index_];
    if (index_ + 1 < tokens_.size())
        ++index_;
    return token;
}

void LayoutParser::Fail(int line, const std::string& message) const
{
    throw ELayoutError(rtl::Format("%s:%d: %s", fileName_, line, message));
}

template <typename Write>
void LayoutParser::Emit(int line, Write write)
{
    try {
        write();
    } catch (const std::logic_error& error) {
        Fail(line, error.what());
    }
}

const LayoutToken& LayoutParser::Expect(char punct, const char* context)
{
    const LayoutToken& token = Peek();
    if (!token.Is(punct)) {
        const std::string found = token.kind == LayoutToken::Kind::End ? "end of file" : "'" + token.text + "'";
        Fail(token.line, rtl::Format("expected '%c' %s, found %s", punct, context, found));
    }
    return Take();
}

const LayoutToken& LayoutParser::ExpectName(const char* what)
{
    const LayoutToken& token = Peek();
    if (token.kind != LayoutToken::Kind::Identifier)
        Fail(token.line, rtl::Format("expected a %s", what));
    if (token.text.find('.') != std::string::npos)
        Fail(token.line, rtl::Format("%s '%s' must not contain '.'", what, token.text));
    return Take();
}

void LayoutParser::Parse(LayoutStreamWriter& writer)
{
    writer_ = &writer;
    if (Peek().kind == LayoutToken::Kind::End)
        Fail(Peek().line, "the layout holds no component");
    writer.Signature();
    if (!StartsComponent())
        Fail(Peek().line, "expected the root component (Name : TClass { ... })");
    Component(true);
    if (Peek().kind != LayoutToken::Kind::End)
        Fail(Peek().line, "text after the root component");
}

bool LayoutParser::StartsComponent() const
{
    const LayoutToken& token = Peek();
    if (token.kind != LayoutToken::Kind::Identifier)
        return false;
    const LayoutToken& next = Peek(1);
    if (next.Is(':'))
        return true;
    return IsModifier(token) && !next.Is('=') && next.kind != LayoutToken::Kind::End;
}

void LayoutParser::Component(bool root)
{
    uint8_t flags = 0;
    int64_t position = 0;
    while (IsModifier(Peek()) && !Peek(1).Is(':')) {
        const LayoutToken& modifier = Take();
        if (modifier.text == "inherited") {
            flags |= layoutstream::PrefixInherited;
        } else if (modifier.text == "inline") {
            flags |= layoutstream::PrefixInline;
        } else {
            const LayoutToken& number = Peek();
            if (number.kind != LayoutToken::Kind::Integer)
                Fail(number.line, "expected an integer after 'position'");
            if (number.integer < std::numeric_limits<int32_t>::min() ||
                number.integer > std::numeric_limits<int32_t>::max())
                Fail(number.line, "position does not fit in 32 bits");
            position = Take().integer;
            flags |= layoutstream::PrefixChildPosition;
        }
    }

    const LayoutToken& name = ExpectName("component name");
    // The root is level 0; each child one level deeper.
    std::optional<Nesting> level;
    if (!root)
        level.emplace(*this, name.line);
    Expect(':', rtl::Format("after component name '%s'", name.text).c_str());
    const LayoutToken& className = ExpectName("class name");
    const LayoutToken& open = Expect('{', rtl::Format("after class name '%s'", className.text).c_str());

    Emit(name.line, [&] { writer_->Prefix(flags, static_cast<int32_t>(position)); });
    Emit(className.line, [&] { writer_->ClassName(className.text); });
    Emit(name.line, [&] { writer_->ShortString(name.text, "component name"); });

    NameSet seen;
    bool childrenStarted = false;
    for (;;) {
        const LayoutToken& token = Peek();
        if (token.Is('}') || token.kind == LayoutToken::Kind::End)
            break;
        if (StartsComponent()) {
            if (!childrenStarted)
                writer_->EndOfList();
            childrenStarted = true;
            Component(false);
        } else {
            if (childrenStarted)
                Fail(token.line, rtl::Format("property '%s' must come before the child components", token.text));
            Property(seen);
        }
    }
    if (Peek().kind == LayoutToken::Kind::End)
        Fail(open.line, rtl::Format("component '%s' is not closed: '}' missing", name.text));
    Take();
    if (!childrenStarted)
        writer_->EndOfList();
    writer_->EndOfList();
}

void LayoutParser::Property(NameSet& seen)
{
    const LayoutToken& name = Peek();
    if (name.kind != LayoutToken::Kind::Identifier) {
        const std::string found = name.kind == LayoutToken::Kind::End ? "end of file" : "'" + name.text + "'";
        Fail(name.line, rtl::Format("expected a property name, found %s", found));
    }
    Take();
    if (!Peek().Is('='))
        Fail(name.line, rtl::Format("expected '=' after property name '%s' (or ':' for a component)", name.text));
    Take();
    // The reader matches names without regard to case, so Left and left are the same property.
    if (!seen.insert(Upper(name.text)).second)
        Fail(name.line, rtl::Format("property '%s' is set twice", name.text));
    Emit(name.line, [&] { writer_->ShortString(name.text, "property name"); });
    Value();
    const LayoutToken& next = Peek();
    if (next.line == Previous().line && !next.Is('}') && next.kind != LayoutToken::Kind::End)
        Fail(next.line, rtl::Format("one property per line: '%s' follows the value of '%s'", next.text, name.text));
}

void LayoutParser::Value()
{
    const LayoutToken& token = Peek();
    switch (token.kind) {
    case LayoutToken::Kind::Integer:
        writer_->Integer(Take().integer);
        return;
    case LayoutToken::Kind::Real:
        Emit(token.line, [&] { writer_->Real(token.real); });
        Take();
        return;
    case LayoutToken::Kind::String:
        StringValue();
        return;
    case LayoutToken::Kind::Identifier:
        if (IsKeyword(token, "true") || IsKeyword(token, "false")) {
            writer_->Boolean(IsKeyword(Take(), "true"));
        } else if (IsKeyword(token, "nil")) {
            Take();
            writer_->Nil();
        } else if ((token.text == "file" || token.text == "bitmap" || token.text == "picture" ||
                    token.text == "hex") && Peek(1).Is('(')) {
            BinaryValue(Take());
        } else if (token.text == "collection" && Peek(1).Is('{')) {
            Take();
            CollectionValue();
        } else {
            Emit(token.line, [&] { writer_->Ident(token.text); });
            Take();
        }
        return;
    case LayoutToken::Kind::Punct:
        if (token.Is('[')) {
            SetValue();
            return;
        }
        if (token.Is('(')) {
            ListValue();
            return;
        }
        break;
    case LayoutToken::Kind::End:
        break;
    }
    const std::string found = token.kind == LayoutToken::Kind::End ? "end of file" : "'" + token.text + "'";
    Fail(token.line, rtl::Format("expected a value, found %s", found));
}

void LayoutParser::StringValue()
{
    const LayoutToken& first = Take();
    std::string text = first.text;
    bool wide = first.wide;
    while (Peek().Is('+')) {
        const LayoutToken& plus = Take();
        if (Peek().kind != LayoutToken::Kind::String)
            Fail(plus.line, "expected a string after '+'");
        const LayoutToken& part = Take();
        text += part.text;
        wide = wide || part.wide;
    }
    Emit(first.line, [&] { writer_->Text(text, wide); });
}

void LayoutParser::SetValue()
{
    const LayoutToken& open = Take();
    std::vector<std::string> elements;
    if (!Peek().Is(']')) {
        for (;;) {
            elements.push_back(ExpectName("set element name").text);
            if (Peek().Is(']'))
                break;
            Expect(',', "between set elements");
        }
    }
    Take();
    Emit(open.line, [&] { writer_->Set(elements); });
}

void LayoutParser::ListValue()
{
    const LayoutToken& open = Take();
    Nesting level(*this, open.line);
    writer_->ListBegin();
    while (!Peek().Is(')')) {
        if (Peek().kind == LayoutToken::Kind::End)
            Fail(open.line, "list is not closed: ')' missing");
        Value();
        if (Peek().Is(','))
            Take();
    }
    Take();
    writer_->EndOfList();
}

void LayoutParser::CollectionValue()
{
    const LayoutToken& open = Take();
    Nesting level(*this, open.line);
    writer_->CollectionBegin();
    while (!Peek().Is('}')) {
        const LayoutToken& item = Peek();
        if (item.kind == LayoutToken::Kind::End)
            Fail(open.line, "collection is not closed: '}' missing");
        if (!item.IsWord("item"))
            Fail(item.line, "expected 'item' in a collection");
        Take();
        std::optional<int64_t> index;
        if (Peek().kind == LayoutToken::Kind::Integer)
            index = Take().integer;
        Emit(item.line, [&] { writer_->CollectionItem(index); });
        const LayoutToken& itemOpen = Expect('{', "after 'item'");
        NameSet seen;
        while (!Peek().Is('}')) {
            if (Peek().kind == LayoutToken::Kind::End)
                Fail(itemOpen.line, "collection item is not closed: '}' missing");
            Property(seen);
        }
        Take();
        writer_->EndOfList();
    }
    Take();
    writer_->EndOfList();
}

void LayoutParser::BinaryValue(const LayoutToken& keyword)
{
    Expect('(', "");
    std::vector<uint8_t> payload;
    if (keyword.text == "picture") {
        // A picture names its graphic class; the reader looks the class up and hands it the rest.
        const LayoutToken& graphic = ExpectName("graphic class name");
        Expect(',', "after the graphic class name");
        if (graphic.text.size() > 255)
            Fail(graphic.line, "graphic class name is longer than 255 bytes");
        payload.push_back(static_cast<uint8_t>(graphic.text.size()));
        payload.insert(payload.end(), graphic.text.begin(), graphic.text.end());
        if (Peek().kind != LayoutToken::Kind::String)
            Fail(Peek().line, "expected a file name in quotes");
        const LayoutToken& path = Take();
        std::vector<uint8_t> data;
        if (graphic.text == "TBitmap") {
            data = BitmapData(path);
        } else if (graphic.text == "TIcon") {
            data = ReadFile(path);
            if (data.size() < 4 || data[0] != 0 || data[1] != 0 || data[2] != 1 || data[3] != 0)
                Fail(path.line, rtl::Format("'%s' is not an icon file", path.text));
        } else {
            Fail(graphic.line, rtl::Format("picture class '%s' is not supported (TBitmap or TIcon)", graphic.text));
        }
        payload.insert(payload.end(), data.begin(), data.end());
    } else {
        if (Peek().kind != LayoutToken::Kind::String)
            Fail(Peek().line, keyword.text == "hex" ? "expected hexadecimal digits in quotes"
                                                     : "expected a file name in quotes");
        const LayoutToken& argument = Take();
        if (keyword.text == "file") {
            payload = ReadFile(argument);
        } else if (keyword.text == "bitmap") {
            payload = BitmapData(argument);
        } else {
            std::string digits;
            for (char c : argument.text)
                if (c != ' ' && c != '\t')
                    digits += c;
            if (digits.size() % 2 != 0 || digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
                Fail(argument.line, "hex() needs pairs of hexadecimal digits");
            for (size_t i = 0; i < digits.size(); i += 2)
                payload.push_back(static_cast<uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
        }
    }
    Expect(')', rtl::Format("to close %s(", keyword.text).c_str());
    Emit(keyword.line, [&] { writer_->Binary(payload); });
}

std::vector<uint8_t> LayoutParser::BitmapData(const LayoutToken& pathToken)
{
    // A bitmap's stored data is its file size, 4 bytes little-endian, then the file itself.
    std::vector<uint8_t> file = ReadFile(pathToken);
    if (file.size() < 2 || file[0] != 'B' || file[1] != 'M')
        Fail(pathToken.line, rtl::Format("'%s' is not a bitmap file (no BM signature)", pathToken.text));
    if (file.size() > LayoutStreamWriter::kMaxPayload - 4 - 256)
        Fail(pathToken.line, rtl::Format("'%s' is too large", pathToken.text));
    std::vector<uint8_t> data;
    data.reserve(file.size() + 4);
    AppendSize(data, file.size());
    data.insert(data.end(), file.begin(), file.end());
    return data;
}

std::vector<uint8_t> LayoutParser::ReadFile(const LayoutToken& pathToken)
{
    if (pathToken.text.empty())
        Fail(pathToken.line, "empty file name");
    const std::filesystem::path path = (baseDir_ / pathToken.text).lexically_normal();
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        Fail(pathToken.line, rtl::Format("cannot read '%s': it is a folder", pathToken.text));
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file)
        Fail(pathToken.line, rtl::Format("cannot read '%s': %s", pathToken.text, std::strerror(errno)));
    std::vector<uint8_t> bytes;
    uint8_t buffer[65536];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        bytes.insert(bytes.end(), buffer, buffer + count);
        if (bytes.size() > LayoutStreamWriter::kMaxPayload)
            Fail(pathToken.line, rtl::Format("'%s' is too large", pathToken.text));
    }
    if (std::ferror(file.get()))
        Fail(pathToken.line, rtl::Format("cannot read '%s': read error", pathToken.text));
    if (std::find(dependencies_.begin(), dependencies_.end(), path) == dependencies_.end())
        dependencies_.push_back(path);
    return bytes;
}

} // namespace layoutc
