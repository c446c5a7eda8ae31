#pragma once

#include <QMenu>
#include <memory>
#include <vector>

namespace wkit {

class Menu;

// Turns portable menus into Qt menus. A long menu, such as a notes list of
// thousands, costs far more to build than to show: Qt inserts each action
// after a linear search of those already there, and lays them all out again.
// So the last few menus shown are kept, and when the next one has the shape
// of a kept one, that is brought up to date in place: an unchanged list is
// shown again without being rebuilt or laid out anew, and a changed check
// mark costs one layout.
class Qt_MenuBuilder {
public:
    // The Qt menu for the portable one, valid until the next call. A menu
    // opened while the kept ones are still on the screen is built afresh.
    QMenu& Prepare(const Menu& source);
    // Lets the kept menus go (before the application object goes).
    void Clear() { kept_.clear(); }

    static constexpr std::size_t Kept = 4;

private:
    // The most recently shown first.
    std::vector<std::unique_ptr<QMenu>> kept_;
};

} // namespace wkit
