#include "scene/Placement.h"

#include "platform/CrtRandom.h"
#include "scene/Archive.h"

CPlacement::CPlacement() : m_seed(static_cast<std::uint32_t>(crt_rand())) {}

void CPlacement::CopyFrom(const CPlacement& other) {
    const std::uint32_t seed = m_seed;
    const std::string label = m_ownerLabel;
    *this = other;
    m_seed = seed;
    m_ownerLabel = label;
}

// Older layouts keep a random and a centred flag for each coordinate; the
// coordinate's mode follows from its own two flags.
bool CPlacement::ReadFlagModes(CArchive& ar, bool withCentred) {
    std::array<BOOL, 4> random{};
    std::array<BOOL, 4> centred{};
    for (auto& flag : random) {
        if (!ar.ReadFlag(flag, "random position flag")) {
            return false;
        }
    }
    if (withCentred) {
        for (auto& flag : centred) {
            if (!ar.ReadFlag(flag, "centred position flag")) {
                return false;
            }
        }
    }
    for (std::size_t i = 0; i < m_mode.size(); ++i) {
        m_mode[i] = centred[i] ? modeCentred : random[i] ? modeRandom : modeStored;
    }
    return true;
}

bool CPlacement::ReadCommon(CArchive& ar) {
    return ar.ReadPoint(m_start, "start point") && ar.ReadPoint(m_end, "end point") &&
           ar.ReadPoint(m_step, "step") && ar.ReadFlag(m_horizontal, "horizontal flag") &&
           ar.ReadU32(m_xEndTest, "x end test") && ar.ReadPoint(m_endBound, "end bound") &&
           ar.ReadFlag(m_bothTests, "both tests flag") && ar.ReadU32(m_yEndTest, "y end test") &&
           ar.ReadFlag(m_freeMotion, "free motion flag") &&
           ar.ReadU32(m_motionSpeed, "motion speed") &&
           ar.ReadU32(m_typewriterDelay, "typewriter delay") &&
           ar.ReadFlag(m_typewriter, "typewriter flag");
}

bool CPlacement::ReadBackdropFlags(CArchive& ar) {
    return ar.ReadFlag(m_restoreFromBackdrop, "restore from backdrop flag") &&
           ar.ReadFlag(m_keepBackground, "keep background flag");
}

// The layouts grew with the format. Each condition is tested on its own, so a
// version inside two ranges reads both layouts one after the other. The
// version is compared in single precision, which is why a block of version
// 3.2 meets none of the conditions and keeps the defaults.
bool CPlacement::Read(CArchive& ar) {
    const float v = ar.m_version;
    m_effect = 0;
    m_effectSpeed = 100;
    m_restoreFromBackdrop = FALSE;
    m_keepBackground = FALSE;
    if (v == 1.0F) {
        if (!ReadFlagModes(ar, false) || !ReadCommon(ar)) {
            return false;
        }
    }
    if (1.1F < v && v < 2.1F) {
        if (!ReadFlagModes(ar, true) || !ReadCommon(ar) || !ReadBackdropFlags(ar)) {
            return false;
        }
    }
    if (2.0F < v && v < 3.0F) {
        if (!ReadFlagModes(ar, true) || !ReadCommon(ar) || !ReadBackdropFlags(ar) ||
            !ar.ReadU32(m_effect, "effect")) {
            return false;
        }
    }
    if (2.9F < v && v < 3.2F) {
        if (!ReadFlagModes(ar, true) || !ReadCommon(ar) || !ReadBackdropFlags(ar) ||
            !ar.ReadU32(m_effect, "effect") || !ar.ReadU32(m_effectSpeed, "effect speed")) {
            return false;
        }
    }
    if (v > 3.2F) {
        for (auto& mode : m_mode) {
            if (!ar.ReadU32(mode, "position mode")) {
                return false;
            }
        }
        if (!ReadCommon(ar) || !ReadBackdropFlags(ar) || !ar.ReadU32(m_effect, "effect") ||
            !ar.ReadU32(m_effectSpeed, "effect speed")) {
            return false;
        }
    }
    return true;
}
