#include <gtest/gtest.h>

#include "extensive/SectorSearch.h"

TEST(SectorMatchers, Placeholder)
{
    unsigned char s[512] = {};
    EXPECT_EQ(0, IsFatBootCandidate(s));
}
