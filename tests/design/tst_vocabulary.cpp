// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The words of a design: every value of every kind has its own id and a title, and reads
// back from its id alone.
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "design/filter.h"
#include "design/vocabulary.h"

namespace {

template <class Kind>
class Vocabulary : public testing::Test {
};

using Kinds = testing::Types<design::Circuit, design::ResponseKind, design::Coefficients,
                             design::Series, design::Objective, design::Distribution>;
TYPED_TEST_SUITE(Vocabulary, Kinds);

TYPED_TEST(Vocabulary, EveryValueReadsBackFromItsOwnId)
{
    std::set<std::string_view> ids;
    for (const TypeParam value : design::All<TypeParam>) {
        EXPECT_FALSE(design::Title(value).empty()) << design::Id(value);
        EXPECT_FALSE(design::Typeset(value).empty()) << design::Id(value);
        EXPECT_EQ(design::FromId<TypeParam>(design::Id(value)), value) << design::Id(value);
        EXPECT_TRUE(ids.insert(design::Id(value)).second) << "twice: " << design::Id(value);
        // An id is one command-line word: no space, no upper case but the series' E.
        for (const char c : design::Id(value))
            EXPECT_TRUE(c != ' ' && !(c >= 'A' && c <= 'Z' && c != 'E')) << design::Id(value);
    }
    EXPECT_GE(ids.size(), 2u);
}

TYPED_TEST(Vocabulary, NothingElseReads)
{
    for (const TypeParam value : design::All<TypeParam>) {
        const std::string id(design::Id(value));
        for (const std::string& other : {id + " ", " " + id, id.substr(1), id + "x"})
            EXPECT_FALSE(design::FromId<TypeParam>(other).has_value()) << other;
    }
    EXPECT_FALSE(design::FromId<TypeParam>("").has_value());
}

// The kinds' values in the order of their enums, so that a kind's list is the whole enum.
static_assert(design::All<design::Series>.size() == 7);
static_assert(design::All<design::Series>.back() == design::Series::E192);
static_assert(design::All<design::ResponseKind>.back() == design::ResponseKind::Chebyshev1);

TEST(ResponseTargets, EachResponseHasItsOwnTargetWithTheMinus3DbPointAtOne)
{
    std::set<double> firstCoefficients;
    for (const design::ResponseKind response : design::All<design::ResponseKind>) {
        const design::Target& target = design::TargetOf(response);
        firstCoefficients.insert(target.a[0]);
        // |1 + a1 jw + a2 (jw)^2 + a3 (jw)^3|^2 = 2 at w = 1.
        const double re = 1 - target.a[1], im = target.a[0] - target.a[2];
        EXPECT_NEAR(re * re + im * im, 2, 1e-12) << design::Id(response);
    }
    EXPECT_EQ(firstCoefficients.size(), design::All<design::ResponseKind>.size());
}

}  // namespace
