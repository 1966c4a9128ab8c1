#pragma once
// A pool with a bracket, a context with doubles, and drops made the way the
// bracket view reports them.
#include <gtest/gtest.h>

#include <QMimeData>
#include <memory>
#include <string>

#include "bracket/bracket_view.h"
#include "core/bracket.h"
#include "core/pool_state.h"
#include "platform/app_context.h"
#include "support/fake_main_window.h"

namespace qb::test {

struct BracketWindowTest : ::testing::Test {
  TestContext t;
  FakeMainWindow main;

  // teams real teams named "Team n" with seed n; the named slots become "Bye".
  void MakePool(int teams, std::initializer_list<int> byes = {}, int expectSlots = 0) {
    PoolState& s = t.pool;
    ClearPool(s);
    t.ctx.main = &main;
    s.Pool.NumTeams = static_cast<int16_t>(teams);
    for (int n = 1; n <= kMaxSlots; ++n) {
      s.Teams[n].Number = static_cast<int16_t>(n);
      s.Teams[n].Name = "Team " + std::to_string(n);
      s.Teams[n].Seed = static_cast<int16_t>(n);
    }
    for (int n : byes) {
      s.Teams[n].Name = "Bye";
      s.Teams[n].Seed = 0;
    }
    SetupBracketFromParameters(s, t.prompts);
    ASSERT_FALSE(s.DialogCancelled);
    if (expectSlots) {
      ASSERT_EQ(s.NumSlots, expectSlots);
    }
  }

  static bool Drop(BracketView* view, BoxRef target, BoxRef source) {
    std::unique_ptr<QMimeData> data(view->DragData(source));
    return view->HandleDrop(target, data.get());
  }

  // A new user action: the next sound may play.
  void NextAction() { t.pool.SoundPlayed = 0; }
  std::string LastSound() const { return t.waves.played.empty() ? "" : t.waves.played.back(); }
};

}  // namespace qb::test
