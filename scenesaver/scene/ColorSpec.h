#pragma once

#include "scene/SceneValues.h"

#include <cstdint>
#include <string>

class CArchive;

// The colour of a show, move, hide, background or line item.
class CColorSpec {
public:
    CColorSpec();

    COLORREF m_color = 0;
    // Handed to the saver window by a background item: 0 copy, 1 paint, any
    // other value AND.
    std::uint32_t m_rasterOperation = 0;
    BOOL m_random = FALSE;
    BOOL m_useScreenColor = TRUE;
    std::uint32_t m_seed = 0; // advanced by 100 at every random draw; not stored
    std::string m_ownerLabel; // the owning item's label; not stored

    void CopyFrom(const CColorSpec& other);
    bool Read(CArchive& ar);
};
