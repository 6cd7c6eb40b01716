// SPDX-License-Identifier: MIT
#include "sensing/LuminanceReducer.h"

#include "sensing/Luminance.h"

namespace lumvex {

LuminanceReducer &LuminanceReducer::shared()
{
    static LuminanceReducer instance;
    return instance;
}

double LuminanceReducer::averageLuminance(const ImageView &image, int size) const
{
    if (size < 1) {
        return kNeutralLuminance;
    }
    const auto whole = AreaThumbnail::squeeze(image, 1);
    return whole ? meanOf(*whole) : kNeutralLuminance;
}

std::vector<double> LuminanceReducer::luminanceGrid(const ImageView &image, int cells) const
{
    if (cells < 1 || cells > AreaThumbnail::kMaxSide) {
        return {};
    }
    const auto thumbnail = AreaThumbnail::squeeze(image, cells);
    if (!thumbnail) {
        return std::vector<double>(static_cast<std::size_t>(cells) * static_cast<std::size_t>(cells),
                                   kNeutralLuminance);
    }
    return gridOf(*thumbnail);
}

double LuminanceReducer::meanOf(const AreaThumbnail &thumbnail)
{
    const auto pixel = thumbnail.reducedTo(1)->pixels().front();
    return luminanceOf(pixel.r, pixel.g, pixel.b);
}

std::vector<double> LuminanceReducer::gridOf(const AreaThumbnail &thumbnail)
{
    std::vector<double> grid;
    grid.reserve(static_cast<std::size_t>(thumbnail.side()) * static_cast<std::size_t>(thumbnail.side()));
    for (const auto &pixel : thumbnail.pixels()) {
        grid.push_back(luminanceOf(pixel.r, pixel.g, pixel.b));
    }
    return grid;
}

} // namespace lumvex
