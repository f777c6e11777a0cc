#include "measure/gl/measure_draw.h"

#include "measure/measure_geometry.h"
#include "measure/measure_units.h"
#include "render/gl/gl_api.h"
#include "render/gl/overlays.h"

namespace lumeno {
namespace {

void label(const MeasurePoint& at, const std::wstring& text, const float colour[3],
           GlyphSource* glyphs) {
  render_text_at_3d(at.x, at.y, at.z, text, colour[0], colour[1], colour[2], glyphs);
}

MeasurePoint midpoint(const MeasurePoint& a, const MeasurePoint& b) {
  return {(a.x + b.x) * 0.5f, (a.y + b.y) * 0.5f, (a.z + b.z) * 0.5f};
}

void vertex(const MeasurePoint& p) { glVertex3f(p.x, p.y, p.z); }

}  // namespace

void render_measurements(const Measurement& m, GlyphSource* glyphs) {
  if (!m.show_measurements) return;
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  for (const MeasureResult& result : m.measurements) {
    if (result.area > 0.0)
      render_measure_area(result, m.measure_unit, glyphs);
    else
      render_measure_line(result, m.measure_unit, glyphs);
  }
  if (m.measure_mode != MeasureMode::None && !m.current_measure.points.empty())
    render_measure_line(m.current_measure, m.measure_unit, glyphs);
  glEnable(GL_DEPTH_TEST);
}

void render_measure_line(const MeasureResult& r, int unit, GlyphSource* glyphs) {
  const size_t n = r.points.size();
  if (n < 2) return;
  glColor3fv(kMeasureLineColour);
  glLineWidth(kMeasureLineWidth);
  glBegin(GL_LINE_STRIP);
  for (const MeasurePoint& p : r.points) vertex(p);
  if (r.closed && n > 2) vertex(r.points.front());
  glEnd();

  glPointSize(kMeasurePointSize);
  glColor3fv(kMeasurePointColour);
  glBegin(GL_POINTS);
  for (const MeasurePoint& p : r.points) vertex(p);
  glEnd();
  glLineWidth(1.0f);

  for (size_t i = 0; i < r.segment_lengths.size() && i + 1 < n; ++i)
    label(midpoint(r.points[i], r.points[i + 1]), format_measure_value(r.segment_lengths[i], unit),
          kMeasureLabelColour, glyphs);
  if (n >= 3 && r.total_length > 0.0) {
    MeasurePoint top = r.points.back();
    top.z += kTotalLabelRise;
    label(top, L"总:" + format_measure_value(r.total_length, unit), kMeasureTotalColour, glyphs);
  }
}

void render_measure_area(const MeasureResult& r, int unit, GlyphSource* glyphs) {
  const size_t n = r.points.size();
  if (n < 3) return;
  // The outline cut into triangles in its own plane, so a concave notch stays empty.
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4fv(kMeasureFillColour);
  glBegin(GL_TRIANGLES);
  for (uint32_t index : outline_fill_triangles(r.points)) vertex(r.points[index]);
  glEnd();
  glDisable(GL_BLEND);

  glColor3fv(kMeasureOutlineColour);
  glLineWidth(kMeasureLineWidth);
  glBegin(GL_LINE_LOOP);
  for (const MeasurePoint& p : r.points) vertex(p);
  glEnd();
  glLineWidth(1.0f);

  if (r.area > 0.0) {
    MeasurePoint centroid;
    for (const MeasurePoint& p : r.points) {
      centroid.x += p.x;
      centroid.y += p.y;
      centroid.z += p.z;
    }
    const float count = static_cast<float>(n);
    centroid = {centroid.x / count, centroid.y / count, centroid.z / count};
    label(centroid, format_measure_area(r.area, unit), kMeasureAreaLabelColour, glyphs);
  }
  for (size_t i = 0; i < r.segment_lengths.size() && i < n; ++i)
    label(midpoint(r.points[i], r.points[(i + 1) % n]),
          format_measure_value(r.segment_lengths[i], unit), kMeasureLabelColour, glyphs);
}

}  // namespace lumeno
