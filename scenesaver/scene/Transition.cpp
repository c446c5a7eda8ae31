#include "scene/Transition.h"

#include "platform/DeviceContext.h"
#include "platform/Drawing.h"
#include "scene/SceneThread.h"

CTransition::CTransition(std::uint32_t effect, const QRect& target, QRgb background,
                         const QImage* icon, const QImage& source, QImage& work)
    : m_effect(effect), m_target(target), m_background(background), m_icon(icon), m_source(source),
      m_work(work) {}

void PrepareWorkBitmap(QImage& work, const QImage& source, const QImage* icon, QRgb background,
                       QPoint sourceOffset) {
    FillImageRect(work, work.rect(), background);
    if (icon != nullptr && !icon->isNull()) {
        QImage over = MakeBitmap(source.size(), background);
        DrawImageBlended(over, QPoint(0, 0), *icon);
        CopyImageRect(work, QPoint(0, 0), over, QRect(sourceOffset, work.size()));
        return;
    }
    CopyImageRect(work, QPoint(0, 0), source, QRect(sourceOffset, work.size()));
}

void CTransition::Run(CDC& screen, CSceneThread& thread, CPoint& targetPoint, double setting,
                      QPoint sourceOffset) {
    PrepareWorkBitmap(m_work, m_source, m_icon, m_background, sourceOffset);
    if (sourceOffset.x() != 0) {
        targetPoint.x = 0;
    }
    if (sourceOffset.y() != 0) {
        targetPoint.y = 0;
    }
    m_screen = &screen;
    m_thread = &thread;
    m_setting = setting;
    X = targetPoint.x;
    Y = targetPoint.y;
    w = m_target.width();
    h = m_target.height();
    if (const TransitionEffect effect = EffectFor(m_effect)) {
        effect(*this);
    }
    m_screen = nullptr;
    m_thread = nullptr;
}

void CTransition::Copy(int dx, int dy, int cw, int ch, CopySource from, int sx, int sy) {
    const QRect wanted(dx, dy, cw, ch);
    if (m_observer != nullptr) {
        m_observer->OnCopy(TransitionCopy{wanted, QPoint(sx, sy), from});
    }
    const QRect inside = wanted.intersected(QRect(0, 0, w, h));
    if (inside.isEmpty() || IsStopping()) {
        return;
    }
    const QImage& image = from == CopySource::Picture ? m_work : m_old;
    const QPoint shift = inside.topLeft() - wanted.topLeft();
    m_screen->BitBlt(QPoint(X, Y) + inside.topLeft(), image,
                     QRect(QPoint(sx, sy) + shift, inside.size()));
}

void CTransition::TakeOldContent() {
    m_old = m_screen->Copy(QRect(X, Y, w, h));
}

bool CTransition::IsStopping() const {
    return m_thread != nullptr && m_thread->IsStopping();
}

void CTransition::StepWait(double setting) {
    if (m_observer != nullptr) {
        m_observer->OnStepWait();
    }
    if (m_thread != nullptr) {
        m_thread->CalibratedWait(setting, 1000.0);
    }
}
