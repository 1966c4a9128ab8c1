#include <gtest/gtest.h>

#include <stdexcept>

#include "web/logic/scramble.h"

namespace qb {
namespace {

// Worked by hand from the rules: start = length - (second-last digit), at
// least 1; each output code = digit + key digit at start + i (wrapped once,
// 0 beyond the key) + last digit (at most 8) + 96.
TEST(ScrambleText, WorkedCases) {
  struct Case {
    const char* value;
    const char* key;
    const char* scrambled;
  } cases[] = {
      // start 1, last 5: 1+0, 2+2, 3+7, 4+1, 5+9 over 101.
      {"12345", "40271935", "fiojs"},
      // start 1 (4 - 9 is below 1), last 0; position 4 wraps to the key's first digit.
      {"9990", "123", "kljb"},
      // last digit 9 counts 8; positions beyond the key after one wrap give 0.
      {"123456789", "12", "kkmlmnopq"},
      // The lowest code is 96.
      {"00", "0", "``"},
      // Blanks around the value and the key do not count.
      {"  12345 ", " 40271935", "fiojs"},
  };
  for (const Case& c : cases) EXPECT_EQ(ScrambleText(c.value, c.key), c.scrambled) << c.value;
}

TEST(ScrambleText, EveryDigitTextGivesCodes96To122OfTheSameLength) {
  for (long long v : {10LL, 99LL, 1234567890123LL, 9999999999999LL, 8000000000001LL}) {
    const std::string s = ScrambleText(std::to_string(v), "99999999");
    ASSERT_EQ(s.size(), std::to_string(v).size());
    for (char c : s) {
      EXPECT_GE(c, 96);
      EXPECT_LE(c, 122);
    }
  }
}

TEST(ScrambleText, AValueOfFewerThanTwoCharactersIsAnError) {
  EXPECT_THROW(ScrambleText("7", "123"), std::invalid_argument);
  EXPECT_THROW(ScrambleText("", "123"), std::invalid_argument);
}

TEST(UnscrambleText, WorkedCases) {
  struct Case {
    const char* text;
    const char* key;
    const char* plain;
    const char* payload;
  } cases[] = {
      // "j": 3 characters; "d": offset 2; shifts by key digits 3, 4, 5 (2, 7, 1).
      {"jABCd", "40271935", "CID", "ABC"},
      // A first character of code 108 or more carries 1 character; "f" gives offset 1.
      {"nQf", "40271935", "Q", "Q"},
      {"lQf", "40271935", "Q", "Q"},
      // Blanks the shifts produce at either end are removed; position 3 is past
      // the 1-digit key even after the wrap, so it shifts by 0.
      {"j\x1f" "B e", "1", "B", "\x1f" "B "},
  };
  for (const Case& c : cases) {
    std::string text = c.text;
    EXPECT_EQ(UnscrambleText(text, c.key), c.plain) << c.text;
    EXPECT_EQ(text, c.payload) << "the argument becomes the payload";
  }
}

TEST(UnscrambleText, ATextShorterThanItsPayloadIsAnErrorAndStaysAsItWas) {
  for (std::string text : {std::string(""), std::string("jAB"), std::string("a")}) {
    const std::string before = text;
    EXPECT_THROW(UnscrambleText(text, "40271935"), std::invalid_argument) << before;
    EXPECT_EQ(text, before);
  }
  std::string beyond = "l\xF9" "f";  // 249 + 9 is past the 8-bit codes
  EXPECT_THROW(UnscrambleText(beyond, "99999999"), std::invalid_argument);
}

}  // namespace
}  // namespace qb
