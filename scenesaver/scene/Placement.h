#pragma once

#include "scene/SceneValues.h"

#include <array>
#include <cstdint>
#include <string>

class CArchive;

// How one coordinate of a placement is found before each run.
enum PlacementMode : std::uint32_t {
    modeZero = 0,
    modeCentred = 1,
    modeRightAligned = 2,
    modeRandom = 3,
    modeRandomOnScreen = 4,
    modeStored = 5,
};

// Comparison of a free motion's end test.
enum EndTest : std::uint32_t {
    endGreater = 0,
    endLess = 1,
    endEqual = 2,
    endNotEqual = 3,
};

// Where a picture or line goes, how it moves there and which display mode or
// transition shows it.
class CPlacement {
public:
    CPlacement();

    CPoint m_start;
    CPoint m_end;
    CPoint m_endBound;
    CPoint m_step{1, 1};
    CPoint m_current; // the position during a motion; not stored
    // x1, y1, x2, y2
    std::array<std::uint32_t, 4> m_mode{modeStored, modeStored, modeStored, modeStored};
    std::uint32_t m_xEndTest = endGreater;
    std::uint32_t m_yEndTest = endGreater;
    BOOL m_bothTests = FALSE;
    BOOL m_freeMotion = FALSE;
    std::uint32_t m_motionSpeed = 100000;
    std::uint32_t m_typewriterDelay = 2000;
    BOOL m_horizontal = TRUE; // recomputed before each run
    BOOL m_typewriter = FALSE;
    BOOL m_restoreFromBackdrop = FALSE;
    BOOL m_keepBackground = FALSE;
    std::uint32_t m_effect = 0; // 0 normal, 1 tile, 2 stretch, 3 random, 4-76 transitions
    std::uint32_t m_effectSpeed = 100;
    std::uint32_t m_seed = 0; // advanced by 100 at every run; not stored
    std::string m_ownerLabel; // the owning item's label; not stored

    void CopyFrom(const CPlacement& other);
    // Reads every stored layout the archive's version calls for.
    bool Read(CArchive& ar);

private:
    bool ReadFlagModes(CArchive& ar, bool withCentred);
    bool ReadCommon(CArchive& ar);
    bool ReadBackdropFlags(CArchive& ar);
};
