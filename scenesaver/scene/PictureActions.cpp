#include "scene/PictureActions.h"

#include "platform/MessageBox.h"
#include "scene/Archive.h"
#include "scene/PictureItem.h"
#include "scene/SceneMessages.h"

void CPictureActionItem::CopyFrom(const CSceneItem& other) {
    CSceneItem::CopyFrom(other);
    const auto& action = dynamic_cast<const CPictureActionItem&>(other);
    m_placement.CopyFrom(action.m_placement);
    m_color.CopyFrom(action.m_color);
}

bool CPictureActionItem::Read(CArchive& ar) {
    if (!CSceneItem::Read(ar)) {
        return false;
    }
    m_placement.m_ownerLabel = m_label.m_text;
    m_color.m_ownerLabel = m_label.m_text;
    return m_placement.Read(ar) && m_color.Read(ar);
}

bool CPictureActionItem::Prepare() {
    if (IsDisabled() || m_picture != nullptr) {
        return true;
    }
    AfxMessageBox(MSG_CHOOSE_IMAGE, MessageIcon::Stop);
    return false;
}

// A resource list may name an item of another kind; only a picture counts.
void CPictureActionItem::SetResource(CSceneItem& resource) {
    if (auto* picture = dynamic_cast<CPictureItem*>(&resource)) {
        m_picture = picture;
    }
}

std::unique_ptr<CSceneItem> CShowPictureItem::Clone() const {
    return std::make_unique<CShowPictureItem>();
}

std::unique_ptr<CSceneItem> CMovePictureItem::Clone() const {
    return std::make_unique<CMovePictureItem>();
}

std::unique_ptr<CSceneItem> CHidePictureItem::Clone() const {
    return std::make_unique<CHidePictureItem>();
}
