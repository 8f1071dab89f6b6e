#include "tests/e2e/XTools.h"

#include <cstdlib>
#include <regex>
#include <sstream>
#include <stdexcept>

namespace {

int Field(const std::string& text, const std::string& label)
{
    std::smatch m;
    if (!std::regex_search(text, m, std::regex(label + ":\\s*(-?\\d+)")))
        throw std::runtime_error("no \"" + label + "\" in: " + text);
    return std::stoi(m[1]);
}

XWindow ParseWindow(const std::string& text)
{
    return std::strtoul(text.c_str(), nullptr, 0);
}

// Undoes xprop's quoting of a string value: \ooo octal bytes, \" and \\.
std::string Unquote(const std::string& value)
{
    auto first = value.find('"');
    auto last = value.rfind('"');
    if (first == std::string::npos || last <= first)
        return value;
    std::string out;
    for (size_t i = first + 1; i < last; ++i) {
        char c = value[i];
        if (c == '\\' && i + 1 < last) {
            char next = value[i + 1];
            if (next >= '0' && next <= '7') {
                int code = 0;
                size_t j = i + 1;
                for (int k = 0; k < 3 && j < last && value[j] >= '0' && value[j] <= '7'; ++k, ++j)
                    code = code * 8 + (value[j] - '0');
                out += char(code);
                i = j - 1;
                continue;
            }
            out += next;
            ++i;
            continue;
        }
        out += c;
    }
    return out;
}

// The value in an xprop line "NAME(TYPE) = value", without the line's end; empty when the
// property is not set.
std::string PropertyValue(const std::string& text)
{
    auto eq = text.find(" = ");
    if (eq == std::string::npos)
        return "";
    std::string value = text.substr(eq + 3);
    while (!value.empty() && (value.back() == '\n' || value.back() == ' '))
        value.pop_back();
    return value;
}

} // namespace

ToolResult XTools::Try(const std::vector<std::string>& argv, std::chrono::milliseconds timeout) const
{
    return ToolCommand::Run(argv, environment_, timeout);
}

std::string XTools::Output(const std::vector<std::string>& argv, std::chrono::milliseconds timeout) const
{
    ToolResult r = Try(argv, timeout);
    if (!r.Ok())
        throw std::runtime_error(ToolCommand::Describe(argv) +
                                 (r.timedOut ? " timed out" : " failed with " + std::to_string(r.exitCode)) +
                                 (r.errors.empty() ? "" : ": " + r.errors));
    return r.output;
}

WindowGeometry XTools::Screen() const
{
    std::istringstream in(Output({"xdotool", "getdisplaygeometry"}));
    WindowGeometry g;
    in >> g.width >> g.height;
    if (!in)
        throw std::runtime_error("xdotool getdisplaygeometry printed nothing usable");
    return g;
}

std::vector<XWindow> XTools::VisibleWindowsOf(pid_t pid) const
{
    // Exit code 1 only means "nothing found yet".
    ToolResult r = Try({"xdotool", "search", "--onlyvisible", "--pid", std::to_string(pid)});
    std::vector<XWindow> windows;
    std::istringstream in(r.output);
    for (std::string line; std::getline(in, line);)
        if (!line.empty())
            windows.push_back(ParseWindow(line));
    return windows;
}

WindowGeometry XTools::Geometry(XWindow window) const
{
    std::string text = Output({"xwininfo", "-id", Hex(window)});
    return {Field(text, "Absolute upper-left X"), Field(text, "Absolute upper-left Y"), Field(text, "Width"),
            Field(text, "Height")};
}

std::string XTools::PropertyDump(XWindow window, const std::string& name) const
{
    return Output({"xprop", "-id", Hex(window), name});
}

std::string XTools::Property(XWindow window, const std::string& name) const
{
    return PropertyValue(PropertyDump(window, name));
}

std::string XTools::RootProperty(const std::string& name) const
{
    return PropertyValue(Output({"xprop", "-root", name}));
}

std::string XTools::TextProperty(XWindow window, const std::string& name) const
{
    return Unquote(Property(window, name));
}

std::vector<std::string> XTools::ListProperty(XWindow window, const std::string& name) const
{
    std::vector<std::string> items;
    std::istringstream in(Property(window, name));
    for (std::string item; std::getline(in, item, ',');) {
        auto begin = item.find_first_not_of(' ');
        if (begin != std::string::npos)
            items.push_back(item.substr(begin));
    }
    return items;
}

void XTools::Activate(XWindow window) const
{
    Output({"xdotool", "windowactivate", "--sync", Hex(window)});
}

XWindow XTools::ActiveWindow() const
{
    return ParseWindow(Try({"xdotool", "getactivewindow"}).output);
}

XWindow XTools::FocusWindow() const
{
    return ParseWindow(Try({"xdotool", "getwindowfocus"}).output);
}

void XTools::MovePointer(int x, int y) const
{
    Output({"xdotool", "mousemove", "--sync", std::to_string(x), std::to_string(y)});
}

void XTools::Click(int x, int y) const
{
    MovePointer(x, y);
    Output({"xdotool", "click", "1"});
}

void XTools::QuickClick(int x, int y) const
{
    // The server takes the motion and the button events of one connection in order: the press
    // lands where the pointer was moved.
    Output({"xdotool", "mousemove", std::to_string(x), std::to_string(y), "mousedown", "1", "mouseup", "1"});
}

void XTools::Keys(const std::vector<std::string>& keys) const
{
    std::vector<std::string> argv{"xdotool", "key", "--delay", "30"};
    argv.insert(argv.end(), keys.begin(), keys.end());
    Output(argv);
}

void XTools::Type(const std::string& text) const
{
    Output({"xdotool", "type", "--delay", "30", text});
}

void XTools::Screenshot(const std::string& path) const
{
    Output({"import", "-window", "root", path}, std::chrono::milliseconds(15000));
}

void XTools::RequestClose(XWindow window) const
{
    Output({"wmctrl", "-i", "-c", Hex(window)});
}

std::string XTools::Hex(XWindow window)
{
    std::ostringstream out;
    out << "0x" << std::hex << window;
    return out.str();
}
