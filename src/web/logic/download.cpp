#include "web/logic/download.h"

#include <algorithm>
#include <cmath>

#include "core/bracket.h"
#include "core/pool_file_fields.h"
#include "core/pool_file_format.h"
#include "core/scoring.h"
#include "core/text_format.h"

namespace qb {

DownloadList ReadDownloadList(std::string_view bytes) {
  DownloadList list;
  FieldReader r(bytes);
  std::string_view field;
  if (!r.Next(field)) return list;
  r.Unread();
  if (r.ReadString() != kDownloadListHeader) return list;
  list.headerFound = true;
  while (r.Next(field)) {
    r.Unread();
    DownloadChoice c;
    c.description = r.ReadString();
    if (!r.Next(field)) {
      list.readError = kInputPastEnd;
      break;
    }
    r.Unread();
    c.address = r.ReadString();
    list.choices.push_back(std::move(c));
  }
  return list;
}

DownloadTimeout NormalizeDownloadTimeout(const std::string& text) {
  const double value = Val(text);
  if (!(value >= 10)) return {"10", 10};
  if (value > 600) return {"600", 600};
  return {text, static_cast<int>(std::nearbyint(value))};
}

std::string DownloadLogText(TransferState state) {
  switch (state) {
    case TransferState::ResolvingHost: return "Resolving host...";
    case TransferState::HostResolved: return "Host resolved.\r\n";
    case TransferState::Connecting: return "Connecting...";
    case TransferState::Connected: return "Connected.\r\n";
    case TransferState::Requesting: return "Requesting...";
    case TransferState::RequestSent: return "Request sent.\r\n";
    case TransferState::ReceivingResponse: return "Receiving response...";
    case TransferState::ResponseReceived: return "Response received.\r\n";
    case TransferState::Disconnecting: return "Disconnecting...";
    case TransferState::Disconnected: return "Disconnected.\r\n";
    case TransferState::Error: return "\r\nError occurred!\r\n";
    case TransferState::ResponseCompleted: return "Response completed.\r\n";
  }
  return {};
}

namespace {

// A number with one leading blank when it is not negative.
std::string Blanked(int n) { return (n >= 0 ? " " : "") + std::to_string(n); }

}  // namespace

DownloadedResults ReadDownloadedResults(std::string_view bytes, const PoolState& pool,
                                        bool compare) {
  DownloadedResults out;
  const int slots = std::clamp<int>(pool.NumSlots, 0, kMaxSlots);
  const int games = std::clamp<int>(pool.NumGames, 0, kMaxGames);
  out.numGames = games;
  std::array<TeamRecord, kMaxSlots + 1> teams{};
  std::array<int16_t, kMaxGames + 1> winners{};
  bool hasWinners = false;

  FieldReader r(bytes);
  std::string_view field;
  std::string tag;
  try {
    while (r.Next(field)) {
      if (field == kTagTeam) {
        tag = field;
        ++out.recordCount;
        const int16_t n = r.ReadInteger();
        if (n < 0 || n > slots) throw FieldError(kSubscriptOutOfRange);
        teams[n].Number = n;
        teams[n].Name = r.ReadString();
        teams[n].Seed = r.ReadInteger();
      } else if (field == kTagWinner) {
        tag = field;
        ++out.recordCount;
        for (int g = 1; g <= games; ++g) {
          const int16_t w = r.ReadInteger();
          // A winner outside the bracket would be scored as a team that is not there.
          if (w < 0 || w > slots) throw FieldError(kSubscriptOutOfRange);
          winners[g] = w;
        }
        hasWinners = true;
      }
    }
  } catch (const FieldError& e) {
    out.readError = true;
    out.errorTag = tag;
    out.errorDescription = e.what();
    return out;
  }

  if (compare) {
    for (int n = 1; n <= slots; ++n) {
      const TeamRecord& mine = pool.Teams[n];
      const TeamRecord& theirs = teams[n];
      if (theirs.Name == mine.Name && theirs.Seed == mine.Seed) continue;
      out.mismatchLines.push_back("\r\nMismatch on team " + Blanked(n) +
                                  ":  Results file has '" + theirs.Name + " " +
                                  Blanked(theirs.Seed) + "' vs. '" + mine.Name + " " +
                                  Blanked(mine.Seed) + "' in your file.");
    }
  }
  out.hasWinners = hasWinners;
  out.winners = winners;
  return out;
}

std::string DownloadReadErrorMessage(const DownloadedResults& r) {
  return "Error in processing the " + r.errorTag + " record.  Count = " + Blanked(r.recordCount) +
         "\n\n\r" + r.errorDescription + "\n\n\r" +
         "File cannot be used.  See the Help system for Tech Support information.";
}

void MergeDownloadedResults(PoolState& pool, const DownloadedResults& r) {
  for (int g = 1; g <= r.numGames && g <= kMaxGames; ++g) pool.Pool.Results[g] = r.winners[g];
  ResetTeamAdvance(pool);
  ScoreAllEntries(pool);  // every list of entries shows the points as they now stand
}

}  // namespace qb
