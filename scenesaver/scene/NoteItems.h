#pragma once

#include "scene/SceneItem.h"

#include <cstdint>
#include <string>

// A note for the scene's author; does nothing.
class CRemarkItem : public CSceneItem {
public:
    CRemarkItem() : CSceneItem(kindRemark) {}

    std::string m_text;

    void CopyFrom(const CSceneItem& other) override;
    bool Read(CArchive& ar) override;
    bool Run(CDC& dc, int& index, CSceneThread& thread) override;
    std::unique_ptr<CSceneItem> Clone() const override;
};

// Sets or clears the link that a key opens when the saver ends.
class CLinkItem : public CSceneItem {
public:
    CLinkItem() : CSceneItem(kindLink) {}

    BOOL m_clear = FALSE;
    std::int32_t m_triggerKey = -1;
    std::string m_link = "http://";

    void CopyFrom(const CSceneItem& other) override;
    bool Read(CArchive& ar) override;
    bool Run(CDC& dc, int& index, CSceneThread& thread) override;
    std::unique_ptr<CSceneItem> Clone() const override;
};
