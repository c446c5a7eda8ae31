#include "scene/ColorSpec.h"

#include "platform/CrtRandom.h"
#include "scene/Archive.h"

CColorSpec::CColorSpec() : m_seed(static_cast<std::uint32_t>(crt_rand())) {}

void CColorSpec::CopyFrom(const CColorSpec& other) {
    m_color = other.m_color;
    m_rasterOperation = other.m_rasterOperation;
    m_random = other.m_random;
    m_useScreenColor = other.m_useScreenColor;
}

bool CColorSpec::Read(CArchive& ar) {
    return ar.ReadColor(m_color, "colour") && ar.ReadU32(m_rasterOperation, "raster operation") &&
           ar.ReadFlag(m_random, "random colour flag") &&
           ar.ReadFlag(m_useScreenColor, "screen colour flag");
}
