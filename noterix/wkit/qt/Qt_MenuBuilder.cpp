#include "wkit/qt/Qt_MenuBuilder.h"

#include "wkit/Menu.h"
#include "wkit/qt/QtText.h"

#include <QAction>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

namespace wkit {

namespace {

QString MenuText(const MenuItem& item) {
    QString text = ToQt(item.text);
    if (item.literal) {
        text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    }
    return text;
}

// Everything of a command item but its place in the menu. The setters do
// nothing when the value is unchanged, so an unchanged item costs no layout.
void Describe(QMenu& menu, QAction& action, const MenuItem& item, std::int32_t defaultId) {
    action.setText(MenuText(item));
    action.setData(item.id);
    action.setEnabled(item.enabled);
    action.setCheckable(item.checked);
    action.setChecked(item.checked);
    if (item.ownerDrawn) {
        QPixmap swatch(24, 12);
        swatch.fill(ToQt(item.swatch));
        QPainter painter(&swatch);
        painter.setPen(Qt::black);
        painter.drawRect(0, 0, 23, 11);
        painter.end();
        action.setIcon(QIcon(swatch));
    } else if (!action.icon().isNull()) {
        action.setIcon(QIcon());
    }
    // Only the default item has a font of its own: a font on every item
    // would make the layout measure each with its own metrics.
    if (item.id == defaultId && defaultId != 0) {
        QFont bold = action.font();
        bold.setBold(true);
        action.setFont(bold);
        menu.setDefaultAction(&action);
    } else if (action.font().bold()) {
        action.setFont(QFont());
    }
}

void Fill(QMenu& target, const Menu& source, std::int32_t defaultId) {
    for (std::size_t i = 0; i < source.Count(); ++i) {
        const MenuItem& item = source.At(i);
        if (item.kind == MenuItem::Separator) {
            target.addSeparator();
        } else if (item.submenu) {
            Fill(*target.addMenu(MenuText(item)), *item.submenu, defaultId);
        } else {
            Describe(target, *target.addAction(QString()), item, defaultId);
        }
    }
}

// Whether a menu built before has the items of this one, kind for kind, its
// submenus too: then it can be brought up to date in place.
bool SameShape(QMenu& target, const Menu& source) {
    const QList<QAction*> actions = target.actions();
    if (static_cast<std::size_t>(actions.size()) != source.Count()) {
        return false;
    }
    for (std::size_t i = 0; i < source.Count(); ++i) {
        const MenuItem& item = source.At(i);
        QAction& action = *actions[static_cast<qsizetype>(i)];
        if (action.isSeparator() != (item.kind == MenuItem::Separator) ||
            (action.menu() != nullptr) != bool(item.submenu) ||
            (item.submenu && !SameShape(*action.menu(), *item.submenu))) {
            return false;
        }
    }
    return true;
}

void Update(QMenu& target, const Menu& source, std::int32_t defaultId) {
    const QList<QAction*> actions = target.actions();
    target.setDefaultAction(nullptr);
    for (std::size_t i = 0; i < source.Count(); ++i) {
        const MenuItem& item = source.At(i);
        QAction& action = *actions[static_cast<qsizetype>(i)];
        if (item.submenu) {
            action.setText(MenuText(item));
            Update(*action.menu(), *item.submenu, defaultId);
        } else if (item.kind != MenuItem::Separator) {
            Describe(target, action, item, defaultId);
        }
    }
}

} // namespace

QMenu& Qt_MenuBuilder::Prepare(const Menu& source) {
    auto usable = kept_.end();
    for (auto menu = kept_.begin(); menu != kept_.end(); ++menu) {
        if (!(*menu)->isVisible() && SameShape(**menu, source)) {
            Update(**menu, source, source.DefaultItem());
            usable = menu;
            break;
        }
    }
    if (usable == kept_.end()) {
        // Destroying a whole menu is quick; removing its actions one by one
        // (to reuse the rest) is not. A kept menu on the screen (this one is opened from it) is
        // never dropped.
        if (kept_.size() >= Kept && !kept_.back()->isVisible()) {
            kept_.pop_back();
        }
        kept_.push_back(std::make_unique<QMenu>());
        Fill(*kept_.back(), source, source.DefaultItem());
        usable = kept_.end() - 1;
    }
    std::rotate(kept_.begin(), usable, usable + 1);
    return *kept_.front();
}

} // namespace wkit
