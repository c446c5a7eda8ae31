#include "platform/VirtualKeys.h"

#include <Qt>

#include <array>
#include <utility>

namespace {
// Qt key, virtual key. Letters, digits and function keys follow below as
// ranges.
constexpr std::array<std::pair<int, int>, 38> kKeys = {{
    {Qt::Key_Backspace, 8},  {Qt::Key_Tab, 9},    {Qt::Key_Backtab, 9},   {Qt::Key_Clear, 12},
    {Qt::Key_Return, 13},    {Qt::Key_Enter, 13}, {Qt::Key_Shift, 16},    {Qt::Key_Control, 17},
    {Qt::Key_Alt, 18},       {Qt::Key_AltGr, 18}, {Qt::Key_Pause, 19},    {Qt::Key_CapsLock, 20},
    {Qt::Key_Escape, 27},    {Qt::Key_Space, 32}, {Qt::Key_PageUp, 33},   {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35},       {Qt::Key_Home, 36},  {Qt::Key_Left, 37},     {Qt::Key_Up, 38},
    {Qt::Key_Right, 39},     {Qt::Key_Down, 40},  {Qt::Key_Select, 41},   {Qt::Key_Printer, 42},
    {Qt::Key_Execute, 43},   {Qt::Key_Print, 44}, {Qt::Key_Insert, 45},   {Qt::Key_Delete, 46},
    {Qt::Key_Help, 47},      {Qt::Key_Meta, 91},  {Qt::Key_Super_L, 91},  {Qt::Key_Super_R, 92},
    {Qt::Key_Menu, 93},      {Qt::Key_Sleep, 95}, {Qt::Key_NumLock, 144}, {Qt::Key_ScrollLock, 145},
    {Qt::Key_Asterisk, 106}, {Qt::Key_Plus, 107},
}};
} // namespace

int VirtualKeyFromQtKey(int qtKey) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
        return 'A' + (qtKey - Qt::Key_A);
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return '0' + (qtKey - Qt::Key_0);
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return 112 + (qtKey - Qt::Key_F1);
    }
    for (const auto& [qt, virtualKey] : kKeys) {
        if (qt == qtKey) {
            return virtualKey;
        }
    }
    return 0;
}
