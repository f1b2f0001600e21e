#include "core/VitalsLayout.h"

#include <algorithm>
#include <cmath>

namespace tw {

namespace {

ColorRef colourFor(const std::string& name)
{
    if (name == "HP")
        return rgb(190, 32, 32);
    if (name == "MP")
        return rgb(40, 84, 200);
    if (name == "MV")
        return rgb(34, 136, 52);
    return rgb(120, 120, 128);
}

} // namespace

GaugeLook gaugeLook(const VitalGauge& gauge)
{
    GaugeLook look;
    look.label = gauge.name;
    look.colour = colourFor(gauge.name);
    const std::string value = std::to_string(gauge.value);
    if (gauge.maximum > 0) {
        look.text = value + "/" + std::to_string(gauge.maximum);
        look.spoken = gauge.name + " " + value + " of " + std::to_string(gauge.maximum);
        look.fraction = std::clamp(double(gauge.value) / double(gauge.maximum), 0.0, 1.0);
    } else {
        look.text = value;
        look.spoken = gauge.name + " " + value;
    }
    return look;
}

int filledWidth(double fraction, int width)
{
    if (width <= 0 || !(fraction > 0))
        return 0;
    if (fraction >= 1)
        return width;
    const int filled = int(std::lround(fraction * width));
    return width < 2 ? filled : std::clamp(filled, 1, width - 1);
}

std::vector<GaugePlace> gaugePlaces(std::size_t count, int width)
{
    std::vector<GaugePlace> places;
    if (count == 0 || width <= 0)
        return places;
    const auto n = static_cast<long long>(count);
    const long long share = (width - GaugeGap * (n - 1)) / n;
    const int each = int(std::clamp<long long>(share, MinGaugeWidth, MaxGaugeWidth));
    if (each > width) {
        places.push_back({0, width});
        return places;
    }
    for (int x = 0; places.size() < count && x + each <= width; x += each + GaugeGap)
        places.push_back({x, each});
    return places;
}

} // namespace tw
