#include "platform/QtPlatform.h"

#include <gtest/gtest.h>

#include <set>

using namespace pvstim;

namespace {

struct RangeCase {
    int low;
    int highExclusive;
};

class QtPlatformRandom : public ::testing::TestWithParam<RangeCase> { };

// The high end is excluded: a draw of it would index one past a list of files.
TEST_P(QtPlatformRandom, DrawsEveryValueOfTheRangeAndNeverItsHighEnd)
{
    QtPlatform platform;
    const RangeCase c = GetParam();
    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) {
        const int v = platform.randomInRange(c.low, c.highExclusive);
        ASSERT_GE(v, c.low);
        ASSERT_LT(v, c.highExclusive);
        seen.insert(v);
    }
    EXPECT_EQ(int(seen.size()), c.highExclusive - c.low);
}

INSTANTIATE_TEST_SUITE_P(Table, QtPlatformRandom,
    ::testing::Values(RangeCase { 0, 1 }, RangeCase { 5, 6 }, RangeCase { 0, 2 }, RangeCase { 0, 3 }, RangeCase { -2, 1 }));

}  // namespace
