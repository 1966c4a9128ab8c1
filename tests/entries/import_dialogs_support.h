#pragma once
// The open pool and the files of the import window tests: a pool of the four
// teams the fixture "import_4_teams.qbp" holds, files copied into a
// temporary folder, and clicks on grid cells.
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

#include "entries/logic/import_pool.h"
#include "entries/logic/pool_builder.h"
#include "platform/grid_view.h"

namespace qb::testing {

// Gators, Owls, Hawks, Bears; Ann (entry 1, collected) and Bob (entry 1).
inline void MakeOpenPool(PoolState& s) {
  MakeFourTeamPool(s);
  int ann = AddBettor(s, "Ann", "", "ann@x.org");
  int bob = AddBettor(s, "Bob", "555", "bob@x.org");
  AddEntry(s, ann, 1, true);
  AddEntry(s, bob, 1);
  s.Picks.EnsureSize(s.NumGames + 1, 3);
  for (int g = 1; g <= 3; ++g) {
    s.Picks(g, 1) = static_cast<int16_t>(g == 2 ? 3 : 1);
    s.Picks(g, 2) = static_cast<int16_t>(g == 1 ? 2 : 4);
  }
  s.PoolChanged = false;
}

inline std::string FixtureBytes(const std::string& name) {
  std::ifstream in(std::filesystem::path(QB_FIXTURES) / name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Files for one test, in a folder removed afterwards.
class ImportFolder {
 public:
  // Writes bytes under the name; returns the full path.
  std::string Put(const std::string& name, const std::string& bytes) {
    std::string path = (std::filesystem::path(dir_.path().toStdString()) / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  std::string Copy(const std::string& fixture) { return Put(fixture, FixtureBytes(fixture)); }
  std::string Path(const std::string& name) const {
    return (std::filesystem::path(dir_.path().toStdString()) / name).string();
  }

 private:
  QTemporaryDir dir_;
};

inline void ClickCell(GridView* view, int r, int c) {
  view->RefreshLayout();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                    view->visualRect(view->model()->index(r, c)).center());
}

inline std::vector<std::string> GridRow(GridView* view, int r) {
  std::vector<std::string> cells;
  for (int c = 0; c < view->grid().Cols(); ++c) cells.push_back(view->grid().TextMatrix(r, c));
  return cells;
}

}  // namespace qb::testing
