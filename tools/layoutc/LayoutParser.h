#pragma once
// Parses the tokens of one layout text and writes the binary stream as it goes. The grammar
// (docs/layout-text.md has the full description):
//
//   file       = component
//   component  = { "inherited" | "inline" | "position" integer } name ":" class "{" body "}"
//   body       = { property } { component }          properties come before children
//   property   = dotted-name "=" value                one per line
//   value      = integer | real | string { "+" string } | identifier | true | false | nil
//              | "[" [ name { "," name } ] "]"                                  set
//              | "(" { value [ "," ] } ")"                                      list
//              | file(string) | bitmap(string) | picture(class, string) | hex(string)
//              | collection "{" { "item" [ integer ] "{" { property } "}" } "}"
//
// The byte stream follows the order of the text exactly, so the same text always gives the
// same bytes. Nesting (child components, lists, collections) is limited to the depth the
// reader accepts (layoutstream::kMaxNesting levels below the root), so that a text the reader
// would refuse, or one deep enough to exhaust the compiler's own stack, is refused with its
// line. Files named by file(), bitmap() and picture() are read relative to the layout's
// folder and recorded as dependencies for the build.

#include "tools/layoutc/LayoutStreamWriter.h"
#include "tools/layoutc/LayoutToken.h"

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace layoutc {

class LayoutParser {
public:

    LayoutParser(std::vector<LayoutToken> tokens, std::string fileName, std::filesystem::path baseDir);

    void Parse(LayoutStreamWriter& writer);
    const std::vector<std::filesystem::path>& Dependencies() const { return dependencies_; }

private:
    using NameSet = std::set<std::string>;

    const LayoutToken& Peek(size_t ahead = 0) const;
    const LayoutToken& Take();
    const LayoutToken& Previous() const { return tokens_[index_ - 1]; }
    [[noreturn]] void Fail(int line, const std::string& message) const;
    const LayoutToken& Expect(char punct, const char* context);
    const LayoutToken& ExpectName(const char* what);
    bool StartsComponent() const;

    // Enters one nesting level for the construct opened on line; refuses one level too many.
    class Nesting;

    void Component(bool root);
    void Property(NameSet& seen);
    void Value();
    void StringValue();
    void SetValue();
    void ListValue();
    void CollectionValue();
    void BinaryValue(const LayoutToken& keyword);
    std::vector<uint8_t> ReadFile(const LayoutToken& pathToken);
    std::vector<uint8_t> BitmapData(const LayoutToken& pathToken);

    // Runs one writer call, turning the writer's plain errors into located ones.
    template <typename Write>
    void Emit(int line, Write write);

    std::vector<LayoutToken> tokens_;
    size_t index_ = 0;
    std::string fileName_;
    std::filesystem::path baseDir_;
    LayoutStreamWriter* writer_ = nullptr;
    int depth_ = 0;
    std::vector<std::filesystem::path> dependencies_;
};

} // namespace layoutc
