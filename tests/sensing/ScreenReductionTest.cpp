// SPDX-License-Identifier: MIT
#include "sensing/ScreenReduction.h"

#include "sensing/HistogramReducer.h"
#include "sensing/LuminanceReducer.h"

#include "TestImage.h"

#include <gtest/gtest.h>

using namespace lumvex;
using lumvex::test::TestImage;

// The single pass must not change a single bit of what the separate reductions give, for the sizes
// it derives from one thumbnail and for those it cannot.
TEST(ScreenReduction, EqualsTheSeparateReductions)
{
    TestImage wide(1011, 419);
    wide.randomise(1);
    TestImage tiny(3, 2, PixelOrder::RGBA);
    tiny.randomise(2);
    ImageView unreadable = wide.view();
    unreadable.width = 0;

    struct Sizes
    {
        int mean, cells, signature;
    };
    for (const ImageView &view : {wide.view(), tiny.view(), unreadable}) {
        for (const Sizes s : {Sizes{64, 4, 64}, Sizes{64, 1, 64}, Sizes{10, 3, 64}, Sizes{64, 4, 16}, Sizes{0, 4, 64},
                              Sizes{64, 0, 64}, Sizes{64, 4, 0}, Sizes{64, 80, 64}}) {
            SCOPED_TRACE(testing::Message()
                         << view.width << "x" << view.height << " " << s.mean << "/" << s.cells << "/" << s.signature);
            const auto &reducer = LuminanceReducer::shared();
            const ScreenReduction reduction = reduceScreen(view, s.mean, s.cells, s.signature);
            EXPECT_EQ(reduction.meanLuminance, reducer.averageLuminance(view, s.mean));
            EXPECT_EQ(reduction.grid, reducer.luminanceGrid(view, s.cells));
            EXPECT_EQ(reduction.signature, HistogramReducer::signature(view, s.signature));
        }
    }
}
