#include "core/ViewZoom.h"

#include "core/ScreenModel.h"

#include <algorithm>

namespace tw {

bool ViewZoom::zoomIn()
{
    if (step_ + 1 >= Steps.size())
        return false;
    ++step_;
    return true;
}

bool ViewZoom::zoomOut()
{
    if (step_ == 0)
        return false;
    --step_;
    return true;
}

bool ViewZoom::reset()
{
    const bool changed = step_ != 0;
    step_ = 0;
    return changed;
}

bool ViewZoom::isStep(int percent)
{
    return std::find(Steps.begin(), Steps.end(), percent) != Steps.end();
}

void ViewZoom::setPercent(int percent)
{
    const auto it = std::find(Steps.begin(), Steps.end(), percent);
    step_ = it == Steps.end() ? 0 : std::size_t(it - Steps.begin());
}

int ViewZoom::columnCountForWidth(int pixels, CellSize cell)
{
    return std::min(std::max(pixels, 0) / cell.width, ScreenLine::Width);
}

int ViewZoom::rowCountForHeight(int pixels, CellSize cell)
{
    return std::max(pixels, 0) / cell.height;
}

namespace {
int floorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
} // namespace

CellPoint ViewZoom::cellAt(int x, int y, CellSize cell)
{
    return CellPoint{floorDiv(x, cell.width) + 1, floorDiv(y, cell.height) + 1};
}

} // namespace tw
