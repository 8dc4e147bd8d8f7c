#include "support/Invariants.h"

::testing::AssertionResult ScoreCoherent(const cPartition &p)
{
    const auto v = ViolationsInvariants(p);
    if (v.empty())
        return ::testing::AssertionSuccess();
    auto r = ::testing::AssertionFailure();
    for (const auto &l : v)
        r << l << "\n";
    return r;
}
