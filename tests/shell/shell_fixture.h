#pragma once
// A main window over test doubles, with small child windows that record the
// commands forwarded to them, or with the program's own windows for the
// roads a user takes through them.
#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/bracket.h"
#include "platform/app_context.h"
#include "platform/child_window.h"
#include "shell/frmMain.h"
#include "shell/window_table.h"

namespace qb {

class TestChild : public ChildWindow {
 public:
  TestChild(AppContext& ctx, std::string name, std::vector<std::string>* log)
      : ChildWindow(ctx), name_(std::move(name)), log_(log) {
    setWindowTitle(QString::fromStdString(name_));
    resize(200, 120);
  }
  std::string windowName() const override { return name_; }
  void cmdOK_Click() override {
    Log("cmdOK_Click");
    if (throwOnOK) throw std::runtime_error("Subscript out of range");
  }
  void cmdCancel_Click() override { Log("cmdCancel_Click"); }
  void cmdFill_Click() override { Log("cmdFill_Click"); }
  void PrintPreview() override { Log("PrintPreview"); }
  void cmdPrint_Click() override { Log("cmdPrint_Click"); }
  void cmdEntryHeader_Click() override { Log("cmdEntryHeader_Click"); }
  void cmdShowParms_Click() override { Log("cmdShowParms_Click"); }
  void ClearPicks() override { Log("ClearPicks"); }
  void CopyEntry() override { Log("CopyEntry"); }
  void AdjustHeightForScoring() override { Log("AdjustHeightForScoring"); }
  bool QueryClose() override {
    Log("QueryClose");
    return !refuseClose;
  }
  bool refuseClose = false;
  bool throwOnOK = false;

 private:
  void Log(const std::string& what) { log_->push_back(name_ + "." + what); }
  std::string name_;
  std::vector<std::string>* log_;
};

class ShellTest : public ::testing::Test {
 protected:
  // Windows known to the test main window; the rest stay unavailable.
  WindowTable TestWindows() {
    WindowTable t;
    for (const char* name :
         {"frmSetup", "frmEnterResults", "frmEditEntry", "frmPrintForm", "frmDisplayRank",
          "frmPossibilities", "frmPoolAnalysis", "frmListBettors"}) {
      std::string n = name;
      t.children[n] = [this, n](AppContext& c) -> ChildWindow* {
        auto* child = new TestChild(c, n, &log);
        if (n == refuseToOpen) c.pool.DialogCancelled = true;
        return child;
      };
    }
    for (const char* name :
         {"frmParms", "frmSelectEntry", "frmDownload", "frmErrors", "frmImportEntries"}) {
      std::string n = name;
      t.dialogs[n] = [this, n](AppContext& c, QWidget*) {
        log.push_back("dialog " + n);
        if (onDialog) onDialog(n, c);
      };
    }
    return t;
  }

  void MakeMain(bool load = true) {
    main = std::make_unique<frmMain>(t.ctx, TestWindows());
    if (load) main->MDIForm_Load();
  }

  // The main window with the program's own windows, loaded.
  void MakeStandardMain() {
    main = std::make_unique<frmMain>(t.ctx, StandardWindows());
    main->MDIForm_Load();
  }

  // Shown and active, so that the focus can be followed.
  void ShowMain() {
    main->show();
    main->activateWindow();
    QApplication::processEvents();
  }

  // A complete bracket of named and seeded teams; the commands follow it.
  void OpenBracket(int teams) {
    PoolState& p = t.pool;
    p.Pool.NumTeams = static_cast<int16_t>(teams);
    for (int n = 1; n <= teams; ++n) {
      p.Teams[n].Name = "Team " + std::to_string(n);
      p.Teams[n].Seed = static_cast<int16_t>(n);
    }
    SetupBracketFromParameters(p, t.prompts);
    main->EnableFileCommands();
    main->AdjustMenuForParameters();
  }

  // Lets the closed windows go and what they left behind run.
  static void Flush() {
    for (int i = 0; i < 3; ++i) {
      QApplication::processEvents();
      QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
  }

  static QWidget* Focus() {
    QApplication::processEvents();
    return QApplication::focusWidget();
  }
  // The active child window, or null.
  QWidget* Active() const {
    QMdiSubWindow* sub = main->mdiArea()->activeSubWindow();
    return sub ? sub->widget() : nullptr;
  }
  bool FocusInActiveChild() const {
    QWidget* f = Focus();
    return f && Active() && (f == Active() || Active()->isAncestorOf(f));
  }

  TestChild* Open(const std::string& name) {
    main->ShowWindowByName(name);
    return dynamic_cast<TestChild*>(main->ActiveChild());
  }

  // A pool with a complete 8-team bracket, open in the main window.
  void OpenCompletePool() {
    PoolState& p = t.pool;
    p.Pool.PoolName = "Office";
    p.Pool.PoolId = 57;
    p.Pool.NumTeams = 8;
    p.NumSlots = 8;
    for (int n = 1; n <= 8; ++n) p.Teams[n].Name = "Team " + std::to_string(n);
    main->EnableFileCommands();
  }

  bool Enabled(const std::string& item) { return main->MenuItem(item)->isEnabled(); }
  bool ButtonEnabled(const std::string& key) { return main->ToolbarButton(key)->isEnabled(); }

  TestContext t;
  std::vector<std::string> log;
  std::string refuseToOpen;
  std::function<void(const std::string&, AppContext&)> onDialog;
  std::unique_ptr<frmMain> main;
};

}  // namespace qb
