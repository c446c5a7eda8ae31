#include "scene/ColorResolve.h"

#include "scene/ColorSpec.h"
#include "scene/RandomRange.h"

COLORREF ResolveColor(CColorSpec& color) {
    if (!color.m_random) {
        return color.m_color;
    }
    color.m_seed += 100;
    CRandomRange random(color.m_seed + TickCount());
    random.SetRange(0, 500);
    const int red = random.Next() % 256;
    const int green = random.Next() % 256;
    const int blue = random.Next() % 256;
    return RGB(static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green),
               static_cast<std::uint8_t>(blue));
}
