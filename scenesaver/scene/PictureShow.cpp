#include "platform/DeviceContext.h"
#include "platform/Drawing.h"
#include "scene/PictureItem.h"
#include "scene/RandomRange.h"
#include "scene/SceneThread.h"
#include "scene/Transition.h"

#include <QTime>

#include <algorithm>

namespace {

bool IsTransition(std::uint32_t effect) {
    return effect >= FIRST_EFFECT && effect <= LAST_EFFECT;
}

// The fades work on the whole picture and place it themselves; every other
// effect is clipped to the screen.
bool IsFade(std::uint32_t effect) {
    return effect == 4 || effect == 65;
}

std::uint32_t DrawRandomEffect() {
    const auto seed = (TickCount() << 16) | static_cast<std::uint32_t>(QTime::currentTime().msec());
    CRandomRange random(seed);
    random.SetRange(3, 77);
    int effect = 0;
    do {
        effect = random.Next();
    } while (effect < static_cast<int>(FIRST_EFFECT) || effect > static_cast<int>(LAST_EFFECT));
    return static_cast<std::uint32_t>(effect);
}

// The visible part of a picture of the size at the position, in screen
// coordinates, and how many of its columns and rows lie off the top left.
QRect VisiblePart(QPoint position, QSize size, QSize screen, QPoint& offset) {
    offset = QPoint(std::max(0, -position.x()), std::max(0, -position.y()));
    const QRect whole(position, size);
    return whole.intersected(QRect(QPoint(0, 0), screen));
}

// The picture as drawn over the background: icons carry transparency.
QImage Opaque(const QImage& picture, const QImage& icon, QRgb background) {
    if (icon.isNull()) {
        return picture;
    }
    QImage over = MakeBitmap(picture.size(), background);
    DrawImageBlended(over, QPoint(0, 0), icon);
    return over;
}

} // namespace

QRgb CPictureItem::BackgroundColor(CSceneThread& thread) const {
    const COLORREF colour =
        m_lastColor.m_useScreenColor ? thread.Window().BackgroundColor() : m_lastColor.m_color;
    return ColorRefToRgb(colour);
}

// The desktop snapshot and the wallpaper are files the saver wrote at start;
// they are read at the first show and kept from then on.
bool CPictureItem::ReloadDesktopSource(CSceneThread& thread) {
    if (m_source != sourceDesktop && m_source != sourceWallpaper) {
        return false;
    }
    const CSceneThread::DesktopPictures& files = thread.GetDesktopPictures();
    LoadPictureFile(m_source == sourceDesktop ? files.desktop : files.wallpaper);
    m_source = sourceEmbedded;
    m_pixelsOnDemand = false; // the file's pixels, kept from now on
    return true;
}

bool CPictureItem::Show(CDC& dc, CSceneThread& thread, const QRect* given) {
    CPlacement& placement = m_lastPlacement;
    if (placement.m_effect == 3) {
        placement.m_effect = DrawRandomEffect();
    }
    const std::uint32_t effect = placement.m_effect;
    const bool screenSizedWork = ReloadDesktopSource(thread);
    HoldPixels(); // without them nothing is drawn below
    const QSize size = GetSize();
    const QSize screen = dc.ScreenSize();
    m_shown = true;
    // Nothing to draw and nothing to divide by.
    if (size.width() <= 0 || size.height() <= 0 || m_bitmap.IsNull() || screen.isEmpty()) {
        return true;
    }
    const QPoint position(placement.m_current.x, placement.m_current.y);
    const bool clipped = given == nullptr && effect > 2 && !IsFade(effect);
    QPoint offset(0, 0);
    QRect target(QPoint(0, 0), size);
    if (given != nullptr) {
        target = *given;
    } else if (clipped) {
        target = VisiblePart(position, size, screen, offset);
    }
    const QPoint origin = given != nullptr ? given->topLeft() : position;

    QImage source = m_bitmap.image;
    bool composed = false;
    if (IsText() && !m_opaque) {
        if (effect == 0) {
            dc.DrawTransparent(origin, source, ColorRefToRgb(KEY_COLOR));
            return true;
        }
        // The letters over the screen as it is make the picture.
        QImage copy = dc.Copy(QRect(QPoint(0, 0), screen));
        DrawImageTransparent(copy, origin, source, ColorRefToRgb(KEY_COLOR));
        const QRect area = given != nullptr || clipped ? target : QRect(origin, size);
        source = CopyImageArea(copy, area);
        composed = true;
        offset = QPoint(0, 0);
    }
    const QRgb background = BackgroundColor(thread);
    const QImage* icon = m_icon.isNull() ? nullptr : &m_icon;

    if (IsTransition(effect)) {
        if (target.width() > 0 && target.height() > 0) {
            QImage work = MakeBitmap(
                screenSizedWork ? screen.expandedTo(target.size()) : target.size(), background);
            CTransition transition(effect, target, background, icon, source, work);
            if (IsFade(effect)) {
                transition.m_sourceBitmap = source;
            }
            const double setting = 1100.0 - placement.m_effectSpeed;
            if (composed && !IsFade(effect)) {
                CPoint point{target.x(), target.y()};
                transition.Run(dc, thread, point, setting, QPoint(0, 0));
            } else {
                transition.Run(dc, thread, placement.m_current, setting, offset);
            }
        }
        return true;
    }
    if (effect == 0) {
        QImage work =
            MakeBitmap(screenSizedWork ? screen.expandedTo(size) : target.size(), background);
        PrepareWorkBitmap(work, source, icon, background, offset);
        dc.BitBlt(origin, work, QRect(QPoint(0, 0), size));
    } else if (effect == 1 || effect == 2) {
        QImage work = MakeBitmap(screen, background);
        const QImage picture = Opaque(source, m_icon, background);
        if (effect == 1) {
            for (int i = 0; i <= screen.width() / size.width(); ++i) {
                for (int j = 0; j <= screen.height() / size.height(); ++j) {
                    CopyImageRect(work, QPoint(i * size.width(), j * size.height()), picture,
                                  picture.rect());
                }
            }
        } else {
            StretchImage(work, work.rect(), picture);
        }
        dc.BitBlt(QPoint(0, 0), work, work.rect());
    }
    return true;
}

void CPictureItem::Erase(CDC& dc, CSceneThread& thread) {
    const QRgb background = ColorRefToRgb(thread.Window().BackgroundColor());
    if (m_lastPlacement.m_effect != 0) {
        dc.FillSolidRect(QRect(QPoint(0, 0), dc.ScreenSize()), background);
    } else {
        const QPoint at(m_lastPlacement.m_current.x, m_lastPlacement.m_current.y);
        dc.FillSolidRect(QRect(at, GetSize()), background);
    }
    m_shown = false;
}

void CPictureItem::MoveStep(CDC& dc, CSceneThread& thread, const CPlacement& working) {
    const QSize size = GetSize();
    const QRect before(QPoint(m_lastPlacement.m_current.x, m_lastPlacement.m_current.y), size);
    const QRect after(QPoint(working.m_current.x, working.m_current.y), size);
    if (!before.intersects(after)) {
        Erase(dc, thread);
        m_lastPlacement = working;
        Show(dc, thread);
        return;
    }
    // One transfer of the union: the picture never flickers between its old
    // and its new place. The corners that neither covers stay as on screen.
    const QRect both = before.united(after);
    QImage compose = dc.Copy(both);
    const QRect vacated = before.translated(-both.topLeft());
    if ((IsText() && !m_opaque) || working.m_restoreFromBackdrop) {
        CopyImageRect(compose, vacated.topLeft(), m_backdrop.image, before);
    } else {
        FillImageRect(compose, vacated, ColorRefToRgb(thread.Window().BackgroundColor()));
    }
    m_lastPlacement = working;
    CDC memory(compose, dc.ScreenSize());
    const QRect into = after.translated(-both.topLeft());
    Show(memory, thread, &into);
    dc.BitBlt(both.topLeft(), compose, compose.rect());
}
