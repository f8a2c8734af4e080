// The small plot of the reverberation times per octave band, Sabine and
// Eyring, drawn on any drawing context (a dialog's picture, a test's canvas).
#pragma once

#include "analysis/RoomAcoustics.h"
#include "ui/DrawContext.h"

namespace tools {

// Sabine in blue with square marks, Eyring in red with crossed rings.
constexpr ui::Colour sabineColour = ui::rgb(0, 0, 200);
constexpr ui::Colour eyringColour = ui::rgb(200, 0, 0);

// Where the plot puts a band and a time, in pixels.
class PlotScale {
public:
    // Times up to the largest one, rounded up to a whole tick.
    PlotScale(int width, int height, const analysis::MaybeBands& sabine, const analysis::MaybeBands& eyring);
    int x(int band) const;
    int y(double seconds) const;
    double top() const { return top_; }  // seconds at the upper edge
    double tick() const { return tick_; }

    int left = 40;
    int right = 0;
    int upper = 18;
    int lower = 0;

private:
    double top_ = 1.0;
    double tick_ = 0.5;
};

// White background, axes with the band labels and time ticks, the two
// curves (broken where a band has no time) and a legend.
void drawReverberationPlot(ui::DrawContext& dc, int width, int height, const analysis::MaybeBands& sabine,
                           const analysis::MaybeBands& eyring);

}  // namespace tools
