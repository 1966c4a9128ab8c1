#pragma once
// The windows the main window can open, by window name. A menu item whose
// window is not listed here stays disabled; wiring a window in is one line in
// StandardWindows() (window_table.cpp).
#include <functional>
#include <map>
#include <string>

#include "platform/app_context.h"
#include "platform/child_window.h"

class QWidget;

namespace qb {

struct WindowTable {
  // A modeless child window; the main window places and shows it. A window
  // whose construction refuses to open sets DialogCancelled and is dropped.
  using ChildFactory = std::function<ChildWindow*(AppContext&)>;
  // A modal dialog, shown over parent until it closes; it reports cancel
  // through DialogCancelled.
  using DialogRunner = std::function<void(AppContext&, QWidget* parent)>;

  std::map<std::string, ChildFactory> children;
  std::map<std::string, DialogRunner> dialogs;

  bool Has(const std::string& name) const {
    return children.count(name) > 0 || dialogs.count(name) > 0;
  }
};

// Every window of the program that exists so far.
WindowTable StandardWindows();

}  // namespace qb
