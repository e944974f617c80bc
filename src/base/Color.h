#pragma once

#include <QColor>

#include <cstdint>

namespace pvstim {

// A colour as the program stores and compares it: 0x00BBGGRR for an ordinary colour,
// 0xFF0000nn for the desktop's colour of system role nn (negative as an integer).
using TColor = std::int32_t;

constexpr TColor rgbColor(int r, int g, int b) { return TColor(r | (g << 8) | (b << 16)); }
constexpr TColor systemColor(int index) { return TColor(0xFF000000u | unsigned(index)); }
constexpr bool isSystemColor(TColor c) { return (std::uint32_t(c) & 0xFF000000u) == 0xFF000000u; }

constexpr TColor clBlack = 0x00000000;
constexpr TColor clMaroon = 0x00000080;
constexpr TColor clGreen = 0x00008000;
constexpr TColor clOlive = 0x00008080;
constexpr TColor clNavy = 0x00800000;
constexpr TColor clPurple = 0x00800080;
constexpr TColor clTeal = 0x00808000;
constexpr TColor clGray = 0x00808080;
constexpr TColor clSilver = 0x00C0C0C0;
constexpr TColor clRed = 0x000000FF;
constexpr TColor clLime = 0x0000FF00;
constexpr TColor clYellow = 0x0000FFFF;
constexpr TColor clBlue = 0x00FF0000;
constexpr TColor clFuchsia = 0x00FF00FF;
constexpr TColor clAqua = 0x00FFFF00;
constexpr TColor clWhite = 0x00FFFFFF;
constexpr TColor clMoneyGreen = 0x00C0DCC0;

constexpr TColor clScrollBar = systemColor(0);
constexpr TColor clBackground = systemColor(1);
constexpr TColor clActiveCaption = systemColor(2);
constexpr TColor clInactiveCaption = systemColor(3);
constexpr TColor clMenu = systemColor(4);
constexpr TColor clWindow = systemColor(5);
constexpr TColor clWindowFrame = systemColor(6);
constexpr TColor clMenuText = systemColor(7);
constexpr TColor clWindowText = systemColor(8);
constexpr TColor clCaptionText = systemColor(9);
constexpr TColor clActiveBorder = systemColor(10);
constexpr TColor clInactiveBorder = systemColor(11);
constexpr TColor clAppWorkSpace = systemColor(12);
constexpr TColor clHighlight = systemColor(13);
constexpr TColor clHighlightText = systemColor(14);
constexpr TColor clBtnFace = systemColor(15);
constexpr TColor clBtnShadow = systemColor(16);
constexpr TColor clGrayText = systemColor(17);
constexpr TColor clBtnText = systemColor(18);
constexpr TColor clInactiveCaptionText = systemColor(19);
constexpr TColor clBtnHighlight = systemColor(20);
constexpr TColor cl3DDkShadow = systemColor(21);
constexpr TColor cl3DLight = systemColor(22);
constexpr TColor clInfoText = systemColor(23);
constexpr TColor clInfoBk = systemColor(24);
constexpr TColor clHotLight = systemColor(26);
constexpr TColor clGradientActiveCaption = systemColor(27);
constexpr TColor clGradientInactiveCaption = systemColor(28);
constexpr TColor clMenuHighlight = systemColor(29);
constexpr TColor clMenuBar = systemColor(30);

// The colour to draw: ordinary colours as they are, system colours from the
// desktop palette's role that matches the index (fixed classic values where the
// palette has no such role).
QColor toQColor(TColor color);
// An opaque QColor as an ordinary colour value.
TColor fromQColor(const QColor& color);

}  // namespace pvstim
