#pragma once

#include "plat/Colour.h"
#include "plat/String.h"
#include "wkit/Templates.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace wkit {

class Menu;

struct MenuItem {
    enum Kind { Command, Separator, Submenu };
    Kind kind = Command;
    plat::String text;
    std::int32_t id = 0;
    bool checked = false;
    bool enabled = true;
    // Shown as written: an ampersand is a character, not a mnemonic. Texts
    // that come from the user (note titles) are literal.
    bool literal = false;
    bool ownerDrawn = false;
    plat::Colour swatch; // the colour an owner-drawn item shows
    std::shared_ptr<Menu> submenu;
};

// A portable menu that the back-end turns into the toolkit's menu when it is
// shown. Positions count every item, separators included.
class Menu {
public:
    // Builds a menu from a registered template; false when there is none.
    static std::shared_ptr<Menu> Load(std::uint16_t id);

    std::size_t Count() const { return items_.size(); }
    MenuItem& At(std::size_t position) { return items_[position]; }
    const MenuItem& At(std::size_t position) const { return items_[position]; }
    // Position of the item with this command id at this level, or false.
    bool FindPosition(std::int32_t id, std::size_t& position) const;
    // The item with the id anywhere in the menu or its submenus.
    MenuItem* FindItem(std::int32_t id);
    bool DeleteItem(std::int32_t id);
    void Insert(std::size_t position, const MenuItem& item);
    void Append(const plat::String& text, std::int32_t id, bool checked = false,
                bool literal = false);
    void AppendSeparator();
    void AppendSubmenu(const plat::String& text, std::shared_ptr<Menu> submenu);
    void Clear() { items_.clear(); }
    // The item shown bold: activated by a double click, chosen by Enter.
    void SetDefaultItem(std::int32_t id) { defaultId_ = id; }
    std::int32_t DefaultItem() const { return defaultId_; }

private:
    std::vector<MenuItem> items_;
    std::int32_t defaultId_ = 0;
};

} // namespace wkit
