#pragma once

#include <cstddef>
#include <cstdint>

namespace wkit {

// Dialog templates are tables in code: positions and sizes in dialog units
// (a quarter of the dialog font's average character width horizontally, an
// eighth of its height vertically), converted when the dialog is made.
enum class ControlKind : std::int32_t {
    Edit,
    CheckBox,
    Button,
    DefaultButton,
    Static, // plain text
    CentredStatic,
    Placeholder, // an invisible area the dialog paints itself
    SizeGrip,
};

// Control styles.
enum : std::uint32_t {
    MultiLine = 0x1,
    WantReturn = 0x2,
    VerticalScroll = 0x4,
    Hidden = 0x8,
};

struct ControlTemplate {
    ControlKind kind;
    std::int32_t id;
    const char* text;
    std::int32_t x, y, width, height; // dialog units
    std::uint32_t style = 0;
};

// Dialog styles.
enum : std::uint32_t {
    SizingBorder = 0x1, // resizable, with a size grip
    ToolWindow = 0x2,   // a small utility window without a task bar entry
    NoCloseBox = 0x4,
    OwnCaption = 0x8, // frameless: the window draws its own caption strip
    // With OwnCaption: the window draws a minimise button left of the close
    // box, and the caption's text stays clear of it.
    MinimiseBox = 0x10,
};

struct DialogTemplate {
    std::uint16_t id;
    const char* caption;
    const char* fontFace;
    std::int32_t fontPoints;
    std::int32_t width, height; // dialog units, client area
    std::uint32_t style;
    const ControlTemplate* controls;
    std::size_t controlCount;
};

// A menu template: a flat list in which popups open a level and End closes it.
struct MenuTemplateItem {
    enum Kind : std::int32_t { Item, Separator, Popup, End };
    Kind kind;
    const char* text;
    std::int32_t id;
};

struct MenuTemplate {
    std::uint16_t id;
    const MenuTemplateItem* items;
    std::size_t count;
};

// An icon as text: rows of palette letters, one character a pixel.
struct IconTemplate {
    std::uint16_t id;
    const char* const* xpm; // an XPM image: header, colours, rows
};

// The program registers its templates at start-up; the library finds them
// by id. Registering an id again replaces the earlier template.
class TemplateRegistry {
public:
    static void Add(const DialogTemplate* dialog);
    static void Add(const MenuTemplate* menu);
    static void Add(const IconTemplate* icon);
    static const DialogTemplate* Dialog(std::uint16_t id);
    static const MenuTemplate* Menu(std::uint16_t id);
    static const IconTemplate* Icon(std::uint16_t id);
};

template <std::size_t N>
constexpr DialogTemplate MakeDialogTemplate(std::uint16_t id, const char* caption, const char* face,
                                            std::int32_t points, std::int32_t width,
                                            std::int32_t height, std::uint32_t style,
                                            const ControlTemplate (&controls)[N]) {
    return DialogTemplate{id, caption, face, points, width, height, style, controls, N};
}

} // namespace wkit
