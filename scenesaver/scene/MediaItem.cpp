#include "scene/MediaItem.h"

#include "platform/MessageBox.h"
#include "scene/Archive.h"
#include "scene/ResourceUsers.h"
#include "scene/SceneMessages.h"

void CMediaItem::CopyFrom(const CSceneItem& other) {
    CSceneItem::CopyFrom(other);
    const auto& media = dynamic_cast<const CMediaItem&>(other);
    m_mediaType = media.m_mediaType;
    m_fileName = media.m_fileName;
    m_mediaBytes = media.m_mediaBytes;
}

// Before format 2.0 every medium was a wave sound and no type was stored.
bool CMediaItem::Read(CArchive& ar) {
    std::uint32_t size = 0;
    if (!CSceneItem::Read(ar) || !ar.ReadU32(size, "media size")) {
        return false;
    }
    if (size == 0) {
        return true;
    }
    if (!ar.ReadScrambledString(m_fileName, "media file name")) {
        return false;
    }
    if (ar.m_version >= 2.0F) {
        if (!ar.ReadU32(m_mediaType, "media type")) {
            return false;
        }
    } else {
        m_mediaType = mediaWave;
    }
    return ar.ReadScrambledBytes(m_mediaBytes, size, "media bytes");
}

bool CMediaItem::Prepare() {
    if (IsUnusedResource(*this, m_users)) {
        return true;
    }
    if (m_mediaBytes.empty()) {
        AfxMessageBox(MSG_CHOOSE_MEDIA, MessageIcon::Stop);
        return false;
    }
    return true;
}

bool CMediaItem::Run(CDC& /*dc*/, int& /*index*/, CSceneThread& /*thread*/) {
    return false; // a resource: nothing happens at its turn
}

std::unique_ptr<CSceneItem> CMediaItem::Clone() const {
    return std::make_unique<CMediaItem>();
}

void CMediaItem::AddUser(CSceneItem& user) {
    m_users.push_back(CItemRef{&user});
}
