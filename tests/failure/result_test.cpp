// The Result contract: a value or the first Failure, TRY stopping a chain of steps at that failure.
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "failure/result.h"

using failure::Failure, failure::Result;

namespace {

// Step n of a chain: records that it ran, then fails when it is the failing one, else makes its value.
template <typename T, typename Make> Result<T> step(int n, int failing, std::vector<int>& ran, Make make)
{
    ran.push_back(n);
    if (n == failing)
        return Failure{failure::What::ReadFailed, "step" + std::to_string(n), {}, {n}};
    return make();
}

// Steps of a value, of nothing, of a value that can only be moved.
Result<int> chain(int failing, std::vector<int>& ran)
{
    const int first = TRY(step<int>(1, failing, ran, [] { return 10; }));
    TRY(step<void>(2, failing, ran, [] { return Result<void>(); }));
    const auto third = TRY(step<std::unique_ptr<int>>(3, failing, ran, [] { return std::make_unique<int>(30); }));
    return first + *third;
}

} // namespace

TEST(Result, TryStopsAtTheFirstFailureAndHandsItOnUnchanged)
{
    const std::vector<std::vector<int>> ranWhenFailing = {{1, 2, 3}, {1}, {1, 2}, {1, 2, 3}}; // at 0: none fails
    for (int failing = 0; failing <= 3; ++failing) {
        std::vector<int> ran;
        const Result<int> result = chain(failing, ran);
        EXPECT_EQ(ran, ranWhenFailing[failing]) << failing;
        ASSERT_EQ(bool(result), failing == 0) << failing;
        if (result) {
            EXPECT_EQ(*result, 40);
            continue;
        }
        const Failure& error = result.error();
        EXPECT_EQ(error.file, "step" + std::to_string(failing));
        EXPECT_EQ(error.figure(0), failing);
        EXPECT_EQ(error.figure(1), 0) << "a figure the failure does not carry reads 0";
    }
}
