#pragma once
// What a class sees of the layout reader when it declares stored values that are not
// published properties ("defined properties": a text list's "Strings", a graphic's "Data",
// a window's "TextHeight"). The reader offers a property name to these only when the object
// has no published property of that name.

#include <functional>
#include <string>

class TReader;
class TStream;

class TFiler {
public:
    virtual ~TFiler() = default;
    // A value read through the reader's value readers (ReadInteger, ReadString, lists, ...).
    virtual void DefineProperty(const std::string& name, std::function<void(TReader&)> read) = 0;
    // A binary value: its bytes are handed over as a stream positioned at the start.
    virtual void DefineBinaryProperty(const std::string& name, std::function<void(TStream&)> read) = 0;
};
