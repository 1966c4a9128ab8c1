#pragma once
// The entry editor's dialogs answered by script, and a context with an
// 8-team pool for the entry window tests.
#include <QMimeData>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "entries/entry_dialogs.h"
#include "entries/frmEditEntry.h"
#include "entries/logic/bracket_pool.h"
#include "platform/app_context.h"
#include "support/fake_main_window.h"

namespace qb::testing {

class ScriptedEntryDialogs : public EntryDialogs {
 public:
  void EntryHeader(AppContext& ctx, QWidget*) override {
    calls.push_back("EntryHeader");
    headerNewEntryMode.push_back(ctx.pool.NewEntryMode);
    if (onHeader)
      onHeader(ctx);
    else
      ctx.pool.DialogCancelled = true;
  }
  void EntryParms(AppContext&, QWidget*) override { calls.push_back("EntryParms"); }
  int CopyFrom(AppContext&, QWidget*, int currentEntry) override {
    calls.push_back("CopyFrom " + std::to_string(currentEntry));
    return copyFrom;
  }
  void PrintForm(AppContext& ctx, int document) override {
    calls.push_back("PrintForm " + std::to_string(document));
    ctx.pool.PrintEntry = static_cast<int16_t>(document);
  }
  bool Called(const std::string& prefix) const {
    for (const auto& c : calls)
      if (c.rfind(prefix, 0) == 0) return true;
    return false;
  }

  // What the header does; unset, it is cancelled.
  std::function<void(AppContext&)> onHeader;
  int copyFrom = 0;
  std::vector<std::string> calls;
  std::vector<bool> headerNewEntryMode;
};

// The header's OK for the entry being edited: participant and number.
inline std::function<void(AppContext&)> HeaderGives(int bettor, int number) {
  return [bettor, number](AppContext& ctx) {
    PoolState& s = ctx.pool;
    s.Entries[s.EditEntryNumber].BettorIndex = static_cast<int16_t>(bettor);
    s.Entries[s.EditEntryNumber].EntryNumber = static_cast<int16_t>(number);
    s.DialogCancelled = false;
  };
}

struct EditorFixtureBase {
  TestContext tc;
  FakeMainWindow main;
  ScriptedEntryDialogs dialogs;
  PoolState& s = tc.pool;

  EditorFixtureBase() { tc.ctx.main = &main; }

  // Opens the editor for entry e as an opener would; the window deletes itself
  // when it closes, so tests hold it in a QPointer.
  QPointer<frmEditEntry> OpenEditor(int e, QWidget* caller = nullptr) {
    s.EditEntryNumber = static_cast<int16_t>(e);
    tc.ctx.EditEntryCaller = caller;
    auto* w = new frmEditEntry(tc.ctx);
    w->SetDialogs(&dialogs);
    return w;
  }
  static bool DropTeam(frmEditEntry* w, int slot, const char* target) {
    std::unique_ptr<QMimeData> data(w->DragData({DragSource::TeamName, slot}));
    return w->DropOn(w->findChild<QWidget*>(target), data.get());
  }
  static bool DropWinner(frmEditEntry* w, int game, const char* target) {
    std::unique_ptr<QMimeData> data(w->DragData({DragSource::Winner, game}));
    return w->DropOn(w->findChild<QWidget*>(target), data.get());
  }
};

}  // namespace qb::testing
