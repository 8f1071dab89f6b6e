#pragma once
// Reading helpers shared by the reader tests.

#include "ReaderTestClasses.h"

#include "forms/TMemoryStream.h"
#include "forms/TReader.h"
#include "rtl/Exception.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace readertest {

// Reads bytes into a new TTestForm, which is returned even when the read fails (through out).
inline void ReadInto(TTestForm& form, const std::vector<uint8_t>& bytes, TReader::ErrorHook hook = nullptr)
{
    TMemoryStream stream = TMemoryStream::View(bytes);
    TReader reader(stream);
    if (hook)
        reader.SetOnError(hook);
    reader.ReadRootComponent(&form);
}

inline std::unique_ptr<TTestForm> ReadForm(const std::string& text)
{
    auto form = std::make_unique<TTestForm>();
    ReadInto(*form, Compile(text));
    return form;
}

// The exception of type E that f raises, as "message"; a different outcome fails the test.
template <class E, class F>
std::string ErrorOf(F f)
{
    try {
        f();
    } catch (const E& e) {
        return e.Message();
    } catch (const std::exception& e) {
        return std::string("unexpected exception: ") + e.what();
    }
    return "no exception";
}

// A one-widget layout with the given property lines inside Widget1.
inline std::string WidgetLayout(const std::string& properties)
{
    return "Form1 : TTestForm {\n  Widget1 : TWidget {\n" + properties + "\n  }\n}\n";
}

// Reads a one-widget layout with the given property lines into form; the message of the
// EReadError that the read raises (see ErrorOf).
inline std::string WidgetReadError(TTestForm& form, const std::string& properties)
{
    return ErrorOf<EReadError>([&] { ReadInto(form, Compile(WidgetLayout(properties))); });
}

} // namespace readertest
