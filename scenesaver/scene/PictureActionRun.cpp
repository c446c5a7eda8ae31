#include "platform/DeviceContext.h"
#include "scene/ColorResolve.h"
#include "scene/PictureActions.h"
#include "scene/PictureItem.h"
#include "scene/Positions.h"
#include "scene/SceneThread.h"

namespace {

// The picture's last colour: the block with its colour for this run.
void HandColor(CPictureItem& picture, CColorSpec& color) {
    const COLORREF resolved = ResolveColor(color);
    picture.m_lastColor.CopyFrom(color);
    picture.m_lastColor.m_color = resolved;
}

// Keeps the screen under the picture's area at the point for a later hide.
void SaveBackground(CPictureItem& picture, CDC& dc, const CPlacement& placement, CPoint at) {
    picture.m_savedBackground.DeleteObject();
    picture.m_savedAt = QPoint(at.x, at.y);
    picture.m_savedBackground.image = dc.Copy(QRect(picture.m_savedAt, picture.GetSize()));
    picture.m_savedBackground.dimension = picture.GetSize();
    picture.m_savedPlacement = placement;
}

void Typewrite(CPictureItem& picture, CDC& dc, CSceneThread& thread, std::uint32_t delay) {
    // A delay setting above 2000 means no pause at all, not a wrapped one.
    const std::uint32_t pause = delay < 2000 ? 2000 - delay : 0;
    for (std::size_t position = 0; !thread.IsStopping(); ++position) {
        if (!picture.ShowNextCharacter(dc, thread, position)) {
            break;
        }
        thread.ChunkedSleep(pause);
    }
}

} // namespace

bool CShowPictureItem::Run(CDC& dc, int& /*index*/, CSceneThread& thread) {
    if (m_picture == nullptr) {
        return true;
    }
    CPictureItem& picture = *m_picture;
    const QSize size = picture.GetSize();
    ComputePositions(m_placement, size.width(), size.height(), dc.ScreenSize());
    picture.m_lastPlacement = m_placement;
    HandColor(picture, m_color);
    if (m_placement.m_keepBackground) {
        SaveBackground(picture, dc, m_placement, m_placement.m_start);
    }
    if (picture.IsText() && m_placement.m_typewriter) {
        Typewrite(picture, dc, thread, m_placement.m_typewriterDelay);
    } else {
        picture.Show(dc, thread);
    }
    return true;
}

bool CMovePictureItem::Run(CDC& dc, int& /*index*/, CSceneThread& thread) {
    if (m_picture == nullptr) {
        return true;
    }
    CPictureItem& picture = *m_picture;
    const QSize size = picture.GetSize();
    ComputePositions(m_placement, size.width(), size.height(), dc.ScreenSize());
    CPlacement working = m_placement;
    picture.m_lastPlacement = working;
    picture.m_backdrop.image = dc.Copy(QRect(QPoint(0, 0), dc.ScreenSize()));
    if (m_placement.m_keepBackground) {
        SaveBackground(picture, dc, m_placement, m_placement.m_end);
    }
    HandColor(picture, m_color);
    bool complete = false;
    while (!thread.IsStopping()) {
        picture.MoveStep(dc, thread, working);
        if (complete) {
            break;
        }
        if (Advance(working)) {
            complete = true;
        } else {
            thread.CalibratedWait(working.m_motionSpeed, 100000.0);
        }
        HandColor(picture, m_color);
    }
    picture.m_backdrop.DeleteObject();
    if (m_placement.m_keepBackground) {
        picture.m_savedPlacement = working;
    }
    return true;
}

bool CHidePictureItem::Run(CDC& dc, int& /*index*/, CSceneThread& thread) {
    if (m_picture == nullptr || !m_picture->IsShown()) {
        return true;
    }
    CPictureItem& picture = *m_picture;
    if (picture.m_lastPlacement.m_keepBackground && !picture.m_savedBackground.IsNull()) {
        dc.BitBlt(picture.m_savedAt, picture.m_savedBackground.image,
                  picture.m_savedBackground.image.rect());
        picture.m_savedBackground.DeleteObject();
    } else {
        picture.Erase(dc, thread);
    }
    picture.m_shown = false;
    return true;
}
