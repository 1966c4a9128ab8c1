#pragma once
// Fields of the pool file: comma-separated, strings between double quotes,
// one record a line. Line ends separate fields as commas do; CR LF, LF and CR
// are all line ends, and a quoted field may hold commas and line breaks.
#include <cstdint>
#include <ctime>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/currency.h"

namespace qb {

// Why a field could not be read; the text goes into the load-error list.
inline constexpr const char* kTypeMismatch = "Type mismatch";
inline constexpr const char* kOverflow = "Overflow";
inline constexpr const char* kSubscriptOutOfRange = "Subscript out of range";
inline constexpr const char* kInputPastEnd = "Input past end of file";
inline constexpr const char* kValueOutOfRange = "Value out of range";
inline constexpr const char* kNullCharacter = "Null character in the record";

class FieldError : public std::runtime_error {
 public:
  explicit FieldError(const char* why) : std::runtime_error(why), atEnd(why == kInputPastEnd) {}
  bool atEnd;  // no field was left to read
};

// A pool holds at most this many participants, and as many entries: their
// counts and indexes are 16-bit.
inline constexpr int kMaxPoolRecords = 32767;

// More participants or entries than a pool can hold: no read can go on past it.
class TooManyRecords : public std::runtime_error {
 public:
  // `what`: "entries" or "participants".
  explicit TooManyRecords(const std::string& what)
      : std::runtime_error("more than " + std::to_string(kMaxPoolRecords) + " " + what) {}
};

// A field's text as a message quotes it: at most 40 characters, "..." where
// it was cut, line breaks and other control characters as blanks.
std::string ShortForMessage(std::string_view utf8);

// Reads fields from the bytes of a whole file: Windows-1252, or UTF-8 when
// the file starts with the UTF-8 byte order mark (as text editors save it).
class FieldReader {
 public:
  explicit FieldReader(std::string_view bytes);

  // The next field as it stands in the file (without its quotes); false at the end.
  bool Next(std::string_view& field);
  // Steps back over the field Next returned last.
  void Unread();
  // True when the field returned last began a line (no comma before it).
  bool LastStartedLine() const { return !lastAfterComma_; }
  // The field returned last, as text (for messages).
  std::string_view Last() const { return last_; }
  // A field of this file as a message quotes it (ShortForMessage, as UTF-8).
  std::string Shown(std::string_view raw) const;
  // True once a quoted field ran to the end of the file: the file was cut short.
  bool EndedInsideQuotes() const { return endedInsideQuotes_; }
  // True when a field read since ForgetNul() held a NUL byte, or one stood
  // after its closing quote: no text file holds one, so the line is damaged.
  bool MetNul() const { return metNul_; }
  void ForgetNul() { metNul_ = false; }

  // Typed reads; each throws FieldError.
  std::string_view ReadRaw();
  std::string ReadString();  // UTF-8, line breaks as "\n"
  int16_t ReadInteger();
  float ReadSingle();
  Currency ReadCurrency();
  bool ReadBoolean();

 private:
  std::string_view data_;
  bool utf8_ = false;
  size_t pos_ = 0;
  bool afterComma_ = false;  // a field follows even when the line ends
  std::string_view last_;
  size_t lastPos_ = 0;
  bool lastAfterComma_ = false;
  bool endedInsideQuotes_ = false;
  bool hasNul_ = false;  // anywhere in the file: only then are fields searched
  bool metNul_ = false;
};

// Parsers of one field's text, shared with the typed reads.
int16_t ParseInteger(std::string_view text);
float ParseSingle(std::string_view text);
Currency ParseCurrency(std::string_view text);
bool ParseBoolean(std::string_view text);

// Writes one record after another: strings quoted (double quotes become
// apostrophes, UTF-8 becomes Windows-1252, line breaks CR LF), numbers plain.
class FieldWriter {
 public:
  explicit FieldWriter(std::string& out) : out_(out) {}
  FieldWriter& Tag(std::string_view tag);  // starts a record
  FieldWriter& String(std::string_view utf8);
  FieldWriter& Integer(int value);
  FieldWriter& Single(float value);
  FieldWriter& Money(Currency value);
  FieldWriter& Boolean(bool value);
  FieldWriter& Date(const std::tm& t);
  void EndLine();      // CR LF
  void EndLoopLine();  // "," CR LF: records written value by value end so

 private:
  void Separate();
  std::string& out_;
  bool first_ = true;
};

}  // namespace qb
