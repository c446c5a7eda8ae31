#include "scene/SceneItem.h"

#include "scene/Archive.h"

void CSceneItem::CopyFrom(const CSceneItem& other) {
    m_label = other.m_label;
    m_reserved = other.m_reserved;
    m_disabled = other.m_disabled;
}

bool CSceneItem::Read(CArchive& ar) {
    return ar.ReadScrambledString(m_label.m_text, "label") &&
           ar.ReadU32(m_reserved, "reserved value") && ar.ReadFlag(m_disabled, "disabled flag");
}
