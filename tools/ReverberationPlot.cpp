// Plot of the reverberation times.
#include "tools/ReverberationPlot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tools {

namespace {

const char* const shortBands[materials::bandCount] = {"31", "63", "125", "250", "500", "1k", "2k", "4k", "8k", "16k"};

double largest(const analysis::MaybeBands& a, const analysis::MaybeBands& b)
{
    double top = 0.0;
    for (int i = 0; i < materials::bandCount; ++i) {
        top = std::max({top, a[i].value_or(0.0), b[i].value_or(0.0)});
    }
    return top;
}

void curve(ui::DrawContext& dc, const PlotScale& scale, const analysis::MaybeBands& t, ui::Colour colour, bool round)
{
    dc.setPen(ui::penSolid, colour);
    dc.setBrush(-1, colour);
    for (int b = 0; b < materials::bandCount; ++b) {
        if (!t[b]) {
            continue;
        }
        int x = scale.x(b);
        int y = scale.y(*t[b]);
        if (b + 1 < materials::bandCount && t[b + 1]) {
            dc.moveTo(x, y);
            dc.lineTo(scale.x(b + 1), scale.y(*t[b + 1]));
        }
        if (round) {
            // A ring with a cross in it: circles are outlines only.
            dc.circle(x, y, 3);
            dc.moveTo(x - 2, y);
            dc.lineTo(x + 3, y);
            dc.moveTo(x, y - 2);
            dc.lineTo(x, y + 3);
        } else {
            dc.rectangle(x - 3, y - 3, x + 4, y + 4);
        }
    }
}

}  // namespace

PlotScale::PlotScale(int width, int height, const analysis::MaybeBands& sabine, const analysis::MaybeBands& eyring)
    : right(width - 12), lower(height - 34)
{
    double most = largest(sabine, eyring);
    // Ticks of 1, 2 or 5 times a power of ten, four or five of them.
    double raw = most > 0.0 ? most / 4.0 : 0.25;
    double power = std::pow(10.0, std::floor(std::log10(raw)));
    double unit = raw / power;
    tick_ = (unit <= 1.0 ? 1.0 : unit <= 2.0 ? 2.0 : unit <= 5.0 ? 5.0 : 10.0) * power;
    top_ = std::max(tick_, std::ceil(most / tick_ - 1e-9) * tick_);
}

int PlotScale::x(int band) const
{
    return left + (right - left) * band / (materials::bandCount - 1);
}

int PlotScale::y(double seconds) const
{
    double f = std::clamp(seconds / top_, 0.0, 1.0);
    return lower - static_cast<int>(std::lround(f * (lower - upper)));
}

void drawReverberationPlot(ui::DrawContext& dc, int width, int height, const analysis::MaybeBands& sabine,
                           const analysis::MaybeBands& eyring)
{
    PlotScale scale(width, height, sabine, eyring);
    dc.setPen(ui::penSolid, ui::rgb(255, 255, 255));
    dc.setBrush(-1, ui::rgb(255, 255, 255));
    dc.rectangle(0, 0, width, height);

    // Grid lines at the ticks, then the axes over them.
    dc.setPen(ui::penSolid, ui::rgb(220, 220, 220));
    char label[32];
    for (double t = 0.0; t <= scale.top() + 1e-9; t += scale.tick()) {
        int y = scale.y(t);
        dc.moveTo(scale.left, y);
        dc.lineTo(scale.right, y);
    }
    dc.setPen(ui::penSolid, ui::black);
    dc.moveTo(scale.left, scale.upper);
    dc.lineTo(scale.left, scale.lower);
    dc.lineTo(scale.right, scale.lower);
    for (double t = 0.0; t <= scale.top() + 1e-9; t += scale.tick()) {
        int y = scale.y(t);
        dc.moveTo(scale.left - 4, y);
        dc.lineTo(scale.left, y);
        std::snprintf(label, sizeof label, "%g", std::round(t * 1000.0) / 1000.0);
        dc.text(scale.left - 20, y - 7, label);
    }
    for (int b = 0; b < materials::bandCount; ++b) {
        int x = scale.x(b);
        dc.moveTo(x, scale.lower);
        dc.lineTo(x, scale.lower + 4);
        dc.text(x, scale.lower + 6, shortBands[b]);
    }
    dc.text(scale.left + 24, 1, "T (s)");
    dc.text((scale.left + scale.right) / 2, height - 14, "Hz");

    curve(dc, scale, sabine, sabineColour, false);
    curve(dc, scale, eyring, eyringColour, true);

    // Legend in the upper right corner.
    int lx = scale.right - 70;
    dc.setPen(ui::penSolid, sabineColour);
    dc.moveTo(lx, scale.upper + 6);
    dc.lineTo(lx + 16, scale.upper + 6);
    dc.setPen(ui::penSolid, eyringColour);
    dc.moveTo(lx, scale.upper + 22);
    dc.lineTo(lx + 16, scale.upper + 22);
    dc.text(lx + 44, scale.upper - 1, "Sabine");
    dc.text(lx + 44, scale.upper + 15, "Eyring");
}

}  // namespace tools
