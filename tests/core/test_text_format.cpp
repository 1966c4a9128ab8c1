#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

#include "core/prompts.h"
#include "core/text_format.h"
#include "core/unexpected_error.h"

namespace qb {
namespace {

struct DoubleCase {
  double value;
  const char* text;
};

TEST(FormatAmount, TableOfDoubles) {
  const DoubleCase cases[] = {
      {0, ".00"},
      {0.5, ".50"},
      {1.5, "1.50"},
      {2, "2.00"},
      {100, "100.00"},
      {999.99, "999.99"},
      {1000, "1,000.00"},
      {1234.5, "1,234.50"},
      {-1234.5, "-1,234.50"},
      {1234567.891, "1,234,567.89"},
      {12345678901.234, "12,345,678,901.23"},
      {2.675, "2.68"},  // half away from zero on the 15-digit decimal form
      {0.005, ".01"},
      {0.004, ".00"},
      {-0.004, ".00"},  // no sign on a value that shows as zero
      {-0.005, "-.01"},
      {999.995, "1,000.00"},
      {0.0000001, ".00"},
      {1e20, "100,000,000,000,000,000,000.00"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatAmount(c.value), c.text) << c.value;
}

TEST(FormatAmount, FloatFactorsAsSetUpShowsThem) {
  EXPECT_EQ(FormatAmount(static_cast<double>(0.5f)), ".50");
  EXPECT_EQ(FormatAmount(static_cast<double>(1.5f)), "1.50");
  EXPECT_EQ(FormatAmount(static_cast<double>(0.1f)), ".10");
  EXPECT_EQ(FormatAmount(static_cast<double>(33.3f)), "33.30");
}

TEST(FormatAmount, Currency) {
  EXPECT_EQ(FormatAmount(Currency()), ".00");
  EXPECT_EQ(FormatAmount(Currency::FromRaw(12345)), "1.23");
  EXPECT_EQ(FormatAmount(Currency::FromRaw(12350)), "1.24");
  EXPECT_EQ(FormatAmount(Currency::FromRaw(-12350)), "-1.24");
  EXPECT_EQ(FormatAmount(Currency::FromRaw(-49)), ".00");
  EXPECT_EQ(FormatAmount(Currency::FromDouble(1234567.5)), "1,234,567.50");
  EXPECT_EQ(FormatAmount(Currency::FromRaw(std::numeric_limits<int64_t>::min())),
            "-922,337,203,685,477.58");
}

TEST(FormatAmount, TextThatIsNotANumberComesBackUnchanged) {
  EXPECT_EQ(FormatAmount("abc"), "abc");
  EXPECT_EQ(FormatAmount(std::string("4")), "4.00");
  EXPECT_EQ(FormatAmount(std::string_view("")), "");
  EXPECT_EQ(FormatAmount(std::string_view("12abc")), "12abc");
  EXPECT_EQ(FormatAmount(std::string_view(".")), ".");
  EXPECT_EQ(FormatAmount(std::string_view("12.5")), "12.50");
  EXPECT_EQ(FormatAmount(std::string_view(" 3 ")), "3.00");
  EXPECT_EQ(FormatAmount(std::string_view("-1,234.5")), "-1,234.50");
  EXPECT_EQ(FormatAmount(std::string_view("$7")), "7.00");
  EXPECT_EQ(FormatAmount(std::string_view("1e3")), "1,000.00");
}

TEST(FormatMoney, Table) {
  const DoubleCase cases[] = {
      {5, "$5.00"},   {0.5, "$.50"},    {0, "$.00"},      {1234.5, "$1234.50"},
      {-5, "-$5.00"}, {2.675, "$2.68"}, {-0.001, "$.00"}, {1000000, "$1000000.00"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatMoney(c.value), c.text) << c.value;
  EXPECT_EQ(FormatMoney(Currency::FromDouble(12.5)), "$12.50");
  EXPECT_EQ(FormatMoney(Currency::FromRaw(-12350)), "-$1.24");
}

TEST(Str, Doubles) {
  const DoubleCase cases[] = {
      {5.0, " 5"},           {-5.0, "-5"},
      {0.0, " 0"},           {0.5, " .5"},
      {-0.25, "-.25"},       {12.125, " 12.125"},
      {0.1 + 0.2, " .3"},    {123456789012345.0, " 123456789012345"},
      {1e15, " 1E+15"},      {1.5e20, " 1.5E+20"},
      {0.0001, " .0001"},    {0.00001, " 1E-05"},
      {-1.5e-5, "-1.5E-05"}, {1e-100, " 1E-100"},
  };
  for (const auto& c : cases) EXPECT_EQ(Str(c.value), c.text) << c.value;
}

TEST(Str, FloatsUseSevenDigits) {
  EXPECT_EQ(Str(0.1f), " .1");
  EXPECT_EQ(Str(1.1f), " 1.1");
  EXPECT_EQ(Str(33.3f), " 33.3");
  EXPECT_EQ(Str(-2.5f), "-2.5");
  EXPECT_EQ(Str(9999999.0f), " 9999999");
  EXPECT_EQ(Str(1e7f), " 1E+07");
}

TEST(Str, IntegersAndNumberText) {
  EXPECT_EQ(Str(12), " 12");
  EXPECT_EQ(Str(-3), "-3");
  EXPECT_EQ(Str(0), " 0");
  EXPECT_EQ(Str(static_cast<int16_t>(7)), " 7");
  EXPECT_EQ(Str(-32768LL), "-32768");
  EXPECT_EQ(NumberText(2.5f), "2.5");
  EXPECT_EQ(NumberText(0.5), ".5");
  EXPECT_EQ(NumberText(-3.0), "-3");
}

struct ValCase {
  const char* text;
  double value;
};

TEST(Val, ReadsTheLeadingNumber) {
  const ValCase cases[] = {
      {"12", 12},        {"  -12.5abc", -12.5},
      {"", 0},           {"abc", 0},
      {"1 000", 1000},   {"1e3", 1000},
      {"1E-2", 0.01},    {"1e", 1},
      {"1e+", 1},        {"1.5D2", 150},
      {".5", 0.5},       {"5.", 5},
      {"1,000", 1},      {"&HFF", 255},
      {"&hff", 255},     {"&HFFFF", -1},
      {"&H7FFF", 32767}, {"&H10000", 65536},
      {"&O17", 15},      {"&", 0},
      {"&X1", 0},        {"+7", 7},
      {"1.2.3", 1.2},    {"\t42\n", 42},
      {"-", 0},          {"- 3", -3},
      {"--3", 0},        {"0012", 12},
      {"3 . 5", 3.5},    {"2001.1", 2001.1},
      {"#TRUE#", 0},     {"-0", 0},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(Val(c.text), c.value) << '"' << c.text << '"';
}

TEST(Val, OutOfRange) {
  EXPECT_TRUE(std::isinf(Val("1e400")));
  EXPECT_LT(Val("-1e400"), 0);
  EXPECT_EQ(Val("1e-400"), 0);
  EXPECT_TRUE(std::isinf(Val("&H123456789ABCDEF012")));
  // The mantissa's own length counts: many leading zeros make it tiny, many
  // digits before a small negative exponent make it huge.
  EXPECT_EQ(Val("." + std::string(400, '0') + "1"), 0);
  EXPECT_EQ(Val("-0." + std::string(400, '0') + "1"), 0);
  EXPECT_TRUE(std::isinf(Val("1" + std::string(500, '0') + "e-100")));
  EXPECT_EQ(Val("1" + std::string(300, '0') + "e-700"), 0);
  EXPECT_TRUE(std::isinf(Val(std::string(400, '9'))));
}

struct PadCase {
  const char* text;
  int width;
  const char* padded;
};

TEST(PadText, Table) {
  const PadCase cases[] = {
      {"abc", 5, "  abc"},
      {" abc ", 5, "  abc"},
      {"abcdef", 3, "def"},
      {"", 2, "  "},
      {"abc", 0, ""},
      {"abc", 3, "abc"},
      {"abc", -1, ""},
      {"\xC3\xA9", 3, "  \xC3\xA9"},
      {"a\xC3\xA9z", 2, "\xC3\xA9z"},
  };
  for (const auto& c : cases) EXPECT_EQ(PadText(c.text, c.width), c.padded) << c.text;
  EXPECT_EQ(PadText("x", 80), std::string(79, ' ') + "x");
  EXPECT_EQ(PadText("x", 90).size(), 81u);  // beyond 80 the field is 80 blanks and the text
}

TEST(OrdinalText, Table) {
  const std::pair<long long, const char*> cases[] = {
      {1, " 1st"},     {2, " 2nd"},     {3, " 3rd"},   {4, " 4th"},
      {10, " 10th"},   {11, " 11th"},   {12, " 12th"}, {13, " 13th"},
      {21, " 21st"},   {22, " 22nd"},   {23, " 23rd"}, {101, " 101st"},
      {111, " 111th"}, {112, " 112th"}, {0, " 0th"},   {-1, "-1th"},
  };
  for (const auto& [n, text] : cases) EXPECT_EQ(OrdinalText(n), text) << n;
}

TEST(ReplaceAll, Table) {
  EXPECT_EQ(ReplaceAll("a\"b\"", "\"", "'"), "a'b'");
  EXPECT_EQ(ReplaceAll("aaa", "aa", "a"), "aa");
  EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
  EXPECT_EQ(ReplaceAll("abc", "b", ""), "ac");
  EXPECT_EQ(ReplaceAll("", "b", "c"), "");
  EXPECT_EQ(ReplaceAll("ab", "b", "bb"), "abb");
}

TEST(IsValidPoolName, Table) {
  EXPECT_TRUE(IsValidPoolName(""));
  EXPECT_TRUE(IsValidPoolName("Office Pool-2024"));
  EXPECT_FALSE(IsValidPoolName("a.b"));
  EXPECT_FALSE(IsValidPoolName("x_y"));
  EXPECT_FALSE(IsValidPoolName("caf\xC3\xA9"));
  EXPECT_FALSE(IsValidPoolName("a/b"));
  EXPECT_FALSE(IsValidPoolName("tab\there"));
}

TEST(Trim, OnlyBlanks) {
  EXPECT_EQ(Trim("  a b  "), "a b");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim("\ta\t"), "\ta\t");
}

// Sets a locale whose decimal point is ",": an installed one, or one built
// into a temporary folder when localedef and the locale sources are there.
const char* SetCommaDecimalLocale() {
  for (const char* l : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"}) {
    if (std::setlocale(LC_ALL, l)) return l;
  }
  std::string dir = ::testing::TempDir() + "qb_locale";
  std::string cmd = "mkdir -p '" + dir + "' && localedef -i de_DE -f UTF-8 '" + dir +
                    "/de_DE.UTF-8' >/dev/null 2>&1";
  if (std::system(cmd.c_str()) != 0) return nullptr;
  setenv("LOCPATH", dir.c_str(), 1);
  return std::setlocale(LC_ALL, "de_DE.UTF-8");
}

TEST(TextFormat, IndependentOfTheProcessLocale) {
  if (!SetCommaDecimalLocale()) GTEST_SKIP() << "no comma-decimal locale available";
  char probe[16];
  std::snprintf(probe, sizeof probe, "%.1f", 1.5);
  EXPECT_STREQ(probe, "1,5");  // the locale is in force
  EXPECT_EQ(FormatAmount(1234.5), "1,234.50");
  EXPECT_EQ(FormatAmount(std::string_view("2.5")), "2.50");
  EXPECT_EQ(FormatMoney(0.5), "$.50");
  EXPECT_EQ(Str(0.5), " .5");
  EXPECT_EQ(Str(1.5e-5), " 1.5E-05");
  EXPECT_EQ(Str(33.3f), " 33.3");
  EXPECT_DOUBLE_EQ(Val("2.5"), 2.5);
  EXPECT_DOUBLE_EQ(Val("1,5"), 1);
  std::setlocale(LC_ALL, "C");
  unsetenv("LOCPATH");
}

TEST(UnexpectedError, TextAndReport) {
  EXPECT_EQ(UnexpectedErrorText(5, "Bad thing", "frmMain"),
            "The system has detected an unexpected error.\r\n\nError #5:  Bad thing, Source:  "
            "frmMain");
  ScriptedPrompts p;
  ReportUnexpectedError(p, 9, "Subscript out of range", "qb");
  EXPECT_EQ(p.beeps, 3);
  ASSERT_EQ(p.asked.size(), 1u);
  EXPECT_EQ(p.asked[0].icon, MsgIcon::Critical);
  EXPECT_TRUE(p.AnyTextContains("Error #9:  Subscript out of range, Source:  qb"));
}

}  // namespace
}  // namespace qb
