// The Result contract: a value or the first Failure, TRY stopping a chain of steps at that failure.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "failure/result.h"

using failure::Failure;
using failure::Result;
using failure::What;

namespace {

Failure failureOf(int step)
{
    return Failure{What::ReadFailed, "step" + std::to_string(step), "detail", {step}};
}

Result<int> number(int step, int failing, std::vector<int>& ran)
{
    ran.push_back(step);
    if (step == failing)
        return failureOf(step);
    return step * 10;
}

Result<void> check(int step, int failing, std::vector<int>& ran)
{
    ran.push_back(step);
    if (step == failing)
        return failureOf(step);
    return {};
}

Result<std::unique_ptr<int>> owned(int step, int failing, std::vector<int>& ran)
{
    ran.push_back(step);
    if (step == failing)
        return failureOf(step);
    return std::make_unique<int>(step * 10);
}

// A value, nothing, a value only moved: each step runs only when the ones before it succeeded.
Result<int> chain(int failing, std::vector<int>& ran)
{
    const int first = TRY(number(1, failing, ran));
    TRY(check(2, failing, ran));
    const std::unique_ptr<int> third = TRY(owned(3, failing, ran));
    return first + *third;
}

struct ChainCase
{
    int failing; ///< the step that fails; 0: none
    std::vector<int> ran;
};

} // namespace

TEST(Result, TryStopsAtTheFirstFailureAndHandsItOnUnchanged)
{
    const ChainCase cases[] = {{0, {1, 2, 3}}, {1, {1}}, {2, {1, 2}}, {3, {1, 2, 3}}};
    for (const ChainCase& c : cases) {
        std::vector<int> ran;
        const Result<int> result = chain(c.failing, ran);
        EXPECT_EQ(ran, c.ran) << c.failing;
        ASSERT_EQ(result.has_value(), c.failing == 0) << c.failing;
        EXPECT_EQ(bool(result), result.has_value());
        if (result) {
            EXPECT_EQ(*result, 40);
            continue;
        }
        const Failure& error = result.error();
        EXPECT_EQ(error.what, What::ReadFailed);
        EXPECT_EQ(error.file, "step" + std::to_string(c.failing));
        EXPECT_EQ(error.detail, "detail");
        EXPECT_EQ(error.figure(0), c.failing);
        EXPECT_EQ(error.figure(1), 0) << "a figure the failure does not carry reads 0";
    }
}

TEST(Result, AFailureRenamedKeepsAllButItsFile)
{
    const Failure renamed = failureOf(7).onFile("Goroda/About/maps.txt");
    EXPECT_EQ(renamed.file, "Goroda/About/maps.txt");
    EXPECT_EQ(renamed.what, What::ReadFailed);
    EXPECT_EQ(renamed.detail, "detail");
    EXPECT_EQ(renamed.figures, std::vector<std::int64_t>{7});
    EXPECT_TRUE(Result<void>().has_value());
    EXPECT_FALSE(Result<void>(renamed).has_value());
}
