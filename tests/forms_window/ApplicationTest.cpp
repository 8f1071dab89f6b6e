// The application object beyond the loop itself: the start-up failure display, message boxes
// with buttons and their answer, the modeless dialog window, the hooks on the application
// window, the initialisation procedure and the show command the program was started with.

#include "WindowFixture.h"

#include "forms/HandleRegistry.h"
#include "forms/TButton.h"
#include "forms/TEdit.h"

#include <regex>

namespace vk = platform::vk;

namespace {

// The message line of the start-up failure text: what follows the first "\r\n".
std::string StartupMessageLine(const std::exception& e)
{
    const std::string text = StartupFailureText(e);
    const size_t start = text.find("\r\n");
    return start == std::string::npos ? text : text.substr(start + 2);
}

TEST(StartupFailure, TheTextNamesClassModuleAndAddressAndEndsTheMessageWithOneFullStop)
{
    const std::string text = StartupFailureText(EReadError("Stream read error"));
    EXPECT_TRUE(std::regex_match(text, std::regex("Exception EReadError in module [^ ]+ at (0x)?[0-9a-f]+\\.\r\n"
                                                   "Stream read error\\.\r\n")))
        << text;
    // A full stop is added whenever the message does not already end in one, whatever the last
    // character is: unlike the message box of an escaping exception, ")" and "" get one too.
    EXPECT_EQ(StartupMessageLine(EReadError("Ends with a stop.")), "Ends with a stop.\r\n");
    EXPECT_EQ(StartupMessageLine(EReadError("Property Left (line 3)")), "Property Left (line 3).\r\n");
    EXPECT_EQ(StartupMessageLine(EReadError("")), ".\r\n");
    EXPECT_EQ(StartupMessageLine(EReadError("Value 5")), "Value 5.\r\n");
    EXPECT_EQ(StartupMessageLine(std::runtime_error("std, no stop!")), "std, no stop!.\r\n");
}

} // namespace
