#include "scene/DrawItems.h"

#include "platform/DeviceContext.h"
#include "scene/Archive.h"
#include "scene/ColorResolve.h"
#include "scene/Positions.h"
#include "scene/SceneThread.h"

void CBackgroundItem::CopyFrom(const CSceneItem& other) {
    CSceneItem::CopyFrom(other);
    m_color.CopyFrom(dynamic_cast<const CBackgroundItem&>(other).m_color);
}

bool CBackgroundItem::Read(CArchive& ar) {
    if (!CSceneItem::Read(ar)) {
        return false;
    }
    m_color.m_ownerLabel = m_label.m_text;
    return m_color.Read(ar);
}

std::unique_ptr<CSceneItem> CBackgroundItem::Clone() const {
    return std::make_unique<CBackgroundItem>();
}

void CLineItem::CopyFrom(const CSceneItem& other) {
    CSceneItem::CopyFrom(other);
    const auto& line = dynamic_cast<const CLineItem&>(other);
    m_placement.CopyFrom(line.m_placement);
    m_color.CopyFrom(line.m_color);
    m_penStyle = line.m_penStyle;
    m_penWidth = line.m_penWidth;
}

// Unlike the picture actions, a line stores its colour before its placement.
bool CLineItem::Read(CArchive& ar) {
    if (!CSceneItem::Read(ar)) {
        return false;
    }
    m_placement.m_ownerLabel = m_label.m_text;
    m_color.m_ownerLabel = m_label.m_text;
    return m_color.Read(ar) && m_placement.Read(ar) && ar.ReadU32(m_penStyle, "pen style") &&
           ar.ReadU32(m_penWidth, "pen width");
}

std::unique_ptr<CSceneItem> CLineItem::Clone() const {
    return std::make_unique<CLineItem>();
}

bool CBackgroundItem::Run(CDC& /*dc*/, int& /*index*/, CSceneThread& thread) {
    thread.Window().SetBackgroundColor(ResolveColor(m_color), m_color.m_rasterOperation);
    return true;
}

bool CLineItem::Run(CDC& dc, int& /*index*/, CSceneThread& /*thread*/) {
    ComputePositions(m_placement, 0, 0, dc.ScreenSize());
    const COLORREF colour = ResolveColor(m_color);
    dc.LineTo(QPoint(m_placement.m_start.x, m_placement.m_start.y),
              QPoint(m_placement.m_end.x, m_placement.m_end.y), m_penStyle, m_penWidth,
              ColorRefToRgb(colour));
    return true;
}
