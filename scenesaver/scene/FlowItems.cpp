#include "scene/FlowItems.h"

#include "platform/CrtRandom.h"
#include "scene/Archive.h"
#include "scene/Scene.h"
#include "scene/SceneThread.h"

#include <cstdlib>
#include <ctime>

void CPauseItem::CopyFrom(const CSceneItem& other) {
    CSceneItem::CopyFrom(other);
    const auto& pause = dynamic_cast<const CPauseItem&>(other);
    m_duration.m_milliseconds = pause.m_duration.m_milliseconds;
    m_duration.m_random = pause.m_duration.m_random;
}

bool CPauseItem::Read(CArchive& ar) {
    return CSceneItem::Read(ar) && ar.ReadU32(m_duration.m_milliseconds, "milliseconds") &&
           ar.ReadFlag(m_duration.m_random, "random duration flag");
}

std::unique_ptr<CSceneItem> CPauseItem::Clone() const {
    return std::make_unique<CPauseItem>();
}

bool CLoopStartItem::Run(CDC& /*dc*/, int& /*index*/, CSceneThread& /*thread*/) {
    return false;
}

std::unique_ptr<CSceneItem> CLoopStartItem::Clone() const {
    return std::make_unique<CLoopStartItem>();
}

void CLoopEndItem::CopyFrom(const CSceneItem& other) {
    CSceneItem::CopyFrom(other);
    const auto& loopEnd = dynamic_cast<const CLoopEndItem&>(other);
    m_repeat.m_repeatCount = loopEnd.m_repeat.m_repeatCount;
    m_repeat.m_forever = loopEnd.m_repeat.m_forever;
}

bool CLoopEndItem::Read(CArchive& ar) {
    return CSceneItem::Read(ar) && ar.ReadU32(m_repeat.m_repeatCount, "repeat count") &&
           ar.ReadFlag(m_repeat.m_forever, "forever flag");
}

// Loop blocks nest like brackets: walking back, every loop end opens one more
// level and every loop start closes one. A loop end without its start makes
// the scene invalid.
bool CLoopEndItem::Prepare() {
    if (IsDisabled()) {
        return true;
    }
    if (m_scene == nullptr) {
        return false;
    }
    const auto& items = m_scene->Items();
    int depth = 1;
    for (int i = m_index - 1; i >= 0 && i < static_cast<int>(items.size()); --i) {
        const std::uint32_t kind = items[static_cast<std::size_t>(i)]->m_kind;
        if (kind == kindLoopEnd) {
            ++depth;
        } else if (kind == kindLoopStart && --depth == 0) {
            m_loopStartPosition = i + 1;
            m_repeat.m_counter = 0;
            return true;
        }
    }
    return false;
}

// A repeat count of N runs the block N times in all; 0 and 1 both run it once.
void CLoopEndItem::EndPass(int& index) {
    if (m_repeat.m_forever) {
        index = m_loopStartPosition - 1;
        return;
    }
    ++m_repeat.m_counter;
    if (m_repeat.m_counter >= m_repeat.m_repeatCount) {
        m_repeat.m_counter = 0;
        return;
    }
    index = m_loopStartPosition - 1;
}

bool CLoopEndItem::Run(CDC& /*dc*/, int& index, CSceneThread& /*thread*/) {
    EndPass(index);
    return false;
}

std::unique_ptr<CSceneItem> CLoopEndItem::Clone() const {
    return std::make_unique<CLoopEndItem>();
}

// A random pause draws until the new duration differs from the last one by at
// least 150 ms, so that two pauses in a row are noticeably different.
bool CPauseItem::Run(CDC& /*dc*/, int& /*index*/, CSceneThread& thread) {
    if (m_duration.m_random) {
        crt_srand(static_cast<unsigned int>(std::time(nullptr)));
        const std::int64_t previous = m_duration.m_milliseconds;
        std::int64_t d = previous;
        do {
            d = (crt_rand() + d) % CDurationSpec::m_modulus;
        } while (std::llabs(d - previous) < 150);
        m_duration.m_milliseconds = static_cast<std::uint32_t>(d);
    }
    thread.ChunkedSleep(m_duration.m_milliseconds);
    return true;
}
