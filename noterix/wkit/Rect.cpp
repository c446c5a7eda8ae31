#include "wkit/Rect.h"

#include <algorithm>

namespace wkit {

Rect Rect::Union(const Rect& a, const Rect& b) {
    return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

bool Rect::Intersect(const Rect& a, const Rect& b, Rect& out) {
    out = Rect{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
               std::min(a.bottom, b.bottom)};
    if (out.IsEmpty()) {
        out = Rect{};
        return false;
    }
    return true;
}

} // namespace wkit
