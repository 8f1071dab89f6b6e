#pragma once
// The program's embedded resources, found by type and name the way the desktop finds resources
// stored in a program file. Types and names compare without regard to ASCII case.
//
// Types in use:
//   "RCDATA"  binary layout streams, named after the window class in upper case ("TFORM1");
//             the window constructor looks its layout up here.
//   "ICON"    icon file images; the application icon is "MAINICON".
//
// Resources are registered by the generated Register<Name>Resources() functions (see
// cmake/Filter2Resources.cmake), which the program calls explicitly at start-up: static
// initialisers in static libraries may be dropped by the linker. The table keeps pointers only;
// the bytes must stay alive for as long as they are registered (the generated arrays are static).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class ResourceTable {
public:
    static constexpr std::string_view kRcData = "RCDATA";
    static constexpr std::string_view kIcon = "ICON";

    struct Entry {
        std::string type;
        std::string name;
        std::span<const uint8_t> bytes;
    };

    // Registering the same type and name again replaces the earlier bytes, so that calling a
    // registration function twice is harmless. An empty type or name, or a null pointer with a
    // non-zero size, raises EInvalidOperation.
    static void Register(std::string_view type, std::string_view name, const uint8_t* bytes, size_t size);

    static std::optional<std::span<const uint8_t>> Find(std::string_view type, std::string_view name);

    // Every entry, in registration order (for tests and diagnostics).
    static std::vector<Entry> List();
    static void Clear();
};
