#include "platform/ForeignWindow.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <charconv>
#include <cstdlib>
#include <xcb/xcb.h>

namespace {
xcb_connection_t* X11Connection() {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (app == nullptr) {
        return nullptr;
    }
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}
} // namespace

std::optional<std::uint64_t> ParseWindowHandle(const std::string& text) {
    int base = 10;
    std::string_view digits(text);
    if (digits.starts_with("0x") || digits.starts_with("0X")) {
        base = 16;
        digits.remove_prefix(2);
    }
    std::uint64_t value = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<QSize> ForeignWindowSize(std::uint64_t windowId) {
    xcb_connection_t* connection = X11Connection();
    if (connection == nullptr || windowId == 0 || windowId > 0xFFFFFFFFu) {
        return std::nullopt;
    }
    const auto cookie = xcb_get_geometry(connection, static_cast<xcb_drawable_t>(windowId));
    xcb_generic_error_t* error = nullptr;
    xcb_get_geometry_reply_t* reply = xcb_get_geometry_reply(connection, cookie, &error);
    std::free(error);
    if (reply == nullptr) {
        return std::nullopt;
    }
    const QSize size(reply->width, reply->height);
    std::free(reply);
    return size;
}

std::uint64_t RootWindowId() {
    xcb_connection_t* connection = X11Connection();
    if (connection == nullptr) {
        return 0;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    return screen != nullptr ? screen->root : 0;
}

std::uint64_t ActiveWindowId() {
    xcb_connection_t* connection = X11Connection();
    const std::uint64_t root = RootWindowId();
    if (connection == nullptr || root == 0) {
        return 0;
    }
    static constexpr char kName[] = "_NET_ACTIVE_WINDOW";
    auto atomCookie = xcb_intern_atom(connection, 1, sizeof(kName) - 1, kName);
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(connection, atomCookie, nullptr);
    if (atom == nullptr) {
        return 0;
    }
    const xcb_atom_t activeAtom = atom->atom;
    std::free(atom);
    if (activeAtom == XCB_ATOM_NONE) {
        return 0;
    }
    auto cookie = xcb_get_property(connection, 0, static_cast<xcb_window_t>(root), activeAtom,
                                   XCB_ATOM_WINDOW, 0, 1);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
    if (reply == nullptr) {
        return 0;
    }
    std::uint64_t window = 0;
    if (reply->format == 32 && xcb_get_property_value_length(reply) >= 4) {
        window = *static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
    }
    std::free(reply);
    return window;
}

void SetForeignOwner(QWidget& dialog, std::uint64_t ownerId) {
    if (ownerId == 0 || !ForeignWindowSize(ownerId)) {
        return;
    }
    QWindow* owner = QWindow::fromWinId(static_cast<WId>(ownerId));
    if (owner == nullptr) {
        return;
    }
    dialog.winId(); // makes the dialog's own window
    owner->setParent(nullptr);
    QObject::connect(&dialog, &QObject::destroyed, owner, &QObject::deleteLater);
    dialog.windowHandle()->setTransientParent(owner);
}

void EmbedInForeignWindow(QWidget& widget, std::uint64_t parentId) {
    QWindow* parent = QWindow::fromWinId(static_cast<WId>(parentId));
    if (parent == nullptr) {
        return;
    }
    QObject::connect(&widget, &QObject::destroyed, parent, &QObject::deleteLater);
    widget.winId();
    widget.windowHandle()->setParent(parent);
    widget.move(0, 0);
}
