#include "wkit/Menu.h"

namespace wkit {

std::shared_ptr<Menu> Menu::Load(std::uint16_t id) {
    const MenuTemplate* source = TemplateRegistry::Menu(id);
    if (source == nullptr) {
        return nullptr;
    }
    auto root = std::make_shared<Menu>();
    std::vector<Menu*> levels{root.get()};
    for (std::size_t i = 0; i < source->count; ++i) {
        const MenuTemplateItem& item = source->items[i];
        Menu& current = *levels.back();
        switch (item.kind) {
        case MenuTemplateItem::Item:
            current.Append(item.text, item.id);
            break;
        case MenuTemplateItem::Separator:
            current.AppendSeparator();
            break;
        case MenuTemplateItem::Popup: {
            auto submenu = std::make_shared<Menu>();
            current.AppendSubmenu(item.text, submenu);
            levels.push_back(submenu.get());
            break;
        }
        case MenuTemplateItem::End:
            if (levels.size() > 1) {
                levels.pop_back();
            }
            break;
        }
    }
    return root;
}

bool Menu::FindPosition(std::int32_t id, std::size_t& position) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].kind != MenuItem::Separator && items_[i].id == id) {
            position = i;
            return true;
        }
    }
    return false;
}

MenuItem* Menu::FindItem(std::int32_t id) {
    for (MenuItem& item : items_) {
        if (item.kind != MenuItem::Separator && item.id == id) {
            return &item;
        }
        if (item.submenu) {
            if (MenuItem* found = item.submenu->FindItem(id)) {
                return found;
            }
        }
    }
    return nullptr;
}

bool Menu::DeleteItem(std::int32_t id) {
    std::size_t position = 0;
    if (!FindPosition(id, position)) {
        return false;
    }
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(position));
    return true;
}

void Menu::Insert(std::size_t position, const MenuItem& item) {
    if (position > items_.size()) {
        position = items_.size();
    }
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(position), item);
}

void Menu::Append(const plat::String& text, std::int32_t id, bool checked, bool literal) {
    MenuItem item;
    item.text = text;
    item.id = id;
    item.checked = checked;
    item.literal = literal;
    items_.push_back(item);
}

void Menu::AppendSeparator() {
    MenuItem item;
    item.kind = MenuItem::Separator;
    items_.push_back(item);
}

void Menu::AppendSubmenu(const plat::String& text, std::shared_ptr<Menu> submenu) {
    MenuItem item;
    item.kind = MenuItem::Submenu;
    item.text = text;
    item.submenu = std::move(submenu);
    items_.push_back(item);
}

} // namespace wkit
