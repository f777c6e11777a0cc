#include "measure/measure_units.h"

#include "core/bounded_format.h"

namespace lumeno {
namespace {

struct UnitFormat {
  const wchar_t* length_format;
  double millimetres_per_unit;
  const wchar_t* area_format;
  double square_millimetres_per_unit;
};

constexpr UnitFormat kUnits[kUnitCount] = {
    {L"%.1f mm", 1.0, L"%.1f mm\u00B2", 1.0},
    {L"%.4f m", 1000.0, L"%.4f m\u00B2", 1000000.0},
    {L"%.3f ft", 304.8, L"%.3f ft\u00B2", 92903.04},
    {L"%.2f in", 25.4, L"%.2f in\u00B2", 645.16},
};

const UnitFormat& unit_format(int unit) {
  return kUnits[unit >= 0 && unit < kUnitCount ? unit : kUnitMillimetre];
}

constexpr size_t kBufferChars = 64;

}  // namespace

std::wstring format_measure_value(double length, int unit) {
  const UnitFormat& u = unit_format(unit);
  wchar_t buffer[kBufferChars];
  format_bounded(buffer, kBufferChars, u.length_format,
                 length * kMillimetresPerModelUnit / u.millimetres_per_unit);
  return buffer;
}

std::wstring format_measure_area(double area, int unit) {
  const UnitFormat& u = unit_format(unit);
  wchar_t buffer[kBufferChars];
  format_bounded(buffer, kBufferChars, u.area_format,
                 area * kSquareMillimetresPerSquareModelUnit / u.square_millimetres_per_unit);
  return buffer;
}

}  // namespace lumeno
