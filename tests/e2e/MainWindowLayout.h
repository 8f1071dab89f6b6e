#pragma once
// Where the main window's parts lie, in client coordinates of the window (controls inside a
// group box are offset by the box's position: Low-Pass at (24, 32), Hi-Pass at (440, 32)).

#include "tests/e2e/ClientRect.h"

namespace layout {

constexpr int ClientWidth = 746;
constexpr int ClientHeight = 493;

constexpr ClientRect Title{144, 8, 397, 20};          // Label1
constexpr ClientRect LowPassBox{24, 32, 273, 433};    // GroupBox1
constexpr ClientRect HighPassBox{440, 32, 281, 433};  // GroupBox2
constexpr ClientRect LowPassPicture{40, 48, 244, 149};  // Image1
constexpr ClientRect HighPassPicture{456, 48, 244, 150}; // Image2
constexpr ClientRect FrequencyField{360, 48, 57, 21}; // Edit1
constexpr ClientRect QField{360, 304, 57, 21};        // Edit2
constexpr ClientRect GoButton{304, 344, 129, 57};     // Button2
constexpr ClientRect ExitButton{304, 416, 129, 49};   // Button1
constexpr ClientRect LowPassChart{24, 288, 265, 169}; // Chart2, red curve
constexpr ClientRect HighPassChart{448, 288, 257, 169}; // Chart3, blue curve
constexpr ClientRect RangeBanner{24, 464, 697, 24};   // Label19
constexpr ClientRect C1Value{80, 248, 41, 16};        // Label7

} // namespace layout
