// Structural checks of a score that every test can run after an operation.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

class cPartition;

// Every broken invariant, as a readable line; empty when the score is sound.
std::vector<std::string> ViolationsInvariants(const cPartition &p);

// For EXPECT_TRUE(ScoreCoherent(p)).
::testing::AssertionResult ScoreCoherent(const cPartition &p);
