#include "scene/MediaActions.h"

#include "platform/MessageBox.h"
#include "scene/Archive.h"
#include "scene/MediaItem.h"
#include "scene/SceneMessages.h"
#include "scene/SceneThread.h"

bool CMediaActionItem::Prepare() {
    if (IsDisabled() || m_media != nullptr) {
        return true;
    }
    AfxMessageBox(MSG_CHOOSE_MEDIA, MessageIcon::Stop);
    return false;
}

// A resource list may name an item of another kind; only a medium counts.
void CMediaActionItem::SetResource(CSceneItem& resource) {
    if (auto* media = dynamic_cast<CMediaItem*>(&resource)) {
        m_media = media;
    }
}

void CPlayMediaItem::CopyFrom(const CSceneItem& other) {
    CSceneItem::CopyFrom(other);
    const auto& play = dynamic_cast<const CPlayMediaItem&>(other).m_play;
    m_play.m_repeatCount = play.m_repeatCount;
    m_play.m_forever = play.m_forever;
    m_play.m_wait = play.m_wait;
    m_play.m_loop = play.m_loop;
    m_play.m_videoPosition = play.m_videoPosition;
}

// The video position came with format 2.1 (compared in single precision).
bool CPlayMediaItem::Read(CArchive& ar) {
    if (!CSceneItem::Read(ar) || !ar.ReadU32(m_play.m_repeatCount, "repeat count") ||
        !ar.ReadFlag(m_play.m_forever, "forever flag") ||
        !ar.ReadFlag(m_play.m_wait, "wait flag") || !ar.ReadFlag(m_play.m_loop, "loop flag")) {
        return false;
    }
    return !(ar.m_version >= 2.1F) || ar.ReadPoint(m_play.m_videoPosition, "video position");
}

std::unique_ptr<CSceneItem> CPlayMediaItem::Clone() const {
    return std::make_unique<CPlayMediaItem>();
}

std::unique_ptr<CSceneItem> CStopMediaItem::Clone() const {
    return std::make_unique<CStopMediaItem>();
}

// A waiting play runs once per pass and blocks until the medium has ended; a
// play that does not wait is started once and may loop by itself.
bool CPlayMediaItem::Run(CDC& /*dc*/, int& /*index*/, CSceneThread& thread) {
    if (m_media == nullptr) {
        return true;
    }
    if (!m_play.m_wait) {
        thread.Media().Play(*m_media, false, m_play.m_loop != FALSE, thread,
                            m_play.m_videoPosition);
        return true;
    }
    for (std::uint32_t pass = 0;
         (m_play.m_forever || pass < m_play.m_repeatCount) && !thread.IsStopping(); ++pass) {
        if (!thread.Media().Play(*m_media, true, m_play.m_loop != FALSE, thread,
                                 m_play.m_videoPosition) &&
            m_play.m_forever) {
            // Repeating a medium that cannot play would spin a core; a play
            // repeated forever holds the scene here until the stop anyway.
            thread.StopEvent().wait();
        }
    }
    return true;
}

bool CStopMediaItem::Run(CDC& /*dc*/, int& /*index*/, CSceneThread& thread) {
    if (m_media != nullptr) {
        thread.Media().Stop(*m_media);
    }
    return true;
}
