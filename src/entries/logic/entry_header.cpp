#include "entries/logic/entry_header.h"

#include <cmath>

#include "core/text_format.h"
#include "entries/logic/entry_list.h"
#include "entries/logic/participants.h"

namespace qb {

namespace {

// Code points of UTF-8 text with the letters of Latin-1 folded to lower case;
// bytes that do not form a code point are kept as they are.
std::u32string FoldCase(const std::string& text) {
  std::u32string out;
  for (size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    char32_t cp = c;
    size_t len = 1;
    if (c >= 0xC0 && c < 0xE0 && i + 1 < text.size()) {
      cp = ((c & 0x1F) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3F);
      len = 2;
    } else if (c >= 0xE0 && c < 0xF0 && i + 2 < text.size()) {
      cp = ((c & 0x0F) << 12) | ((static_cast<unsigned char>(text[i + 1]) & 0x3F) << 6) |
           (static_cast<unsigned char>(text[i + 2]) & 0x3F);
      len = 3;
    }
    if ((cp >= U'A' && cp <= U'Z') || (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7)) cp += 0x20;
    out.push_back(cp);
    i += len;
  }
  return out;
}

}  // namespace

int TypeAheadMatch(const std::vector<std::string>& items, const std::string& typed) {
  if (typed.empty()) return -1;
  std::u32string prefix = FoldCase(typed);
  for (size_t k = 0; k < items.size(); ++k) {
    if (FoldCase(items[k]).starts_with(prefix)) return static_cast<int>(k);
  }
  return -1;
}

std::optional<int16_t> RoundEntryNumber(const std::string& text) {
  double value = Val(text);
  if (!std::isfinite(value)) return std::nullopt;
  double whole = std::floor(value);
  double rounded = value - whole == 0.5 ? (std::fmod(whole, 2.0) == 0 ? whole : whole + 1)
                                        : std::round(value);
  if (rounded < -32768 || rounded > 32767) return std::nullopt;
  return static_cast<int16_t>(rounded);
}

std::string ProposeEntryNumber(const PoolState& s, int bettor) {
  if (bettor < 1) return "1";
  int highest = 0;
  for (int e = 1; e <= s.NumEntries && e < static_cast<int>(s.Entries.size()); ++e) {
    if (s.Entries[e].BettorIndex == bettor && s.Entries[e].EntryNumber > highest)
      highest = s.Entries[e].EntryNumber;
  }
  return Str(highest + 1);
}

bool IsEntryCurrent(const PoolState& s, int entry) {
  return entry >= 1 && entry <= s.NumEntries && entry < static_cast<int>(s.Entries.size());
}

HeaderCheck CheckEntryHeader(const PoolState& s, int currentEntry, const std::string& nameText,
                             int selectedBettor, const std::string& numberText) {
  HeaderCheck check;
  auto refuse = [&](HeaderRefusal r, std::string message, HeaderFocus focus) {
    check.Refusal = r;
    check.Message = std::move(message);
    check.Focus = focus;
    return check;
  };
  if (!IsEntryCurrent(s, currentEntry))
    return refuse(HeaderRefusal::NoEntry, kNoEntryCurrent, HeaderFocus::None);
  if (IsBlankText(nameText))
    return refuse(HeaderRefusal::NoName, "Please pick a participant name or add a new one.",
                  HeaderFocus::Name);

  // The number is rounded before any check, so the duplicate check compares
  // what would be stored; a value beyond the stored range is refused.
  std::optional<int16_t> number = RoundEntryNumber(numberText);
  if (Val(numberText) < 1 || !number || *number < 1)
    return refuse(HeaderRefusal::NoNumber, "Entry number is needed to add the entry.",
                  HeaderFocus::Number);
  check.EntryNumber = *number;

  if (IsLiveBettor(s, selectedBettor) && s.Bettors[selectedBettor].Name == nameText) {
    check.Bettor = selectedBettor;
  } else {
    for (const BettorListItem& item : ListedBettors(s)) {
      if (item.Name == nameText) {
        check.Bettor = item.Index;
        break;
      }
    }
  }

  // A new participant has no entries yet, so only a listed one can clash.
  if (check.Bettor > 0) {
    for (int e = 1; e <= s.NumEntries && e < static_cast<int>(s.Entries.size()); ++e) {
      if (e == currentEntry) continue;
      if (s.Entries[e].BettorIndex == check.Bettor && s.Entries[e].EntryNumber == *number) {
        // A rounded number is named as it would be stored; one blank before it,
        // whether it was typed or proposed with its leading blank.
        std::string shown = Trim(Val(numberText) == *number ? numberText : Str(*number));
        return refuse(HeaderRefusal::Duplicate,
                      "Name '" + nameText + "', entry number " + shown + " already exists.",
                      HeaderFocus::Number);
      }
    }
  }
  return check;
}

bool StoreEntryHeader(PoolState& s, int currentEntry, const std::string& nameText,
                      const HeaderCheck& check) {
  if (check.Refusal != HeaderRefusal::None || !IsEntryCurrent(s, currentEntry)) return false;
  bool changed = false;
  int bettor = check.Bettor;
  if (bettor == 0) {
    bettor = AddBettorByName(s, nameText);
    changed = true;
  }
  EntryRecord& entry = s.Entries[currentEntry];
  if (entry.BettorIndex != bettor || entry.EntryNumber != check.EntryNumber) changed = true;
  entry.BettorIndex = static_cast<int16_t>(bettor);
  entry.EntryNumber = check.EntryNumber;
  // An entry that gains its participant joins the pot.
  KeepPayoutAmountsCurrent(s);
  return changed;
}

}  // namespace qb
