#include "scene/NoteItems.h"

#include "scene/Archive.h"
#include "scene/SceneThread.h"

void CRemarkItem::CopyFrom(const CSceneItem& other) {
    CSceneItem::CopyFrom(other);
    m_text = dynamic_cast<const CRemarkItem&>(other).m_text;
}

bool CRemarkItem::Read(CArchive& ar) {
    return CSceneItem::Read(ar) && ar.ReadScrambledString(m_text, "remark text");
}

bool CRemarkItem::Run(CDC& /*dc*/, int& /*index*/, CSceneThread& /*thread*/) {
    return false;
}

std::unique_ptr<CSceneItem> CRemarkItem::Clone() const {
    return std::make_unique<CRemarkItem>();
}

void CLinkItem::CopyFrom(const CSceneItem& other) {
    CSceneItem::CopyFrom(other);
    const auto& link = dynamic_cast<const CLinkItem&>(other);
    m_clear = link.m_clear;
    m_triggerKey = link.m_triggerKey;
    m_link = link.m_link;
}

bool CLinkItem::Read(CArchive& ar) {
    return CSceneItem::Read(ar) && ar.ReadFlag(m_clear, "clear flag") &&
           ar.ReadI32(m_triggerKey, "trigger key") && ar.ReadScrambledString(m_link, "link text");
}

std::unique_ptr<CSceneItem> CLinkItem::Clone() const {
    return std::make_unique<CLinkItem>();
}

bool CLinkItem::Run(CDC& /*dc*/, int& /*index*/, CSceneThread& thread) {
    if (m_clear) {
        thread.Window().ClearLink();
    } else {
        thread.Window().SetLink(m_link, m_triggerKey);
    }
    return true;
}
