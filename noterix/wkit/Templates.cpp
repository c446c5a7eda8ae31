#include "wkit/Templates.h"

#include <map>

namespace wkit {

namespace {

template <typename T>
std::map<std::uint16_t, const T*>& Table() {
    static std::map<std::uint16_t, const T*> table;
    return table;
}

template <typename T>
const T* Find(std::uint16_t id) {
    const auto found = Table<T>().find(id);
    return found == Table<T>().end() ? nullptr : found->second;
}

} // namespace

void TemplateRegistry::Add(const DialogTemplate* dialog) {
    Table<DialogTemplate>()[dialog->id] = dialog;
}
void TemplateRegistry::Add(const MenuTemplate* menu) {
    Table<MenuTemplate>()[menu->id] = menu;
}
void TemplateRegistry::Add(const IconTemplate* icon) {
    Table<IconTemplate>()[icon->id] = icon;
}
const DialogTemplate* TemplateRegistry::Dialog(std::uint16_t id) {
    return Find<DialogTemplate>(id);
}
const MenuTemplate* TemplateRegistry::Menu(std::uint16_t id) {
    return Find<MenuTemplate>(id);
}
const IconTemplate* TemplateRegistry::Icon(std::uint16_t id) {
    return Find<IconTemplate>(id);
}

} // namespace wkit
