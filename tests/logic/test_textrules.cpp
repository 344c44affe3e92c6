// Text rules: whole and real numbers as typed, the separator swap, the locale separator choice
// and the text of a results-grid cell.
#include "logic/textrules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iomanip>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using tintavis::ChooseDecimalSeparator;
using tintavis::FormatFixed;
using tintavis::ParseDecimal;
using tintavis::ParseWhole;
using tintavis::DecimalParse;
using tintavis::SwapSeparator;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// ---------------------------------------------------------------------------------------------
// ChooseDecimalSeparator

TEST(ChooseDecimalSeparator, TakesTheCommaOnlyWhenTheLocaleSeparatorIsExactlyAComma) {
  struct Case {
    std::string_view locale;
    char expected;
  };
  const Case cases[] = {
      {",", ','},
      {".", '.'},
      {"", '.'},
      {"'", '.'},
      {"\xD9\xAB", '.'},  // Arabic decimal separator U+066B in UTF-8
      {", ", '.'},
      {",,", '.'},
      {" ,", '.'},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.locale));
    EXPECT_EQ(ChooseDecimalSeparator(c.locale), c.expected);
  }
}

// ---------------------------------------------------------------------------------------------
// Trim and FoldCase

TEST(Trim, DropsBlanksAndControlCharactersAtBothEndsOnly) {
  EXPECT_EQ(tintavis::Trim(" \t\r\x0b 0.5 1\r\n"), "0.5 1");
  EXPECT_EQ(tintavis::Trim(" \t "), "");
  EXPECT_EQ(tintavis::Trim("\xC3\xA9"), "\xC3\xA9");  // bytes above 127 are no blanks
}

TEST(FoldCase, MakesAsciiAndLatinOneCapitalsSmall) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"RED, ROSÉ", "red, rosé"},    {"TINTO, ROSADO", "tinto, rosado"}, {"ÀÉÍÓÚÑÜ", "àéíóúñü"},
      {"×", "×"},                    {"already small", "already small"}, {"ŒŸ★", "ŒŸ★"},
      {"\xC3", "\xC3"},              // a sequence cut short stays as it is
  };
  for (const auto& [text, folded] : cases) EXPECT_EQ(tintavis::FoldCase(text), folded) << text;
}

// ---------------------------------------------------------------------------------------------
// ParseWhole

struct WholeCase {
  std::string_view text;
  std::optional<std::int32_t> expected;
};

void ExpectWholeCases(const std::vector<WholeCase>& cases) {
  for (const WholeCase& c : cases) {
    SCOPED_TRACE("text \"" + std::string(c.text) + "\"");
    EXPECT_EQ(ParseWhole(c.text), c.expected);
  }
}

TEST(ParseWhole, ReadsDecimalNumbersWithLeadingBlanksAndASign) {
  ExpectWholeCases({
      {"2", 2},
      {" 2", 2},
      {"     42", 42},
      {"+7", 7},
      {"-7", -7},
      {" -15", -15},
      {"0", 0},
      {"-0", 0},
      {"+0", 0},
      {"10", 10},
      {"000000000000000000000000000012", 12},
      {"-00000000000000000000000000000001", -1},
  });
}

TEST(ParseWhole, RefusesFractionsTrailingBlanksLettersAndMissingDigits) {
  ExpectWholeCases({
      {"2.5", std::nullopt},
      {"2,5", std::nullopt},
      {"2 ", std::nullopt},
      {" 2 ", std::nullopt},
      {"abc", std::nullopt},
      {"2a", std::nullopt},
      {"", std::nullopt},
      {" ", std::nullopt},
      {"+", std::nullopt},
      {"-", std::nullopt},
      {"--2", std::nullopt},
      {"+-2", std::nullopt},
      {"- 2", std::nullopt},
      {"12 34", std::nullopt},
      {"\t2", std::nullopt},
      {"2\n", std::nullopt},
      {"1e3", std::nullopt},
      {"\xEF\xBC\x92", std::nullopt},  // fullwidth digit two
  });
}

TEST(ParseWhole, ReadsHexadecimalFormsIntroducedByDollarXOrZeroX) {
  ExpectWholeCases({
      {"$1F", 31},
      {"$1f", 31},
      {"x1f", 31},
      {"X10", 16},
      {"0x10", 16},
      {"0xaBc", 0xABC},
      {"-$1F", -31},
      {"+$1F", 31},
      {"-0x10", -16},
      {" $ff", 255},
      {"$0", 0},
      {"$000000000000000000000000FF", 255},
      {"0", 0},
  });
}

TEST(ParseWhole, RefusesHexadecimalFormsWithoutDigitsOrWithStrayCharacters) {
  ExpectWholeCases({
      {"0x", std::nullopt},
      {"$", std::nullopt},
      {"x", std::nullopt},
      {"-$", std::nullopt},
      {"$G", std::nullopt},
      {"$ 1", std::nullopt},
      {"$1 ", std::nullopt},
      {"$-1", std::nullopt},
      {"0x0x1", std::nullopt},
      {"00x1", std::nullopt},
      {"1F", std::nullopt},
      {"$$1", std::nullopt},
  });
}

TEST(ParseWhole, AcceptsExactlyTheSigned32BitRange) {
  ExpectWholeCases({
      {"2147483647", 2147483647},
      {"+2147483647", 2147483647},
      {"-2147483648", std::numeric_limits<std::int32_t>::min()},
      {"-0000000000000000000002147483648", std::numeric_limits<std::int32_t>::min()},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"4294967296", std::nullopt},
      {"99999999999999999999999999999999999999", std::nullopt},
      {"-99999999999999999999999999999999999999", std::nullopt},
      {"18446744073709551617", std::nullopt},  // 2^64 + 1 would wrap to 1 in 64 bits
  });
}

TEST(ParseWhole, AppliesTheSigned32BitRangeToHexadecimalMagnitudes) {
  ExpectWholeCases({
      {"$7FFFFFFF", 2147483647},
      {"0x7fffffff", 2147483647},
      {"-$80000000", std::numeric_limits<std::int32_t>::min()},
      {"$80000000", std::nullopt},
      {"-$80000001", std::nullopt},
      {"$FFFFFFFF", std::nullopt},
      {"$100000000", std::nullopt},
      {"$10000000000000001", std::nullopt},  // 2^64 + 1
  });
}

TEST(ParseWhole, RefusesHugeDigitStringsWithoutOverflowing) {
  const std::string nines(10000, '9');
  EXPECT_EQ(ParseWhole(nines), std::nullopt);
  EXPECT_EQ(ParseWhole("-" + nines), std::nullopt);
  EXPECT_EQ(ParseWhole("$" + std::string(10000, 'F')), std::nullopt);
  EXPECT_EQ(ParseWhole(std::string(10000, '0') + "5"), 5);
}

// ---------------------------------------------------------------------------------------------
// ParseDecimal

// Readable names in failure messages.
std::string StatusName(DecimalParse::Status status) {
  switch (status) {
    case DecimalParse::Status::Ok:
      return "Ok";
    case DecimalParse::Status::NotANumber:
      return "NotANumber";
    case DecimalParse::Status::Overflow:
      return "Overflow";
  }
  return "unknown";
}

struct RealCase {
  std::string_view text;
  char separator;
  double expected;
};

void ExpectReadAs(const std::vector<RealCase>& cases) {
  for (const RealCase& c : cases) {
    SCOPED_TRACE("text \"" + std::string(c.text) + "\" with separator '" + c.separator + "'");
    const DecimalParse r = ParseDecimal(c.text, c.separator);
    ASSERT_EQ(StatusName(r.status), "Ok");
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.value, c.expected);
  }
}

void ExpectStatus(const std::vector<std::string_view>& texts, char separator,
                  DecimalParse::Status expected) {
  for (std::string_view text : texts) {
    SCOPED_TRACE("text \"" + std::string(text) + "\" with separator '" + separator + "'");
    const DecimalParse r = ParseDecimal(text, separator);
    EXPECT_EQ(StatusName(r.status), StatusName(expected));
    EXPECT_FALSE(r.ok());
  }
}

TEST(ParseDecimal, ReadsPlainDecimalNumbersWithTheGivenSeparator) {
  ExpectReadAs({
      {"0.25", '.', 0.25},
      {"0,25", ',', 0.25},
      {"1", '.', 1.0},
      {"1,5", ',', 1.5},
      {"+1.5", '.', 1.5},
      {"-1.5", '.', -1.5},
      {"-1,5", ',', -1.5},
      {".5", '.', 0.5},
      {",5", ',', 0.5},
      {"5.", '.', 5.0},
      {"007.50", '.', 7.5},
      {"0.1", '.', 0.1},
      {"0.000", '.', 0.0},
      {"120.50", '.', 120.5},
      {"1200", '.', 1200.0},
      {"0.00120", '.', 0.0012},
      {"3.2128143", '.', 3.2128143},
      {"123456789012345678901234567890", '.', 123456789012345678901234567890.0},
  });
}

TEST(ParseDecimal, ReadsTheSeparatorAloneAsZero) {
  ExpectReadAs({
      {".", '.', 0.0},
      {",", ',', 0.0},
      {"+.", '.', 0.0},
      {" . ", '.', 0.0},
  });
  const DecimalParse negativeZero = ParseDecimal("-.", '.');
  ASSERT_TRUE(negativeZero.ok());
  EXPECT_EQ(negativeZero.value, 0.0);
}

TEST(ParseDecimal, ReadsExponentForms) {
  ExpectReadAs({
      {"1e3", '.', 1000.0},
      {"1E3", '.', 1000.0},
      {"1e+2", '.', 100.0},
      {"1.5e-3", '.', 0.0015},
      {"1,5E2", ',', 150.0},
      {"-2.5E+1", '.', -25.0},
      {"1.e1", '.', 10.0},
      {".5e1", '.', 5.0},
      {".e5", '.', 0.0},
      {"2e0", '.', 2.0},
      {"2e-0", '.', 2.0},
      {"1e0000000000000000000000000003", '.', 1000.0},
      {"0.000000001e10", '.', 10.0},
      {"1000e-311", '.', 1e-308},
  });
}

TEST(ParseDecimal, SkipsLeadingAndTrailingBlanks) {
  ExpectReadAs({
      {" 0.5", '.', 0.5},
      {"0.5 ", '.', 0.5},
      {"   -2.5E+1   ", '.', -25.0},
      {"  3,25  ", ',', 3.25},
  });
}

TEST(ParseDecimal, RefusesTextsThatAreNotNumbers) {
  ExpectStatus({"", " ", "+", "-", "e5", "E", "1e", "1e+", "1e-", "1.2.3", "1..2", "1 5",
                 "- 1", "abc", "inf", "nan", "INF", "0x10", "1e5.5", "1e 5", "1e5e5", "1.5f",
                 "++1", "+-1", "\t1", "1\t", "1\n", "1_000", "1'000", "$10", "1e+-5"},
               '.', DecimalParse::Status::NotANumber);
  ExpectStatus({"", "1,2,3", "1 , 5", ",,", "abc", "1e,5"}, ',',
               DecimalParse::Status::NotANumber);
}

TEST(ParseDecimal, RefusesTheOtherSeparator) {
  ExpectStatus({"1,5", "0,25", ",", "1,000.5", "1.000,5"}, '.', DecimalParse::Status::NotANumber);
  ExpectStatus({"1.5", "0.25", ".", "1,2.3", "1.000,5"}, ',', DecimalParse::Status::NotANumber);
}

TEST(ParseDecimal, ReportsOverflowForValuesTooLargeForADouble) {
  const std::string hugeInteger = "1" + std::string(400, '0');
  ExpectStatus({"1e309", "-1e309", "1.8e308", "1e99999999999999999999",
                "-1e99999999999999999999", "0.000000001e318", hugeInteger,
                "10e999999999999999999999999999999999999999999999999"},
               '.', DecimalParse::Status::Overflow);
  ExpectStatus({"1,8e308"}, ',', DecimalParse::Status::Overflow);
}

TEST(ParseDecimal, ReadsValuesTooSmallForADoubleAsZero) {
  ExpectReadAs({
      {"1e-400", '.', 0.0},
      {"-1e-400", '.', 0.0},
      {"100000e-330", '.', 0.0},
      {"1e-99999999999999999999", '.', 0.0},
      {"-1e-99999999999999999999", '.', 0.0},
      {"0e99999999999", '.', 0.0},
      {"0e99999999999999999999999999", '.', 0.0},
      {"0.000e-99999999999999999999999", '.', 0.0},
  });
}

TEST(ParseDecimal, KeepsTheLargestDoubleAndSubnormals) {
  ExpectReadAs({
      {"1.7976931348623157e308", '.', std::numeric_limits<double>::max()},
      {"1e-310", '.', 1e-310},
      {"4.9406564584124654e-324", '.', std::numeric_limits<double>::denorm_min()},
  });
}

TEST(ParseDecimal, HandlesVeryLongMantissas) {
  // 1 + 2^-53 lies exactly halfway between 1 and the next double; the tie goes to 1.
  const std::string halfway = "1.00000000000000011102230246251565404236316680908203125";
  const double nextAfterOne = std::nextafter(1.0, 2.0);
  ExpectReadAs({{halfway, '.', 1.0}});
  // A nonzero digit far behind the halfway point, beyond any digit that could be cut, tips it.
  ExpectReadAs({{halfway + std::string(900, '0') + "1", '.', nextAfterOne}});
  ExpectReadAs({{halfway + std::string(900, '0'), '.', 1.0}});

  const std::string thirds = "0." + std::string(1000, '3');
  ExpectReadAs({{thirds, '.', 1.0 / 3.0}});
  ExpectReadAs({{std::string(1000, '0') + "1.5", '.', 1.5}});
  ExpectReadAs({{"0." + std::string(1000, '0') + "15e1000", '.', 0.15}});
  ExpectReadAs({{"15" + std::string(1000, '0') + "e-1001", '.', 1.5}});
}

TEST(ParseDecimal, ReadsBackEveryShortestRoundTripTextExactly) {
  std::mt19937_64 random(20240611);
  std::uniform_int_distribution<std::uint64_t> bits;
  for (int i = 0; i < 20000; ++i) {
    double value = 0;
    const std::uint64_t pattern = bits(random);
    std::memcpy(&value, &pattern, sizeof value);
    if (!std::isfinite(value)) continue;
    char text[64];
    std::snprintf(text, sizeof text, "%.17g", value);
    std::string dotted(text);
    SCOPED_TRACE(dotted);
    const DecimalParse withDot = ParseDecimal(dotted, '.');
    ASSERT_TRUE(withDot.ok());
    EXPECT_EQ(withDot.value, value);
    const DecimalParse withComma = ParseDecimal(SwapSeparator(dotted, ','), ',');
    ASSERT_TRUE(withComma.ok());
    EXPECT_EQ(withComma.value, value);
  }
}

TEST(ParseDecimal, DoesNotDependOnTheCLocale) {
  const char* const commaLocales[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "es_ES.UTF-8",
                                      "de_DE", "fr_FR", "es_ES"};
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  const char* chosen = nullptr;
  for (const char* name : commaLocales) {
    if (std::setlocale(LC_ALL, name) != nullptr) {
      chosen = name;
      break;
    }
  }
  if (chosen == nullptr) GTEST_SKIP() << "no locale with a decimal comma is installed";
  const DecimalParse dot = ParseDecimal("1.5", '.');
  const DecimalParse comma = ParseDecimal("1,5", ',');
  const DecimalParse commaWithDot = ParseDecimal("1,5", '.');
  const std::string formatted = FormatFixed(3.2128143, 5, 3, '.');
  std::setlocale(LC_ALL, previous.c_str());
  SCOPED_TRACE(chosen);
  ASSERT_TRUE(dot.ok());
  EXPECT_EQ(dot.value, 1.5);
  ASSERT_TRUE(comma.ok());
  EXPECT_EQ(comma.value, 1.5);
  EXPECT_FALSE(commaWithDot.ok());
  EXPECT_EQ(formatted, "3.213");
}

// ---------------------------------------------------------------------------------------------
// SwapSeparator

TEST(SwapSeparator, TurnsOnlyTheFirstOtherSeparatorIntoTheGivenOne) {
  struct Case {
    std::string_view text;
    char separator;
    std::string_view expected;
  };
  const Case cases[] = {
      {"0.25", ',', "0,25"},  {"1.2.3", ',', "1,2.3"}, {"1,5", ',', "1,5"},
      {"0,25", '.', "0.25"},  {"1,2,3", '.', "1.2,3"}, {"1.5", '.', "1.5"},
      {"1,2.3", '.', "1.2.3"}, {"1.2,3", ',', "1,2,3"}, {"", '.', ""},
      {"", ',', ""},          {"abc", ',', "abc"},     {".", ',', ","},
      {" 0.5 ", ',', " 0,5 "}, {"1,5", '\'', "1,5"},   {"1.5", '\'', "1.5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("text \"" + std::string(c.text) + "\" with separator '" + c.separator + "'");
    EXPECT_EQ(SwapSeparator(c.text, c.separator), c.expected);
  }
}

TEST(SwapSeparator, LetsBothSeparatorsBeTypedForAbsorbancesInEitherLocale) {
  struct Case {
    std::string_view text;
    char locale;
    double expected;
  };
  const Case read[] = {
      {"0.25", ',', 0.25}, {"1,5", ',', 1.5}, {"0,25", '.', 0.25},
      {"0.5", '.', 0.5},   {"0,5", ',', 0.5}, {"0.5", ',', 0.5},
  };
  for (const Case& c : read) {
    SCOPED_TRACE("text \"" + std::string(c.text) + "\" in locale '" + c.locale + "'");
    const DecimalParse r = ParseDecimal(SwapSeparator(c.text, c.locale), c.locale);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.value, c.expected);
  }
  const std::string swapped = SwapSeparator("1.2.3", ',');
  EXPECT_EQ(swapped, "1,2.3");
  EXPECT_EQ(StatusName(ParseDecimal(swapped, ',').status), "NotANumber");
}

// ---------------------------------------------------------------------------------------------
// FormatFixed

struct FormatCase {
  double value;
  int precision;
  int decimals;
  char separator;
  std::string_view expected;
};

void ExpectFormats(const std::vector<FormatCase>& cases) {
  for (const FormatCase& c : cases) {
    char label[128];
    std::snprintf(label, sizeof label, "value %.17g with (%d, %d) and '%c'", c.value, c.precision,
                  c.decimals, c.separator);
    SCOPED_TRACE(label);
    EXPECT_EQ(FormatFixed(c.value, c.precision, c.decimals, c.separator), c.expected);
  }
}

TEST(FormatFixed, WritesTheWorkedExamples) {
  ExpectFormats({
      {3.2128143, 5, 3, '.', "3.213"},
      {11.978, 3, 1, '.', "12.0"},
      {123.4567, 5, 3, '.', "123.460"},
      {359.996, 4, 2, '.', "360.00"},
      {12.3456, 4, 3, '.', "12.350"},
      {99.95, 3, 1, '.', "100.0"},
      {-0.004, 4, 2, '.', "0.00"},
      {-0.006, 4, 2, '.', "-0.01"},
      {999.96, 3, 1, '.', "1E3"},
      {1234.5, 3, 1, '.', "1.23E3"},
  });
}

TEST(FormatFixed, UsesTheCommaWhenAskedTo) {
  ExpectFormats({
      {3.2128143, 5, 3, ',', "3,213"},
      {-0.006, 4, 2, ',', "-0,01"},
      {99.95, 3, 1, ',', "100,0"},
      {1234.5, 3, 1, ',', "1,23E3"},
      {0.0, 4, 2, ',', "0,00"},
  });
}

TEST(FormatFixed, WritesTheGridFiguresOfTheRedWineSample) {
  ExpectFormats({
      {3.212814, 5, 3, '.', "3.213"},
      {1.402566, 5, 3, '.', "1.403"},
      {0.368396, 5, 3, '.', "0.368"},
      {11.978323, 3, 1, '.', "12.0"},
      {43.986126, 4, 2, '.', "43.99"},
      {20.365850, 4, 2, '.', "20.37"},
      {41.236535, 4, 2, '.', "41.24"},
      {15.307758, 4, 2, '.', "15.31"},
      {7.399904, 4, 3, '.', "7.400"},
      {0.532708, 4, 3, '.', "0.533"},
      {-0.681893, 4, 2, '.', "-0.68"},
  });
}

TEST(FormatFixed, RoundsHalfUpOnTheEighteenDigitExpansion) {
  ExpectFormats({
      // Exact in binary: the tie rounds away from zero, never to even.
      {0.125, 4, 2, '.', "0.13"},
      {-0.125, 4, 2, '.', "-0.13"},
      {0.375, 4, 2, '.', "0.38"},
      {1.125, 4, 2, '.', "1.13"},
      {0.0625, 4, 3, '.', "0.063"},
      // 2.675 is 2.67499999999999982 to 18 digits, 1.005 is 1.00499999999999989.
      {2.675, 4, 2, '.', "2.67"},
      {1.005, 4, 2, '.', "1.00"},
      // 1000.005 is 1000.00499999999999545..., whose 18-digit expansion is 1000.00500000000000.
      {1000.005, 6, 2, '.', "1000.01"},
      {1000.255, 6, 2, '.', "1000.26"},
      // 0.0005 is 5.00000000000000010e-4: nothing kept but the rounding digit.
      {0.0005, 4, 3, '.', "0.001"},
      {-0.0005, 4, 3, '.', "-0.001"},
  });
}

TEST(FormatFixed, CarriesIntoANewLeadingDigit) {
  ExpectFormats({
      {9.9999, 5, 3, '.', "10.000"},
      {-9.9996, 4, 3, '.', "-10.000"},
      {0.9996, 4, 3, '.', "1.000"},
      {0.0996, 4, 2, '.', "0.10"},
      {99.96, 3, 1, '.', "100.0"},
      {9999.96, 4, 2, '.', "1E4"},
  });
}

TEST(FormatFixed, KeepsAtMostThePrecisionInSignificantDigits) {
  ExpectFormats({
      {999.4, 3, 1, '.', "999.0"},
      {99.94, 3, 1, '.', "99.9"},
      {12345.678, 5, 3, '.', "12346.000"},
      {1234.5678, 5, 3, '.', "1234.600"},
      {-123.456, 4, 2, '.', "-123.50"},
      {123456789.125, 18, 2, '.', "123456789.13"},
  });
}

TEST(FormatFixed, WritesTheScientificFormWhenTheIntegerPartNeedsMoreDigitsThanThePrecision) {
  ExpectFormats({
      {999.96, 3, 1, '.', "1E3"},
      {999.94, 3, 1, '.', "1E3"},
      {1234.5, 3, 1, '.', "1.23E3"},
      {-1234.5, 3, 1, '.', "-1.23E3"},
      {1204.0, 3, 1, '.', "1.2E3"},
      {123456.0, 5, 3, '.', "1.2346E5"},
      {100000.0, 5, 3, '.', "1E5"},
      {-100000.0, 5, 3, ',', "-1E5"},
      {10000.0, 4, 3, '.', "1E4"},
      {10500.0, 4, 2, ',', "1,05E4"},
      {1e308, 5, 3, '.', "1E308"},
      {std::numeric_limits<double>::max(), 4, 2, '.', "1.798E308"},
      {-std::numeric_limits<double>::max(), 5, 3, '.', "-1.7977E308"},
  });
}

TEST(FormatFixed, WritesSmallValuesWithLeadingZerosOrAsUnsignedZero) {
  ExpectFormats({
      {0.0123, 5, 3, '.', "0.012"},
      {0.0126, 5, 3, '.', "0.013"},
      {-0.0123, 5, 3, '.', "-0.012"},
      {0.5, 4, 2, '.', "0.50"},
      {0.0004, 4, 3, '.', "0.000"},
      {0.00049, 4, 3, '.', "0.000"},
      {-0.0004, 4, 3, '.', "0.000"},
      {0.04, 3, 1, '.', "0.0"},
      {-0.04, 3, 1, '.', "0.0"},
      {0.05, 3, 1, '.', "0.1"},
      {1e-300, 5, 3, '.', "0.000"},
      {-1e-300, 4, 2, '.', "0.00"},
      {std::numeric_limits<double>::denorm_min(), 4, 2, '.', "0.00"},
      {-std::numeric_limits<double>::denorm_min(), 4, 2, '.', "0.00"},
  });
}

TEST(FormatFixed, WritesZeroWithoutSignAndWithAllDecimals) {
  ExpectFormats({
      {0.0, 5, 3, '.', "0.000"},
      {-0.0, 5, 3, '.', "0.000"},
      {0.0, 3, 1, '.', "0.0"},
      {-0.0, 4, 2, ',', "0,00"},
  });
}

TEST(FormatFixed, WritesInfinitiesAndNaNAsWords) {
  ExpectFormats({
      {kInf, 5, 3, '.', "INF"},
      {-kInf, 4, 2, ',', "-INF"},
      {kNaN, 4, 2, '.', "NAN"},
      {-kNaN, 3, 1, '.', "NAN"},
  });
}

TEST(FormatFixed, ClampsThePrecisionAndTheDecimals) {
  ExpectFormats({
      // Precision 0 or below counts as 1.
      {3.2128143, 0, 3, '.', "3.000"},
      {3.2128143, -5, 3, '.', "3.000"},
      {35.0, 0, 1, '.', "4E1"},
      // Precision above 18 counts as 18, decimals above 18 as 18; 1/3 is 0.333333333333333315
      // to 18 digits.
      {1.0 / 3.0, 100, 100, '.', "0.333333333333333315"},
      {1.0 / 3.0, 18, 30, '.', "0.333333333333333315"},
      // Negative decimals count as none; the separator is still written.
      {2.5, 3, -1, '.', "3."},
      {2.4, 3, 0, '.', "2."},
      {0.7, 3, 0, '.', "1."},
      {0.4, 3, 0, '.', "0."},
      {std::numeric_limits<int>::min() + 0.0, std::numeric_limits<int>::max(),
       std::numeric_limits<int>::min(), '.', "-2147483648."},
  });
}

// A fixed-form or scientific text is never a zero with a minus sign.
bool IsSignedZero(const std::string& text) {
  if (text.empty() || text[0] != '-') return false;
  for (char c : text) {
    if (c == 'E') break;
    if (c >= '1' && c <= '9') return false;
  }
  return true;
}

TEST(FormatFixed, TextsOfRandomValuesReadBackWithinHalfAUnitOfTheirLastDigit) {
  struct Format {
    int precision;
    int decimals;
  };
  const Format formats[] = {{5, 3}, {3, 1}, {4, 2}, {4, 3}};
  std::mt19937_64 random(19890407);
  std::uniform_real_distribution<double> mantissa(1.0, 10.0);
  std::uniform_int_distribution<int> exponent(-8, 8);
  std::bernoulli_distribution negative(0.5);

  int fixedChecked = 0;
  int scientificChecked = 0;
  for (int i = 0; i < 40000; ++i) {
    const double value =
        (negative(random) ? -1.0 : 1.0) * mantissa(random) * std::pow(10.0, exponent(random));
    for (const Format f : formats) {
      for (const char separator : {'.', ','}) {
        const std::string text = FormatFixed(value, f.precision, f.decimals, separator);
        char label[128];
        std::snprintf(label, sizeof label, "value %.17g with (%d, %d) gives %s", value,
                      f.precision, f.decimals, text.c_str());
        SCOPED_TRACE(label);
        ASSERT_FALSE(IsSignedZero(text));
        const DecimalParse back = ParseDecimal(text, separator);
        ASSERT_TRUE(back.ok());
        const std::size_t e = text.find('E');
        double unit = 0;
        if (e == std::string::npos) {
          // Fixed form: exactly the decimals after the separator; the last kept digit is the
          // last decimal or, for long integer parts, the precision-th significant digit.
          const std::size_t sep = text.find(separator);
          ASSERT_NE(sep, std::string::npos);
          ASSERT_EQ(text.size() - sep - 1, static_cast<std::size_t>(f.decimals));
          const std::size_t integerBegin = text[0] == '-' ? 1 : 0;
          const std::string_view integerPart(text.data() + integerBegin, sep - integerBegin);
          const int integerDigits =
              integerPart == "0" ? 0 : static_cast<int>(integerPart.size());
          ASSERT_LE(integerDigits, f.precision);
          unit = std::pow(10.0, std::max(-f.decimals, integerDigits - f.precision));
          ++fixedChecked;
        } else {
          const int power = std::atoi(text.c_str() + e + 1);
          ASSERT_GE(power, f.precision);
          unit = std::pow(10.0, power - (f.precision - 1));
          ++scientificChecked;
        }
        if (std::fabs(value) < 1e12) {
          EXPECT_LE(std::fabs(back.value - value), 0.5 * unit + 1e-15 * std::fabs(value));
        }
      }
    }
  }
  EXPECT_GT(fixedChecked, 100000);
  EXPECT_GT(scientificChecked, 10000);
}

TEST(FormatFixed, AgreesWithExactDecimalRoundingAwayFromTies) {
  // Where the value has fewer integer digits than precision minus decimals, the text has exactly
  // the decimals; away from a tie, half-up on 18 digits and the C library's correctly rounded
  // "%.*f" of the exact binary value then give the same digits.
  struct Format {
    int precision;
    int decimals;
  };
  const Format formats[] = {{5, 3}, {3, 1}, {4, 2}, {4, 3}};
  std::mt19937_64 random(5318008);
  std::uniform_real_distribution<double> mantissa(1.0, 10.0);
  std::uniform_int_distribution<int> exponent(-6, 2);
  std::bernoulli_distribution negative(0.5);
  int compared = 0;
  for (int i = 0; i < 40000; ++i) {
    const double value =
        (negative(random) ? -1.0 : 1.0) * mantissa(random) * std::pow(10.0, exponent(random));
    for (const Format f : formats) {
      if (std::fabs(value) >= 0.999 * std::pow(10.0, f.precision - f.decimals)) continue;
      const long double scaled = std::fabs(static_cast<long double>(value)) *
                                 std::pow(10.0L, static_cast<long double>(f.decimals));
      const long double fraction = scaled - std::floor(scaled);
      if (std::fabs(fraction - 0.5L) < 1e-6L) continue;

      char expected[64];
      std::snprintf(expected, sizeof expected, "%.*f", f.decimals, value);
      std::string want = expected;
      if (want[0] == '-' && want.find_first_of("123456789") == std::string::npos) want.erase(0, 1);
      for (char& c : want) {
        if (c == '.') c = ',';
      }
      char label[96];
      std::snprintf(label, sizeof label, "value %.17g with (%d, %d)", value, f.precision,
                    f.decimals);
      SCOPED_TRACE(label);
      EXPECT_EQ(FormatFixed(value, f.precision, f.decimals, ','), want);
      ++compared;
    }
  }
  EXPECT_GT(compared, 50000);
}

TEST(FormatFixed, GivesShortTextsForAnyDoubleAndAnyFormat) {
  std::mt19937_64 random(4242);
  std::uniform_int_distribution<std::uint64_t> bits;
  std::uniform_int_distribution<int> anyInt(-30, 40);
  for (int i = 0; i < 50000; ++i) {
    double value = 0;
    const std::uint64_t pattern = bits(random);
    std::memcpy(&value, &pattern, sizeof value);
    const int precision = anyInt(random);
    const int decimals = anyInt(random);
    const std::string text = FormatFixed(value, precision, decimals, '.');
    char label[96];
    std::snprintf(label, sizeof label, "value %.17g with (%d, %d) gives %s", value, precision,
                  decimals, text.c_str());
    SCOPED_TRACE(label);
    ASSERT_FALSE(text.empty());
    ASSERT_LE(text.size(), 38u);
    ASSERT_FALSE(IsSignedZero(text));
    if (std::isfinite(value)) {
      // Only a value next to the largest double can round up to a text beyond it.
      const DecimalParse back = ParseDecimal(text, '.');
      EXPECT_TRUE(back.ok() ||
                  (back.status == DecimalParse::Status::Overflow && std::fabs(value) > 1e307));
    }
  }
}

// The cell text written the plain way, from printf's 18 digits rounded half up as strings, or
// nothing for the scientific form: the reference next to half-way points and powers of ten,
// where working in binary could slip by one unit.
std::optional<std::string> PlainFixed(double value, int p, int d) {
  char printed[40];
  std::snprintf(printed, sizeof printed, "%.17e", std::fabs(value));
  const std::string digits = printed[0] + std::string(printed + 2, 17);
  int e = std::atoi(std::strchr(printed, 'e') + 1) + 1;
  const int k = std::min(p, e + d);
  std::string kept;
  if (k >= 0) {
    kept = digits.substr(0, static_cast<std::size_t>(k));
    if (k < 18 && digits[static_cast<std::size_t>(k)] >= '5') {
      int i = k - 1;
      while (i >= 0 && kept[i] == '9') kept[i--] = '0';
      if (i >= 0) {
        ++kept[i];
      } else {
        kept.insert(0, "1");
        ++e;
      }
    }
  }
  if (e > p) return std::nullopt;
  const auto digit = [&](int i) { return i >= 0 && i < static_cast<int>(kept.size()) ? kept[i] : '0'; };
  std::string text = kept.find_first_not_of('0') != std::string::npos && std::signbit(value) ? "-" : "";
  if (e <= 0) text += '0';
  for (int i = 0; i < e; ++i) text += digit(i);
  text += '.';
  for (int j = 1; j <= d; ++j) text += digit(e - 1 + j);
  return text;
}

TEST(FormatFixed, FollowsTheEighteenDigitExpansionNextToHalfWayPointsAndPowersOfTen) {
  std::mt19937_64 random(20261208);
  std::uniform_int_distribution<int> precision(1, 18);
  std::uniform_int_distribution<int> decimals(0, 6);
  std::uniform_int_distribution<int> keptDigits(1, 12);
  std::uniform_int_distribution<int> scale(-12, 8);
  int compared = 0;
  for (int i = 0; i < 20000; ++i) {
    const int p = precision(random);
    const int d = decimals(random);
    // N + 1/2 units of 10^s, and 10^s itself, with the doubles a few steps either side.
    const int s = scale(random);
    const auto units = static_cast<double>(random() % static_cast<std::uint64_t>(std::pow(10.0, keptDigits(random))));
    for (const double centre : {(units + 0.5) * std::pow(10.0, s), std::pow(10.0, s)}) {
      double value = centre;
      for (int step = 0; step < 4; ++step) value = std::nextafter(value, 0.0);
      for (int step = 0; step < 9; ++step, value = std::nextafter(value, kInf)) {
        for (const double v : {value, -value}) {
          const auto want = PlainFixed(v, p, d);
          if (!want) continue;
          SCOPED_TRACE(::testing::Message() << "value " << std::setprecision(17) << v << " with (" << p << ", " << d << ")");
          EXPECT_EQ(FormatFixed(v, p, d, '.'), *want);
          ++compared;
        }
      }
    }
  }
  EXPECT_GT(compared, 100000);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// FormatGeneral

TEST(FormatGeneral, WritesFifteenSignificantDigitsWithoutTrailingZeros) {
  struct Case {
    double value;
    char separator;
    const char* text;
  } cases[] = {
      {12.0, '.', "12"},
      {7.4, '.', "7.4"},
      {0.0, '.', "0"},
      {-0.0, '.', "0"},
      {3.213, '.', "3.213"},
      {3.213, ',', "3,213"},
      {0.00005, '.', "5E-5"},
      {1.5e-7, ',', "1,5E-7"},
      {0.0001, '.', "0.0001"},
      {0.0123, '.', "0.0123"},
      {-0.68, '.', "-0.68"},
      {1e15, '.', "1E15"},
      {999999999999999.0, '.', "999999999999999"},
      {9999999999999999.0, '.', "1E16"},
      {123456789012345678.0, '.', "1.23456789012346E17"},
      {0.1 + 0.2, '.', "0.3"},
      {2.0 / 3.0, '.', "0.666666666666667"},
      {-12345.5, '.', "-12345.5"},
      {1e-300, '.', "1E-300"},
  };
  for (const Case& c : cases) EXPECT_EQ(tintavis::FormatGeneral(c.value, c.separator), c.text) << c.value;
}

TEST(FormatGeneral, TextReadsBackToWithinItsFifteenDigits) {
  std::mt19937_64 rng(7);
  std::uniform_real_distribution<double> mantissa(-10, 10);
  std::uniform_int_distribution<int> exponent(-12, 20);
  for (int i = 0; i < 20000; ++i) {
    const double v = mantissa(rng) * std::pow(10.0, exponent(rng));
    const std::string text = tintavis::FormatGeneral(v, '.');
    const auto back = tintavis::ParseDecimal(text, '.');
    ASSERT_TRUE(back.ok()) << text;
    EXPECT_NEAR(back.value, v, std::abs(v) * 1e-14) << text;
  }
}

// Found by fuzzing: rounded to the digits of a cell, the doubles next to the largest one give
// texts beyond the double range. They are written all the same, and reading them back reports
// an overflow rather than a wrong value. (1.7976931348623157E308 to 5 digits is 1.7977E308, to
// 15 digits 1.79769313486232E308.)
TEST(FormatGeneral, TheLargestDoublesRoundToTextsThatReadBackAsOverflow) {
  constexpr double kMax = std::numeric_limits<double>::max();
  EXPECT_EQ(FormatFixed(kMax, 5, 3, '.'), "1.7977E308");
  EXPECT_EQ(FormatFixed(-kMax, 1, 3, ','), "-2E308");
  EXPECT_EQ(tintavis::FormatGeneral(-kMax, '.'), "-1.79769313486232E308");
  for (const char* text : {"1.7977E308", "-2E308", "-1.79769313486232E308"}) {
    EXPECT_EQ(ParseDecimal(text, '.').status, DecimalParse::Status::Overflow) << text;
  }
  // Below that the texts read back: 1E308 is a double.
  EXPECT_EQ(FormatFixed(1e308, 5, 3, '.'), "1E308");
  EXPECT_TRUE(ParseDecimal(FormatFixed(1e308, 5, 3, '.'), '.').ok());
}

// ---------------------------------------------------------------------------------------------
// ReplaceFieldBreakers

TEST(ReplaceFieldBreakers, TurnsEachCharacterThatWouldBreakADataFileRowIntoASpace) {
  using namespace std::string_literals;
  struct Case {
    std::string text;
    std::string expected;
    bool changed;
  };
  const Case cases[] = {
      {"Crianza 2019", "Crianza 2019", false},
      {"", "", false},
      {"Vi\xC3\xB1" "a \xE2\x98\x85", "Vi\xC3\xB1" "a \xE2\x98\x85", false},  // UTF-8 is left alone
      {"a\tb", "a b", true},
      {"a\r\nb", "a  b", true},
      {"\0tail"s, " tail", true},
      {"end\x1A", "end ", true},
      {"\t\r\n\0\x1A"s, "     ", true},
      {"\x1B\x7F\x01", "\x1B\x7F\x01", false},  // other controls do not split a row
  };
  for (const Case& c : cases) {
    const tintavis::FieldText fit = tintavis::ReplaceFieldBreakers(c.text);
    EXPECT_EQ(fit.text, c.expected);
    EXPECT_EQ(fit.changed, c.changed) << c.expected;
  }
}
