#pragma once

#include "plat/String.h"

#include <cstddef>
#include <cstdint>

namespace plat {

// A reference to one of the program's compiled-in resources.
struct ResourceID {
    enum Kind : std::uint32_t {
        StringKind = 0,
        TextKind = 1,
        DialogKind = 2,
        MenuKind = 3,
        IconKind = 6,
        AcceleratorKind = 7,
    };

    std::uint32_t kind = StringKind;
    std::uint16_t id = 0;

    // The string resource's text; false for id 0 or a missing or empty string.
    bool LoadString(String& out) const;
    // Loads the string and uses it as a printf format.
    template <typename... Arguments>
    bool FormatString(String& out, Arguments... arguments) const {
        String format;
        return LoadString(format) && out.Format(format.c_str(), arguments...);
    }
};

// The program's resources. The program installs its table at start-up; the
// library looks strings and TEXT blocks up through it.
class ResourceProvider {
public:
    virtual ~ResourceProvider() = default;
    virtual const char* FindString(std::uint16_t id) const = 0;
    // A TEXT resource's bytes; false when there is none with that id.
    virtual bool FindText(std::uint16_t id, const char*& data, std::size_t& size) const = 0;

    static const ResourceProvider* Get();
    // Not owned; null removes it.
    static void Install(const ResourceProvider* provider);
};

} // namespace plat
