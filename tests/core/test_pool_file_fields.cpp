#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/cp1252.h"
#include "core/pool_file_fields.h"

namespace qb {
namespace {

std::vector<std::string> Fields(std::string_view bytes) {
  FieldReader r(bytes);
  std::vector<std::string> out;
  std::string_view f;
  while (r.Next(f)) out.emplace_back(f);
  return out;
}

struct SplitCase {
  const char* what;
  std::string bytes;
  std::vector<std::string> fields;
};

TEST(FieldReader, SplitsFieldsAtCommasAndEveryKindOfLineEnd) {
  const std::vector<SplitCase> cases = {
      {"CR LF", "\"a\",1\r\n\"b\",2\r\n", {"a", "1", "b", "2"}},
      {"LF", "\"a\",1\n\"b\",2\n", {"a", "1", "b", "2"}},
      {"CR", "\"a\",1\r\"b\",2\r", {"a", "1", "b", "2"}},
      {"no line end at the end", "\"a\",1", {"a", "1"}},
      {"a line ending in a comma has an empty last field", "\"t\",1,2,\r\n\"u\"", {"t", "1", "2", "", "u"}},
      {"a comma at the very end too", "1,", {"1", ""}},
      {"empty lines give no fields", "\r\n\r\n1\r\n\n\r\n2", {"1", "2"}},
      {"two commas give an empty field", "1,,2", {"1", "", "2"}},
      {"blanks around unquoted fields go", "  12 ,\t#TRUE#  \r\n", {"12", "#TRUE#"}},
      {"blanks inside quotes stay", "\"%Team  `\",\" x \"", {"%Team  `", " x "}},
      {"quotes hold commas", "\"Floor 3, desk 7\",1", {"Floor 3, desk 7", "1"}},
      {"quotes hold line breaks", "\"one\r\ntwo\",3", {"one\r\ntwo", "3"}},
      {"text after the closing quote is dropped", "\"ab\"cd,1", {"ab", "1"}},
      {"an unclosed quote runs to the end", "1,\"abc,\r\ndef", {"1", "abc,\r\ndef"}},
      {"a date keeps its blank", "#2026-12-10 12:00:00#\r\n", {"#2026-12-10 12:00:00#"}},
      {"nothing at all", "", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(Fields(c.bytes), c.fields) << c.what;
}

TEST(FieldReader, UnreadStepsBackOneField) {
  FieldReader r("1,\"%Team  `\",2\r\n3");
  EXPECT_EQ(r.ReadRaw(), "1");
  EXPECT_EQ(r.ReadRaw(), "%Team  `");
  r.Unread();
  EXPECT_EQ(r.ReadRaw(), "%Team  `");
  EXPECT_EQ(r.ReadRaw(), "2");
  EXPECT_EQ(r.ReadRaw(), "3");
  try {
    r.ReadRaw();
    FAIL() << "read past the end";
  } catch (const FieldError& e) {
    EXPECT_STREQ(e.what(), kInputPastEnd);
    EXPECT_TRUE(e.atEnd);
  }
}

TEST(FieldReader, StringsComeBackAsUtf8WithNewlines) {
  FieldReader r("\"Zo\xEB \x80\",\"a\r\nb\rc\nd\"");
  EXPECT_EQ(r.ReadString(), "Zo\xC3\xAB \xE2\x82\xAC");
  EXPECT_EQ(r.ReadString(), "a\nb\nc\nd");
}

TEST(FieldReader, AFileWithTheUtf8ByteOrderMarkIsReadAsUtf8) {
  FieldReader r("\xEF\xBB\xBF\"%Header`\",\"Zo\xC3\xAB\"");
  EXPECT_EQ(r.ReadRaw(), "%Header`");
  EXPECT_EQ(r.ReadString(), "Zo\xC3\xAB");
}

struct NumberCase {
  const char* text;
  double value;        // expected when `error` is null
  const char* error;   // kTypeMismatch or kOverflow
};

template <typename F>
void CheckNumbers(const char* kind, F parse, const std::vector<NumberCase>& cases) {
  for (const auto& c : cases) {
    try {
      double v = static_cast<double>(parse(c.text));
      if (c.error) {
        ADD_FAILURE() << kind << " \"" << c.text << "\" read as " << v << ", expected " << c.error;
      } else {
        EXPECT_DOUBLE_EQ(v, c.value) << kind << " \"" << c.text << "\"";
      }
    } catch (const FieldError& e) {
      if (!c.error) {
        ADD_FAILURE() << kind << " \"" << c.text << "\" failed: " << e.what();
      } else {
        EXPECT_STREQ(e.what(), c.error) << kind << " \"" << c.text << "\"";
      }
    }
  }
}

TEST(FieldParse, IntegersAreSixteenBitWithOverflowAndTypeErrors) {
  CheckNumbers("Integer", ParseInteger,
               {{"0", 0, nullptr},
                {"-1", -1, nullptr},
                {" 42 ", 42, nullptr},
                {"+7", 7, nullptr},
                {"", 0, nullptr},
                {"32767", 32767, nullptr},
                {"-32768", -32768, nullptr},
                {"2.5", 2, nullptr},  // halves to even
                {"3.5", 4, nullptr},
                {"1E2", 100, nullptr},
                {"32768", 0, kOverflow},
                {"-32769", 0, kOverflow},
                {"99999999999999999999", 0, kOverflow},
                {"1e400", 0, kOverflow},
                {"abc", 0, kTypeMismatch},
                {"12x", 0, kTypeMismatch},
                {"%Team  `", 0, kTypeMismatch},
                {"#TRUE#", 0, kTypeMismatch},
                {"-", 0, kTypeMismatch},
                {".", 0, kTypeMismatch},
                {"1e", 0, kTypeMismatch},
                {"inf", 0, kTypeMismatch},
                {"nan", 0, kTypeMismatch},
                {"0x10", 0, kTypeMismatch}});
}

TEST(FieldParse, SinglesAndMoney) {
  CheckNumbers("Single", ParseSingle,
               {{"2.5", 2.5, nullptr},
                {".5", 0.5, nullptr},
                {"-0.25", -0.25, nullptr},
                {"1E+10", 1e10f, nullptr},
                {"1e-400", 0, nullptr},
                {"", 0, nullptr},
                {"1e39", 0, kOverflow},
                {"infinity", 0, kTypeMismatch},
                {"1,5", 0, kTypeMismatch}});
  CheckNumbers("Currency", [](std::string_view t) { return ParseCurrency(t).ToDouble(); },
               {{"5.5", 5.5, nullptr},
                {"0.0001", 0.0001, nullptr},
                {"-12.25", -12.25, nullptr},
                {"1e16", 0, kOverflow},
                {"$5", 0, kTypeMismatch}});
  EXPECT_EQ(ParseCurrency("19.99").Raw(), 199900);
}

TEST(FieldParse, BooleansAsWrittenAndAsOlderFilesHoldThem) {
  EXPECT_TRUE(ParseBoolean("#TRUE#"));
  EXPECT_FALSE(ParseBoolean("#FALSE#"));
  EXPECT_TRUE(ParseBoolean("#true#"));
  EXPECT_TRUE(ParseBoolean("-1"));
  EXPECT_FALSE(ParseBoolean("0"));
  EXPECT_FALSE(ParseBoolean(""));
  EXPECT_THROW(ParseBoolean("Yes"), FieldError);
}

TEST(FieldWriter, WritesEachTypeAsTheFileHoldsIt) {
  std::string out;
  FieldWriter w(out);
  w.Tag("%Parms `").Integer(-1).Single(2.5f).Single(0.5f).Single(1000000.0f).Single(-0.0f);
  w.Single(0.1f).Money(Currency::FromDouble(5)).Money(Currency::FromDouble(-2.05));
  w.Money(Currency::FromRaw(1)).Boolean(true).Boolean(false).Date(std::tm{5, 4, 3, 2, 0, 101});
  w.EndLine();
  w.Tag("%RPoint`").Single(1).Single(2);
  w.EndLoopLine();
  EXPECT_EQ(out,
            "\"%Parms `\",-1,2.5,0.5,1000000,0,0.1,5,-2.05,0.0001,#TRUE#,#FALSE#,"
            "#2001-01-02 03:04:05#\r\n\"%RPoint`\",1,2,\r\n");
}

TEST(FieldWriter, StringsLoseTheirDoubleQuotesAndGoToTheCodePage) {
  std::string out;
  FieldWriter w(out);
  w.Tag("%Parms2`").String("Say \"hi\"").String("Zo\xC3\xAB \xE2\x82\xAC \xE4\xB8\xAD");
  w.String("one\ntwo\r\nthree\rfour").EndLine();
  EXPECT_EQ(out,
            "\"%Parms2`\",\"Say 'hi'\",\"Zo\xEB \x80 ?\",\"one\r\ntwo\r\nthree\r\nfour\"\r\n");
}

TEST(Cp1252, EveryByteReadsBackAsItWas) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
  EXPECT_EQ(Cp1252ToUtf8("\x93quoted\x94"), "\xE2\x80\x9Cquoted\xE2\x80\x9D");
}

TEST(Cp1252, WhatTheCodePageCannotHoldBecomesAQuestionMark) {
  EXPECT_EQ(Utf8ToCp1252("\xE4\xB8\xAD"), "?");          // a CJK character
  EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x98\x80!"), "?!");    // beyond the basic plane
  EXPECT_EQ(Utf8ToCp1252("a\xFF" "b\xC3"), "a?b?");      // not UTF-8
  EXPECT_EQ(Utf8ToCp1252("\xC2\x80"), "?");              // C1 control the code page uses for the euro
  EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80"), "?");          // a lone surrogate
}

}  // namespace
}  // namespace qb
