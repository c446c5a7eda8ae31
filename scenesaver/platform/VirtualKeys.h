#pragma once

// Windows virtual-key codes for the keys the saver window tells apart, and
// the translation of Qt's key codes into them.
inline constexpr int VK_RETURN = 13;
inline constexpr int VK_MENU = 18; // Alt
inline constexpr int VK_ESCAPE = 27;
inline constexpr int VK_SPACE = 32;
inline constexpr int VK_F4 = 115;
inline constexpr int VK_F10 = 121;
inline constexpr int VK_F12 = 123;

// The virtual key of a Qt key code (Qt::Key); 0 for keys without one.
int VirtualKeyFromQtKey(int qtKey);
