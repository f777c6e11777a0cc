// Lengths and areas as text in the display unit: 0 millimetres, 1 metres, 2 feet, 3 inches.
// Values come in model units (inches) and square model units.
#pragma once

#include <string>

namespace lumeno {

constexpr int kUnitMillimetre = 0;
constexpr int kUnitMetre = 1;
constexpr int kUnitFoot = 2;
constexpr int kUnitInch = 3;
constexpr int kUnitCount = 4;

constexpr double kMillimetresPerModelUnit = 25.4;
constexpr double kSquareMillimetresPerSquareModelUnit = 645.16;

// "1000.0 mm", "1.0000 m", "3.281 ft", "39.37 in". A unit outside 0-3 is shown in millimetres.
std::wstring format_measure_value(double length, int unit);
// "1000000.0 mm²", "1.0000 m²", "10.764 ft²", "1550.00 in²".
std::wstring format_measure_area(double area, int unit);

}  // namespace lumeno
