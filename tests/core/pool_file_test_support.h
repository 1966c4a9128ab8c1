#pragma once
// Shared set-up of the pool file tests: a pool state with recording doubles
// for every service, fixture files, and a temporary folder.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "core/bracket.h"
#include "core/pool_file_host.h"
#include "core/pool_file_reader.h"
#include "core/pool_file_writer.h"
#include "core/pool_state.h"
#include "core/prompts.h"
#include "core/services.h"

namespace qb::testing {

inline std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void PutFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

inline std::string Fixture(const std::string& name) {
  return FileBytes(std::filesystem::path(QB_FIXTURES) / name);
}

// The 12:00 of 10 December 2026 that every file written in the tests carries.
inline std::tm TestNow() {
  std::tm t{};
  t.tm_year = 126;
  t.tm_mon = 11;
  t.tm_mday = 10;
  t.tm_hour = 12;
  return t;
}

// Compares two files line by line and names the first line that differs.
inline ::testing::AssertionResult SameLines(const std::string& expected, const std::string& actual) {
  if (expected == actual) return ::testing::AssertionSuccess();
  auto split = [](const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\n') {
        lines.push_back(text.substr(start, i + 1 - start));
        start = i + 1;
      }
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
  };
  auto e = split(expected), a = split(actual);
  for (size_t i = 0; i < std::max(e.size(), a.size()); ++i) {
    std::string el = i < e.size() ? e[i] : "<none>", al = i < a.size() ? a[i] : "<none>";
    if (el != al)
      return ::testing::AssertionFailure() << "line " << i + 1 << " of " << e.size()
                                           << " expected:\n  " << el << "\ngot (of " << a.size()
                                           << " lines):\n  " << al;
  }
  return ::testing::AssertionFailure() << "files differ";
}

class PoolFileTest : public ::testing::Test {
 protected:
  // Reads bytes as the file at a made-up path.
  bool Read(const std::string& bytes, const std::string& path = "/pools/Office.qbp") {
    s.PoolFilePath = path;
    std::istringstream in(bytes);
    return ReadPoolFile(s, in, svc);
  }
  std::string Written(PoolFileLayout layout = PoolFileLayout::Full) {
    return PoolFileText(s, layout, TestNow());
  }

  PoolState s;
  RecordingPoolFileHost host;
  ScriptedPrompts prompts;
  FixedRandom random{0.5};
  FixedClock clock{TestNow()};
  PoolFileServices svc{host, prompts, random, clock};
};

// A folder of its own under the system's temporary folder, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    static int counter = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("qb-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
  // Names of the files in the folder, sorted.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::recursive_directory_iterator(path_))
      names.push_back(std::filesystem::relative(e.path(), path_).string());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::filesystem::path path_;
};

}  // namespace qb::testing

namespace qb::testing {

// The pool that tests/fixtures/pool_5_teams.qbp holds, as the windows would
// leave it: double quotes typed in, a nameless participant and a deleted entry.
inline void MakeFiveTeamPool(PoolState& s, Prompts& prompts) {
  ClearPool(s);
  PoolHeader& p = s.Pool;
  p.PoolId = 1234;
  p.PoolName = "Office \"Pool\"";
  p.NumTeams = 5;
  p.CostPerEntry = Currency::FromDouble(5.5);
  p.HoldbackAmt = Currency::FromDouble(2.5);
  p.TiebreakerUsed = true;
  p.TiebreakerType = "Points Final Game - Both Teams";
  p.PoolInstructions = "Pick every game.";
  p.DownloadSource = "2026 \"Spring\" brackets";
  p.ReportFileName = "report.txt";
  p.WebPoolName = "office-pool";
  p.RoundPoints[1] = 1;
  p.RoundPoints[2] = 2;
  p.RoundPoints[3] = 4;
  p.SeedMethod[2] = 1;
  p.SeedFactor[2] = 0.5f;
  p.SeedMethod[3] = 2;
  p.SeedFactor[3] = 1.5f;
  p.PayoutPct[1] = 70;
  p.PayoutPct[2] = 30;
  const char* names[] = {"", "Gators", "Zo\xC3\xAB's Owls", "Hawks", "Bye", "Bears", "Bye", "Lions", "Bye"};
  const int seeds[] = {0, 1, 4, 2, 0, 3, 0, 5, 0};
  for (int n = 1; n <= 8; ++n) {
    s.Teams[n].Number = static_cast<int16_t>(n);
    s.Teams[n].Name = names[n];
    s.Teams[n].Seed = static_cast<int16_t>(seeds[n]);
  }
  p.Results[1] = 2;
  p.Results[2] = 3;
  p.Results[3] = 5;
  p.Results[4] = 7;
  SetupBracketFromParameters(s, prompts);

  s.NumBettors = 3;
  s.Bettors.assign(4, BettorRecord{});
  s.Bettors[1] = {"Ann", "", "555-0100", "ann@example.com", false};
  s.Bettors[3] = {"Bob", "Floor 3, desk 7\nby the window", "", "bob@example.com", false};

  s.NumEntries = 4;
  s.Entries.assign(5, EntryRecord{});
  s.Entries[1].BettorIndex = 1;
  s.Entries[1].EntryNumber = 1;
  s.Entries[1].Tiebreaker = 140;
  s.Entries[1].Collected = true;
  s.Entries[2].BettorIndex = 0;  // deleted
  s.Entries[2].EntryNumber = 9;
  s.Entries[3].BettorIndex = 3;
  s.Entries[3].EntryNumber = 1;
  s.Entries[3].Tiebreaker = 135.5f;
  s.Entries[4].BettorIndex = 1;
  s.Entries[4].EntryNumber = 2;
  s.Picks.Resize(s.NumGames + 1, s.NumEntries + 1);
  const int picks[5][8] = {{},
                           {0, 1, 3, 5, 7, 1, 5, 1},
                           {0, 2, 4, 6, 8, 2, 6, 2},
                           {0, 2, 3, 5, 7, 3, 7, 7},
                           {0, 1, 3, 5, 7, 3, 5, 3}};
  for (int e = 1; e <= 4; ++e)
    for (int g = 1; g <= 7; ++g) s.Picks(g, e) = static_cast<int16_t>(picks[e][g]);
}

}  // namespace qb::testing
