#pragma once

#include "scene/SceneValues.h"

#include <cstdint>

class CSceneItem;

// How long a pause lasts.
struct CDurationSpec {
    std::uint32_t m_milliseconds = 0;
    BOOL m_random = FALSE; // draw a new duration at every run
    static constexpr std::uint32_t m_modulus = 3001;
};

// How often a loop block or a medium repeats.
struct CRepeatSpec {
    std::uint32_t m_repeatCount = 1;
    BOOL m_forever = FALSE;
    std::uint32_t m_counter = 0; // passes so far; not stored
};

// How a medium is played.
struct CMediaPlaySpec : CRepeatSpec {
    BOOL m_wait = FALSE;
    BOOL m_loop = FALSE;
    CPoint m_videoPosition;
};

// A user of a resource. The resource owns the record, not the item it names.
struct CItemRef {
    CSceneItem* m_item = nullptr;
};
