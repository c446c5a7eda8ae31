#include "platform/DeviceContext.h"
#include "scene/Transition.h"
#include "scene/TransitionFamilies.h"

#include <array>

namespace {

template <void (*Family)(CTransition&, Heading), Heading heading>
void With(CTransition& t) {
    Family(t, heading);
}

template <void (*Family)(CTransition&, bool), bool rows>
void Along(CTransition& t) {
    Family(t, rows);
}

template <void (*Family)(CTransition&, bool, bool), bool columns, bool fromFarEdge>
void InStrips(CTransition& t) {
    Family(t, columns, fromFarEdge);
}

template <void (*Family)(CTransition&, bool, bool), bool fromRight, bool topFirst>
void Stairs(CTransition& t) {
    Family(t, fromRight, topFirst);
}

template <void (*Family)(CTransition&, Corner), Corner corner>
void AtCorner(CTransition& t) {
    Family(t, corner);
}

template <int cell>
void DissolveIn(CTransition& t) {
    Dissolve(t, cell);
}

using EffectTable = std::array<TransitionEffect, LAST_EFFECT + 1>;

EffectTable MakeTable() {
    EffectTable table{};
    table[4] = Along<Fade, true>;
    table[5] = DissolveIn<4>;
    table[6] = DissolveIn<8>;
    table[7] = FramesInward;
    table[8] = FramesOutward;
    table[9] = CornersInward;
    table[10] = CornersOutward;
    table[11] = Along<Blinds, true>;
    table[12] = Along<Blinds, false>;
    table[13] = Along<RandomLines, true>;
    table[14] = Along<RandomLines, false>;
    table[15] = Along<InterlacedSlide, true>;
    table[16] = Along<InterlacedSlide, false>;
    table[17] = InStrips<Checkerboard, true, false>;
    table[18] = InStrips<Checkerboard, false, false>;
    table[19] = InStrips<Checkerboard, true, true>;
    table[20] = InStrips<Checkerboard, false, true>;
    table[21] = With<SlideIn, Heading::Down>;
    table[22] = With<SlideIn, Heading::Up>;
    table[23] = With<SlideIn, Heading::Left>;
    table[24] = With<SlideIn, Heading::Right>;
    table[25] = AtCorner<DiagonalSlide, Corner::TopRight>;
    table[26] = AtCorner<DiagonalSlide, Corner::BottomRight>;
    table[27] = AtCorner<DiagonalSlide, Corner::TopLeft>;
    table[28] = AtCorner<DiagonalSlide, Corner::BottomLeft>;
    table[29] = With<Uncover, Heading::Down>;
    table[30] = With<Uncover, Heading::Up>;
    table[31] = With<Uncover, Heading::Left>;
    table[32] = With<Uncover, Heading::Right>;
    table[33] = AtCorner<DiagonalUncover, Corner::BottomLeft>;
    table[34] = AtCorner<DiagonalUncover, Corner::TopLeft>;
    table[35] = AtCorner<DiagonalUncover, Corner::BottomRight>;
    table[36] = AtCorner<DiagonalUncover, Corner::TopRight>;
    table[37] = With<Wipe, Heading::Down>;
    table[38] = With<Wipe, Heading::Up>;
    table[39] = With<Wipe, Heading::Left>;
    table[40] = With<Wipe, Heading::Right>;
    table[41] = With<PushIn, Heading::Down>;
    table[42] = With<PushIn, Heading::Up>;
    table[43] = With<PushIn, Heading::Left>;
    table[44] = With<PushIn, Heading::Right>;
    table[45] = AtCorner<DiagonalPush, Corner::TopRight>;
    table[46] = AtCorner<DiagonalPush, Corner::BottomRight>;
    table[47] = AtCorner<DiagonalPush, Corner::TopLeft>;
    table[48] = AtCorner<DiagonalPush, Corner::BottomLeft>;
    table[49] = Along<CloseIn, true>;
    table[50] = Along<OpenOut, true>;
    table[51] = Along<CloseIn, false>;
    table[52] = Along<OpenOut, false>;
    table[53] = Along<HalvesMeet, true>;
    table[54] = Along<Split, true>;
    table[55] = Along<HalvesMeet, false>;
    table[56] = Along<Split, false>;
    table[57] = Stairs<Staircase, true, true>;
    table[58] = Stairs<Staircase, true, false>;
    table[59] = Stairs<Staircase, false, true>;
    table[60] = Stairs<Staircase, false, false>;
    table[61] = Along<Triangles, true>;
    table[62] = Along<DiagonalBand, true>;
    table[63] = Along<Triangles, false>;
    table[64] = Along<DiagonalBand, false>;
    table[65] = Along<Fade, false>;
    table[66] = ColourMorph;
    table[67] = InStrips<AlternatingStrips, true, false>;
    table[68] = InStrips<AlternatingStrips, false, false>;
    table[69] = InStrips<AlternatingStrips, true, true>;
    table[70] = InStrips<AlternatingStrips, false, true>;
    table[71] = InStrips<AlternatingPushes, true, false>;
    table[72] = InStrips<AlternatingPushes, false, false>;
    table[73] = InStrips<AlternatingPushes, true, true>;
    table[74] = InStrips<AlternatingPushes, false, true>;
    table[75] = Along<Spiral, true>;
    table[76] = Along<Spiral, false>;
    return table;
}

const EffectTable effects = MakeTable();

} // namespace

TransitionEffect EffectFor(std::uint32_t id) {
    return id < effects.size() ? effects[id] : nullptr;
}
