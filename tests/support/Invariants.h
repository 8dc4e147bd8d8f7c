// The model's invariant checker as a gtest assertion.
#pragma once

#include <gtest/gtest.h>

#include "model/uCoherence.h"

// For EXPECT_TRUE(ScoreCoherent(p)).
::testing::AssertionResult ScoreCoherent(const cPartition &p);
