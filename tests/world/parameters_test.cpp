#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <string>

#include "parameters.h"
#include "world_test_support.h"

struct Conversion {
  const char* text;
  int32_t expected;
};

void expectConversions(int32_t (*parse)(const char*), std::initializer_list<Conversion> cases) {
  for (const Conversion& c : cases) {
    EXPECT_EQ(parse(c.text), c.expected) << "text \"" << c.text << "\"";
  }
}

TEST(ParseRate, ProductIsRoundedToDoubleThenTruncated) {
  expectConversions(parseRate, {
                                   {"0.5", 5000},
                                   {"0.2", 2000},
                                   {"0.1", 1000},
                                   {"0.57", 5699},  // 5699.999... stays below 5700
                                   {"0.3", 3000},   // 2999.9999999999995... rounds up to 3000.0
                                   {"0.29", 2900},  // likewise 2899.99... to 2900.0
                                   {"0.0001", 1},
                                   {"0.00019", 1},
                                   {"2", 20000},
                                   {"-1", -10000},
                                   {"-0.57", -5699},  // truncation toward zero, not down
                                   {"-0.00001", 0},
                                   {"12.9", 129000},
                               });
}

TEST(ParseRate, ReadsOnlyPlainDecimalPrefix) {
  expectConversions(parseRate, {
                                   {"", 0},
                                   {"abc", 0},
                                   {".", 0},
                                   {"-", 0},
                                   {"0x5", 0},
                                   {"0X1p3", 0},
                                   {"inf", 0},
                                   {"-inf", 0},
                                   {"INFINITY", 0},
                                   {"nan", 0},
                                   {"NAN(1)", 0},
                                   {"0.5abc", 5000},
                                   {"0.5.5", 5000},
                                   {".5", 5000},
                                   {"5.", 50000},
                                   {"1,5", 10000},
                                   {"0.5 0.7", 5000},
                               });
}

TEST(ParseRate, Exponents) {
  expectConversions(parseRate, {
                                   {"1e-4", 1},
                                   {"5E-1", 5000},
                                   {"2.5e-1", 2500},
                                   {"1e2", 1000000},
                                   {"1e+2", 1000000},
                                   {"0.57e0", 5699},
                                   {"57e-2", 5699},
                                   {"5e", 50000},  // an exponent without digits is not read
                                   {"5e+", 50000},
                                   {"5e-x", 50000},
                                   {".5e1", 50000},
                                   {"1e-400", 0},
                                   {"-1e-400", 0},
                                   {"0.000e999", 0},
                               });
}

TEST(ParseRate, WhiteSpaceAndSign) {
  expectConversions(parseRate, {
                                   {" 0.5", 5000},
                                   {"\t\n\v\f\r 0.5", 5000},
                                   {"+0.5", 5000},
                                   {"-0.5", -5000},
                                   {"  -0.2", -2000},
                                   {"- 0.5", 0},
                                   {"+-0.5", 0},
                                   {"--1", 0},
                               });
}

TEST(ParseRate, SaturatesBeyond32Bits) {
  expectConversions(parseRate, {
                                   {"214748.3647", INT32_MAX},
                                   {"214748.3648", INT32_MAX},
                                   {"-214748.3648", INT32_MIN},
                                   {"-214748.3649", INT32_MIN},
                                   {"1e5", 1000000000},
                                   {"1e6", INT32_MAX},
                                   {"-1e6", INT32_MIN},
                                   {"1e308", INT32_MAX},
                                   {"1e400", INT32_MAX},
                                   {"-1e400", INT32_MIN},
                                   {"99999999999999999999999999999999", INT32_MAX},
                               });
}

TEST(ParseRate, DecimalPointDoesNotFollowTheLocale) {
  const char* commaLocales[] = {"de_DE.UTF-8",         "de_DE.utf8", "fr_FR.UTF-8",
                                "German_Germany.1252", "German",     "deu"};
  std::string previous = std::setlocale(LC_ALL, nullptr);
  const char* chosen = nullptr;
  for (const char* name : commaLocales) {
    if (std::setlocale(LC_ALL, name) != nullptr) {
      chosen = name;
      break;
    }
  }
  if (chosen == nullptr) {
    GTEST_SKIP() << "no locale with a decimal comma is installed";
  }
  int32_t point = parseRate("0.57");
  int32_t comma = parseRate("0,57");
  std::setlocale(LC_ALL, previous.c_str());
  EXPECT_EQ(point, 5699) << chosen;
  EXPECT_EQ(comma, 0) << chosen;
}

TEST(ParseCount, ReadsLikeTheStandardIntegerConversion) {
  expectConversions(parseCount, {
                                    {"2000", 2000},
                                    {"12.9", 12},
                                    {"", 0},
                                    {"abc", 0},
                                    {"0x5", 0},
                                    {"1e3", 1},
                                    {"007", 7},
                                    {"+7", 7},
                                    {"-42x", -42},
                                    {" \t\n\v\f\r5", 5},
                                    {"- 5", 0},
                                    {"2147483647", INT32_MAX},
                                    {"-2147483648", INT32_MIN},
                                });
}

TEST(ParseCount, SaturatesBeyond32Bits) {
  expectConversions(parseCount, {
                                    {"2147483648", INT32_MAX},
                                    {"-2147483649", INT32_MIN},
                                    {"4294967297", INT32_MAX},
                                    {"99999999999999999999999999", INT32_MAX},
                                    {"-99999999999999999999999999", INT32_MIN},
                                });
}

TEST(StoreParameterTexts, DefaultsFillEveryField) {
  auto w = makeEmptyWorld();
  storeParameterTexts(*w, kDefaultParameterTexts);
  for (int k = 0; k < kSpeciesCount; ++k) {
    EXPECT_EQ(w->species[k].population, 2000);
    EXPECT_EQ(w->species[k].startLife, 5000);
    EXPECT_EQ(w->species[k].birthChance, 2000);
    EXPECT_EQ(w->disturbance[k], 1000);
    EXPECT_EQ(countAlive(w->species[k]), 0) << "storing does not seed";
  }
}

TEST(StoreParameterTexts, FieldsGoWhereTheDialogSays) {
  // Whole rates, so that every product is exact.
  const char* texts[kParameterFieldCount] = {"1", "2",  "3",  "4",  "5",  "6",  "7",  "8",
                                             "9", "10", "11", "12", "13", "14", "15", "16"};
  auto w = makeEmptyWorld();
  storeParameterTexts(*w, texts);
  for (int k = 0; k < kSpeciesCount; ++k) {
    EXPECT_EQ(w->species[k].population, 3 * k + 1) << "species " << k;
    EXPECT_EQ(w->species[k].startLife, (3 * k + 2) * kRateScale) << "species " << k;
    EXPECT_EQ(w->species[k].birthChance, (3 * k + 3) * kRateScale) << "species " << k;
    EXPECT_EQ(w->disturbance[k], (13 + k) * kRateScale) << "disturbance " << k;
  }
}

TEST(StoreParameterTexts, PopulationsAreLimitedToTheSlots) {
  const char* texts[kParameterFieldCount] = {"50000",       "0.5", "0.2", "50001", "0.5", "0.2",
                                             "99999999999", "0.5", "0.2", "-5",    "0.5", "0.2",
                                             "0.1",         "0.1", "0.1", "0.1"};
  auto w = makeEmptyWorld();
  storeParameterTexts(*w, texts);
  EXPECT_EQ(w->species[0].population, 50000);
  EXPECT_EQ(w->species[1].population, 50000);
  EXPECT_EQ(w->species[2].population, 50000);
  EXPECT_EQ(w->species[3].population, -5);
}
