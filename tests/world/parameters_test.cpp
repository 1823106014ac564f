#include <gtest/gtest.h>

#include <memory>

#include "parameters.h"
#include "random_source.h"

TEST(ParseRate, DefaultsAndDoubleRounding) {
  EXPECT_EQ(parseRate("0.5"), 5000);
  EXPECT_EQ(parseRate("0.2"), 2000);
  EXPECT_EQ(parseRate("0.1"), 1000);
  EXPECT_EQ(parseRate("0.57"), 5699);
  EXPECT_EQ(parseRate("0.3"), 3000);
  EXPECT_EQ(parseRate("0.29"), 2900);
}

TEST(RandomSource, FirstDrawsFromStateOne) {
  setRandomState(1);
  EXPECT_EQ(randomNext(), 41);
  EXPECT_EQ(randomNext(), 18467);
  EXPECT_EQ(randomNext(), 6334);
  EXPECT_EQ(randomNext(), 26500);
  EXPECT_EQ(randomNext(), 19169);
}
