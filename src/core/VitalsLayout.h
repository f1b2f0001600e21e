#pragma once
// How the vitals gauges at the bottom of the main window look: each gauge's colour, how much
// of its bar is filled, what it says on the bar and to a screen reader, and where the gauges
// stand in their row.
#include "net/GameData.h"
#include "net/Palette.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tw {

struct GaugeLook {
    std::string label;   // the gauge's name: "HP"
    std::string text;    // on the bar: "34/40", or "34" when the maximum is not known
    std::string spoken;  // "HP 34 of 40", or "HP 34"
    ColorRef colour = 0; // of the filled part
    double fraction = 0; // filled, 0 to 1; 0 without a maximum
    bool operator==(const GaugeLook&) const = default;
};

GaugeLook gaugeLook(const VitalGauge& gauge);

// The unfilled part of every bar, and the text drawn over it.
inline constexpr ColorRef GaugeTrackColour = rgb(52, 52, 52);
inline constexpr ColorRef GaugeTextColour = rgb(255, 255, 255);

// The filled pixels of a bar `width` wide. A bar that is neither empty nor full never looks
// so: it keeps at least one pixel filled and one unfilled.
int filledWidth(double fraction, int width);

// Where a gauge stands in its row, in pixels from the row's left.
struct GaugePlace {
    int x = 0;
    int width = 0;
    bool operator==(const GaugePlace&) const = default;
};

// The gauges share a row `width` pixels wide equally, each between MinGaugeWidth and
// MaxGaugeWidth wide, GaugeGap apart, from the left; those that do not fit are left out. A row
// narrower than one gauge holds the first alone.
inline constexpr int MinGaugeWidth = 90;
inline constexpr int MaxGaugeWidth = 200;
inline constexpr int GaugeGap = 8;
std::vector<GaugePlace> gaugePlaces(std::size_t count, int width);

} // namespace tw
