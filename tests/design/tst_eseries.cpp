// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The IEC 60063 tables: counts, order, the subset relations, the rounding formula with
// its historic exceptions, and the walk over decades.
#include <algorithm>
#include <cmath>
#include <set>

#include <gtest/gtest.h>

#include "design/eseries.h"
#include "tests/design/param_name.h"

namespace {

using design::Series;

struct SeriesRow {
    Series series;
    std::size_t count;
    int digits;
};

class EachSeries : public testing::TestWithParam<SeriesRow> { };

TEST_P(EachSeries, HasItsCountDigitsAndStrictOrder)
{
    const auto [series, count, digits] = GetParam();
    const auto values = design::SeriesMantissas(series);
    ASSERT_EQ(values.size(), count);
    EXPECT_EQ(design::SeriesDigits(series), digits);
    const int decade = digits == 2 ? 10 : 100;
    EXPECT_EQ(values.front(), decade);
    EXPECT_LT(values.back(), 10 * decade);
    EXPECT_TRUE(std::is_sorted(values.begin(), values.end(), std::less_equal<>()) &&
                std::adjacent_find(values.begin(), values.end()) == values.end());
}

TEST_P(EachSeries, FollowsTheRoundingFormulaExceptForTheHistoricValues)
{
    // E24 keeps 27 30 33 36 39 43 47 82 where 10^(i/24) rounds to 26 29 32 35 38 42 46 83;
    // E192 keeps 920 where 10^(185/192) rounds to 919. Nothing else departs.
    const std::set<int> historic = {27, 30, 33, 36, 39, 43, 47, 82, 920};
    const auto [series, count, digits] = GetParam();
    const auto values = design::SeriesMantissas(series);
    const double decade = digits == 2 ? 10 : 100;
    for (std::size_t i = 0; i < count; ++i) {
        const int formula = static_cast<int>(std::lround(
            decade * std::pow(10.0, static_cast<double>(i) / static_cast<double>(count))));
        if (historic.count(values[i]) != 0)
            EXPECT_NE(values[i], formula) << "index " << i;
        else
            EXPECT_EQ(values[i], formula) << "index " << i;
    }
}

TEST_P(EachSeries, NameReadsBack)
{
    EXPECT_EQ(design::FromId<design::Series>(design::Id(GetParam().series)), GetParam().series);
}

INSTANTIATE_TEST_SUITE_P(
    Iec60063, EachSeries,
    testing::Values(SeriesRow{Series::E3, 3, 2}, SeriesRow{Series::E6, 6, 2},
                    SeriesRow{Series::E12, 12, 2}, SeriesRow{Series::E24, 24, 2},
                    SeriesRow{Series::E48, 48, 3}, SeriesRow{Series::E96, 96, 3},
                    SeriesRow{Series::E192, 192, 3}),
    [](const auto& info) { return std::string(design::Id(info.param.series)); });

// Each series is every second value of the next: E3 of E6 ... E96 of E192 (E24 to E48 is
// not a subset: they have different digits).
TEST(Iec60063, EachSeriesIsEverySecondValueOfTheNext)
{
    const std::pair<Series, Series> pairs[] = {{Series::E3, Series::E6},
                                               {Series::E6, Series::E12},
                                               {Series::E12, Series::E24},
                                               {Series::E48, Series::E96},
                                               {Series::E96, Series::E192}};
    for (const auto& [smaller, larger] : pairs) {
        const auto a = design::SeriesMantissas(smaller);
        const auto b = design::SeriesMantissas(larger);
        ASSERT_EQ(2 * a.size(), b.size());
        for (std::size_t i = 0; i < a.size(); ++i)
            EXPECT_EQ(a[i], b[2 * i]) << design::Id(smaller) << " index " << i;
    }
}

TEST(Iec60063, NineTwentyAndNotNineTwentyOne)
{
    const auto e192 = design::SeriesMantissas(Series::E192);
    EXPECT_NE(std::find(e192.begin(), e192.end(), 920), e192.end());
    for (const Series s : design::All<design::Series>) {
        const auto v = design::SeriesMantissas(s);
        EXPECT_EQ(std::find(v.begin(), v.end(), 921), v.end()) << design::Id(s);
    }
}

TEST(Iec60063, UnknownNamesAreRejected)
{
    for (const char* name : {"", "E5", "e24", "E 24", "E24 ", "E1920", "24"})
        EXPECT_FALSE(design::FromId<design::Series>(name).has_value()) << name;
}

struct NeighbourRow {
    Series series;
    double value;
    std::array<double, 4> expected;
};

class Neighbours : public testing::TestWithParam<NeighbourRow> { };

TEST_P(Neighbours, AreTwoAtOrBelowAndTwoAbove)
{
    const auto& row = GetParam();
    // Exact equality: 68n must come out as the double nearest to 6.8e-8, as typed.
    EXPECT_EQ(design::Neighbours(row.series, row.value), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Iec60063, Neighbours,
    testing::Values(
        NeighbourRow{Series::E24, 67.1656e-9, {56e-9, 62e-9, 68e-9, 75e-9}},
        NeighbourRow{Series::E24, 68e-9, {62e-9, 68e-9, 75e-9, 82e-9}},  // exact: at or below
        NeighbourRow{Series::E24, 9.76397e-9, {8.2e-9, 9.1e-9, 10e-9, 11e-9}},  // over a decade
        NeighbourRow{Series::E12, 1e3, {820, 1000, 1200, 1500}},
        NeighbourRow{Series::E96, 786140, {750e3, 768e3, 787e3, 806e3}},
        NeighbourRow{Series::E3, 0.5, {0.22, 0.47, 1.0, 2.2}}),
    [](const auto& info) { return ParamName(info.index, design::Id(info.param.series)); });

TEST(Iec60063, StandardValuesRepeatEveryDecade)
{
    for (const Series s : design::All<design::Series>) {
        const long n = static_cast<long>(design::SeriesMantissas(s).size());
        for (long i = -3 * n; i < 3 * n; ++i)
            EXPECT_NEAR(design::StandardValue(s, i + n) / design::StandardValue(s, i), 10, 1e-12);
        EXPECT_EQ(design::StandardValue(s, 0), 1.0);
    }
}

TEST(Iec60063, NearestIsNearestInRatio)
{
    // Between 1.0 and 1.2 (E12) the ratio midpoint is sqrt(1.2) = 1.0954.
    EXPECT_EQ(design::StandardValue(Series::E12, design::NearestIndex(Series::E12, 1.095)), 1.0);
    EXPECT_EQ(design::StandardValue(Series::E12, design::NearestIndex(Series::E12, 1.096)), 1.2);
    EXPECT_EQ(design::StandardValue(Series::E24, design::NearestIndex(Series::E24, 33e3)), 33e3);
}

}  // namespace
