#pragma once

#include "scene/ColorSpec.h"
#include "scene/Placement.h"
#include "scene/SceneItem.h"

#include <cstdint>

// Paints the whole window in a new background colour.
class CBackgroundItem : public CSceneItem {
public:
    CBackgroundItem() : CSceneItem(kindBackground) {}

    CColorSpec m_color;

    void CopyFrom(const CSceneItem& other) override;
    bool Read(CArchive& ar) override;
    bool Run(CDC& dc, int& index, CSceneThread& thread) override;
    std::unique_ptr<CSceneItem> Clone() const override;
};

// Draws a straight line from the placement's start to its end.
class CLineItem : public CSceneItem {
public:
    CLineItem() : CSceneItem(kindLine) {}

    CPlacement m_placement;
    CColorSpec m_color;
    std::uint32_t m_penStyle = 0; // the classic pen styles; 0 solid
    std::uint32_t m_penWidth = 1;

    void CopyFrom(const CSceneItem& other) override;
    bool Read(CArchive& ar) override;
    bool Run(CDC& dc, int& index, CSceneThread& thread) override;
    std::unique_ptr<CSceneItem> Clone() const override;
};
