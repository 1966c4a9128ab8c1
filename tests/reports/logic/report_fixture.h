#pragma once
// Small hand-built pools and report grids, and golden files compared whole.
// QB_UPDATE_GOLDEN=1 in the environment writes the golden files afresh.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "core/bracket.h"
#include "core/pool_state.h"
#include "core/prompts.h"
#include "platform/grid.h"
#include "reports/logic/report_writer.h"

namespace qb::testing {

// 10 December 2026, 14:05.
inline std::tm ReportNow() {
  std::tm t{};
  t.tm_year = 126;
  t.tm_mon = 11;
  t.tm_mday = 10;
  t.tm_hour = 14;
  t.tm_min = 5;
  return t;
}

// Eight teams, three rounds; names and texts that HTML must escape; a
// tiebreaker, two paid places and a booby prize; three entries, one deleted.
inline void MakePool(PoolState& s, bool tiebreaker = true, bool booby = true) {
  PoolHeader& p = s.Pool;
  p.PoolName = "Office <Pool> & Friends";
  p.NumTeams = 8;
  p.CostPerEntry = Currency::FromDouble(5);
  p.HoldbackAmt = Currency::FromDouble(2);
  p.TiebreakerUsed = tiebreaker;
  p.TiebreakerType = "Points in Final - Winner";
  p.RoundPoints[1] = 1;
  p.RoundPoints[2] = 2;
  p.RoundPoints[3] = 4.5f;
  p.SeedMethod[2] = 2;
  p.SeedFactor[2] = 1;
  p.SeedMethod[3] = 1;
  p.SeedFactor[3] = 2;
  p.PayoutPct[1] = 60;
  p.PayoutPct[2] = 30;
  p.PayoutPct[0] = booby ? 10 : 0;
  const char* names[] = {"", "Texas A&M", "Duke", "Gonzaga", "Baylor",
                         "Iowa", "Ohio", "Utah", "Kansas"};
  for (int t = 1; t <= 8; ++t) {
    s.Teams[t].Name = names[t];
    s.Teams[t].Seed = static_cast<int16_t>(t);
  }
  ScriptedPrompts prompts;
  SetupBracketFromParameters(s, prompts);
  s.NumEntries = 3;
  s.Entries.assign(4, EntryRecord{});
  s.Entries[1].BettorIndex = 1;
  s.Entries[2].BettorIndex = 0;
  s.Entries[3].BettorIndex = 2;
  s.OpenFileName = "/home/manager/pools/office.qbp";
}

inline void SetRow(Grid& g, int r, const std::vector<std::string>& cells) {
  for (size_t c = 0; c < cells.size() && static_cast<int>(c) < g.Cols(); ++c)
    g.SetTextMatrix(r, static_cast<int>(c), cells[c]);
}

// Standings of three rounds: 16 columns, so the printed tabs of rounds 4 to
// 6 lie beyond the grid. Columns 8 and 9 are hidden.
inline Grid RankingsGrid() {
  Grid g(5, 16, 2, 1);
  const int widths[] = {1500, 700, 500, 600, 500, 700, 500, 1500, 0, 0, 500, 500, 500, 500, 500, 500};
  for (int c = 0; c < 16; ++c) g.SetColWidth(c, widths[c]);
  SetRow(g, 0, {"", "Current:", "", "", "", "Possible:", "", "", "", "", "Rnd 1:", "", "Rnd 2:", "",
                "Rnd 3:", ""});
  SetRow(g, 1, {"Name / Entry", "Points", "Rank", "Games", "  %", "Points", "Rank",
                "Winner / Tiebrk", "", "", " Pts", "Gms", " Pts", "Gms", " Pts", "Gms"});
  SetRow(g, 2, {"Bob \"Ace\" Smith & Company 1", "1234567.5", "1", "5", " 71%", "12345.75", "1",
                "Texas A&M/ 145", "1", "k", "4", "4", "123456789", "1-1", "1234567", "1234567"});
  SetRow(g, 3, {"<script>x</script> 2", "3", "2", "3", " 42%", "7", "2", "Duke/ 130", "3", "k",
                "3", "3-1", "0", "0", "0", "0"});
  SetRow(g, 4, {"Ann 1", "0", "3", "0", "", "n/a", "n/a", "/ 0", "4", "k", "", "", "", "", "", ""});
  SetupGrid(g, 0, 1, 0, 15);
  SetupGrid2(g, 2, 4, 1, 15);
  g.Tag = " By Current Rank";
  return g;
}

inline Grid PayoutsGrid() {
  Grid g(4, 8, 1, 1);
  SetRow(g, 0, {"Name / Entry", "Place", "Winnings", "Points", "Tiebreaker Difference", "Games",
                "Tiebreaker", "Index"});
  g.SetColWidth(7, 0);
  SetRow(g, 1, {"A participant with a very long name 1", "1st", "$123456789.00", "12", "3", "5",
                "145", "1"});
  SetRow(g, 2, {"Eve & Co 1", "2nd", "$2.40", "8", "10", "4", "132", "3"});
  SetRow(g, 3, {"Ann 1", "Booby", "$.80", "0", "", "0", "0", "4"});
  g.Tag = " By Current Rank";
  return g;
}

inline Grid ScenarioGrid(int scenarios) {
  Grid g(scenarios + 1, 2, 1, 0);
  SetRow(g, 0, {"Game Winners", "Pool Winners"});
  g.SetColWidth(0, 3000);
  g.SetColWidth(1, 4000);
  for (int s = 1; s <= scenarios; ++s)
    SetRow(g, s, {"Duke, Iowa, Duke " + std::to_string(s),
                  "1st: Bob 1 (12)  2nd: Eve & Co 1 (8)  Booby: Ann 1 (0)"});
  return g;
}

inline Grid PossibilitiesGrid() {
  Grid g(3, 9, 1, 1);
  SetRow(g, 0, {"Name", "Total", "1st", "2nd", "3rd", "4th", "5th", "Booby", "Key"});
  g.SetColWidth(0, 2500);
  g.SetColWidth(8, 0);
  SetRow(g, 1, {"Bob \"Ace\" Smith & Company of Texas 1", "4", "2", "1", "0", "0", "0", "1", "x"});
  SetRow(g, 2, {"Eve <b>bold</b> 1", "3", "1", "2", "0", "0", "0", "0", "y"});
  g.Tag = " By Name";
  return g;
}

// Three rounds: 10 columns, the printed tabs reach column 16.
inline Grid PoolAnalysisGrid() {
  Grid g(6, 10, 3, 2);
  SetRow(g, 0, {"", "", "", "Round 1", "", "Round 2", "", "Round 3", "", ""});
  SetRow(g, 1, {"", "", "Avg", "Rnd 1", "", "Rnd 2", "", "Rnd 3", "", ""});
  SetRow(g, 2, {"Seed", "Team", "Wins", "Cnt", "%", "Cnt", "%", "Cnt", "%", ""});
  SetRow(g, 3, {"1", "Texas A&M", "1.50", "2", "100%", "1", "50%", "0", "0%", "12345678"});
  SetRow(g, 4, {"12", "A team whose name is rather long", "0.50", "1", "50%", "0", "0%", "0",
                "0%", ""});
  SetRow(g, 5, {"3", "Gonzaga", "0.00", "0", "0%", "0", "0%", "0", "0%", ""});
  g.Tag = " By Seed";
  return g;
}

inline Grid UpsetGrid() {
  Grid g(5, 5, 3, 1);
  for (int c = 0; c < 5; ++c) g.SetColWidth(c, 600);
  SetRow(g, 0, {"", "Upsets <Picked> & Actual", "", "", ""});
  SetRow(g, 1, {"", "Picked", "", "Actual", ""});
  SetRow(g, 2, {"Rnd", "Count", "%", "Count", "%"});
  SetRow(g, 3, {"1", "3", "25%", "1", "25%"});
  SetRow(g, 4, {"2", "1", "12%", "0", "0%"});
  SetupGrid(g, 0, 2, 0, 4);
  return g;
}

inline Grid ParticipantGrid() {
  Grid g(4, 6, 1, 0);
  g.SetColWidth(0, 0);
  SetRow(g, 0, {"Key", "Participant", "Phone", "E-Mail", "Entries", "Owed"});
  SetRow(g, 1, {"1", "Bob \"Ace\" Smith & Company of Texas", "555-0100", "bob@example.com", "2",
                "$10.00"});
  SetRow(g, 2, {"2", "Eve", "", "eve@example.com", "1", "$.00"});
  SetRow(g, 3, {"3", "Zoë Ångström", "555-0199", "zoe@example.com", "12345", "$123456.00"});
  SetupGrid(g, 0, -1, 4, 5);
  g.Tag = " By Participant";
  return g;
}

inline std::string LongPicks() {
  std::string picks;
  const char* teams[] = {"Texas A&M", "Duke", "Gonzaga", "Baylor", "Iowa", "Ohio", "Utah", "Kansas"};
  for (int i = 0; i < 24; ++i) picks += std::string(i ? ", " : "") + teams[i % 8];
  return picks;  // 174 characters
}

inline Grid EntryPicksGrid() {
  Grid g(6, 5, 1, 0);
  g.SetColWidth(0, 0);
  g.SetColWidth(4, 0);
  SetRow(g, 0, {"", "Name and Entry", "Rnd", "Winners Picked", ""});
  SetRow(g, 1, {"1", "Bob \"Ace\" Smith & Company of Texas 1", "1", LongPicks(), ""});
  SetRow(g, 2, {"1", "", "2", "Duke, Iowa, X", ""});
  SetRow(g, 3, {"1", "", "3", "", ""});
  SetRow(g, 4, {"3", "Eve 1", "1", "Duke", ""});
  SetRow(g, 5, {"3", "", "2", std::string(130, 'x'), ""});
  g.Tag = " By Name";
  return g;
}

inline ReportEnvironment Env() {
  ReportEnvironment env;
  env.now = ReportNow();
  env.web.fontSize = 9;
  env.web.pageOpen = "<!-- page open -->";
  env.web.pageClose = "<!-- page close -->";
  return env;
}

// Printed pages as text: a line per page start, "B " before bold lines.
inline std::string PagesText(const std::vector<PrintedPage>& pages) {
  std::string out;
  for (size_t p = 0; p < pages.size(); ++p) {
    out += "=== page " + std::to_string(p + 1) + " ===\n";
    for (const auto& line : pages[p]) out += (line.bold ? "B " : "  ") + line.text + "\n";
  }
  return out;
}

inline std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Lines ended by CR LF, given with LF only; fails on a bare CR or LF.
inline std::string FromCrLf(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare CR at byte " << i;
      continue;
    }
    if (text[i] == '\n') {
      EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at byte " << i;
    }
    out += text[i];
  }
  return out;
}

// Compares the text with the golden file as a whole: same line count, the
// first differing line reported.
inline void ExpectGolden(const std::string& name, const std::string& actual) {
  const auto path = std::filesystem::path(QB_FIXTURES) / "reports" / name;
  if (std::getenv("QB_UPDATE_GOLDEN")) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << actual;
    return;
  }
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << "no golden file " << path;
  std::string expected((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  auto want = SplitLines(expected), got = SplitLines(actual);
  for (size_t i = 0; i < std::min(want.size(), got.size()); ++i) {
    if (want[i] != got[i]) {
      ADD_FAILURE() << name << ": line " << i + 1 << " differs\n  expected: [" << want[i]
                    << "]\n  actual:   [" << got[i] << "]";
      return;
    }
  }
  EXPECT_EQ(got.size(), want.size()) << name << ": line count differs";
  EXPECT_EQ(actual, expected) << name << ": line ends differ";
}

}  // namespace qb::testing
