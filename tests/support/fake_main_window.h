#pragma once
// Records what a window asks of the main window, for window tests.
#include <string>
#include <vector>

#include "platform/child_window.h"
#include "platform/main_window_api.h"

namespace qb {

class FakeMainWindow : public MainWindowApi {
 public:
  void AdjustMenuForActiveWindow() override { calls.push_back("AdjustMenuForActiveWindow"); }
  void AdjustMenuForParameters() override { calls.push_back("AdjustMenuForParameters"); }
  void EnableFileCommands() override { calls.push_back("EnableFileCommands"); }
  void DisableFileCommands() override { calls.push_back("DisableFileCommands"); }
  void RefreshCaption() override { calls.push_back("RefreshCaption"); }
  void AddMRU(const std::string& path) override { calls.push_back("AddMRU " + path); }
  void SaveFile1N(const std::string& fileName, bool makeBackup) override {
    calls.push_back("SaveFile1N " + fileName);
  }
  void SaveOpenPool() override {
    calls.push_back("SaveOpenPool");
    if (pool) pool->DialogCancelled = !saveSucceeds;
  }
  void InitialOpen(const std::string& fileName) override {
    calls.push_back("InitialOpen " + fileName);
  }
  void DisplayContextHelp(const std::string& helpFile, int helpContext,
                          const std::string& windowName) override {
    calls.push_back("DisplayContextHelp " + windowName);
  }
  void ShowChild(ChildWindow* child) override {
    calls.push_back("ShowChild " + child->windowName());
    children.push_back(child);
    child->show();
  }
  void ShowWindowByName(const std::string& windowName) override {
    calls.push_back("ShowWindowByName " + windowName);
  }
  void PopupEntryMenu(QWidget*) override { calls.push_back("PopupEntryMenu"); }
  void SetSaveCancelMenu(bool editing) override {
    calls.push_back(editing ? "SetSaveCancelMenu on" : "SetSaveCancelMenu off");
  }
  void SetPreviewButtons() override { calls.push_back("SetPreviewButtons"); }
  void SetStatusText(const std::string& text) override { status = text; }
  void SetEntryPopupItemVisible(const std::string& item, bool visible) override {
    calls.push_back((visible ? "ShowPopupItem " : "HidePopupItem ") + item);
  }
  bool ShowEntryScoringChecked() const override { return showScoring; }
  void HideBottomToolbar() override { calls.push_back("HideBottomToolbar"); }

  bool Called(const std::string& prefix) const {
    for (const auto& c : calls)
      if (c.rfind(prefix, 0) == 0) return true;
    return false;
  }
  std::vector<std::string> calls;
  std::vector<ChildWindow*> children;
  std::string status;
  bool showScoring = true;
  // SaveOpenPool: the pool whose DialogCancelled it sets, and the outcome.
  PoolState* pool = nullptr;
  bool saveSucceeds = true;
};

}  // namespace qb
