// Drawing the measurements into a pane whose camera, GL viewport and scissor box are loaded:
// orange chains with their points, translucent blue filled outlines, and labels in the display
// unit. Drawn over the model (depth test off), with the lighting off.
#pragma once

#include "measure/measurement.h"

class GlyphSource;

namespace lumeno {

// Line, point and fill colours and sizes.
constexpr float kMeasureLineColour[3] = {1.0f, 0.3f, 0.0f};
constexpr float kMeasurePointColour[3] = {1.0f, 0.5f, 0.0f};
constexpr float kMeasureLabelColour[3] = {1.0f, 1.0f, 0.2f};
constexpr float kMeasureTotalColour[3] = {0.2f, 1.0f, 0.2f};
constexpr float kMeasureFillColour[4] = {0.0f, 0.6f, 1.0f, 0.3f};
constexpr float kMeasureOutlineColour[3] = {0.0f, 0.6f, 1.0f};
constexpr float kMeasureAreaLabelColour[3] = {0.2f, 0.9f, 1.0f};
constexpr float kMeasureLineWidth = 2.5f;
constexpr float kMeasurePointSize = 6.0f;
constexpr float kTotalLabelRise = 2.0f;  // model units above the last point

// Every finished measurement, then the one being clicked; nothing while they are hidden.
void render_measurements(const Measurement& measurement, GlyphSource* glyphs);
// A chain of at least two points with its segment labels and, from three points on, its total.
void render_measure_line(const MeasureResult& result, int unit, GlyphSource* glyphs);
// A closed outline of at least three points: fill, outline, area and side labels.
void render_measure_area(const MeasureResult& result, int unit, GlyphSource* glyphs);

}  // namespace lumeno
