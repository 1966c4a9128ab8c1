#pragma once
// Base of every modeless child window of the main window. The main window
// forwards its bottom toolbar, Edit menu and pop-up menu to the active child
// by windowName(); a window that has no such command ignores it.
#include <QWidget>
#include <string>

#include "platform/app_context.h"

namespace qb {

class ChildWindow : public QWidget {
  Q_OBJECT
 public:
  ChildWindow(AppContext& ctx, QWidget* parent = nullptr) : QWidget(parent), ctx_(ctx) {}
  virtual std::string windowName() const = 0;

  virtual void cmdOK_Click() {}
  virtual void cmdCancel_Click() {}
  virtual void cmdFill_Click() {}
  virtual void PrintPreview() {}
  // File > Print: the print preview prints its form; a report window prints
  // the report it shows (OutputMode is "Print" then).
  virtual void cmdPrint_Click() {}
  virtual void cmdEntryHeader_Click() {}
  virtual void cmdShowParms_Click() {}
  virtual void ClearPicks() {}
  virtual void CopyEntry() {}
  // The entry editor sizes itself to View > Show Entry Scoring Summary.
  virtual void AdjustHeightForScoring() {}
  // Help topic of the window, for Help > Window Help; 0 is the overview.
  virtual int helpContext() const { return 0; }
  // False refuses the close (the user chose Cancel at "keep your changes?").
  // The main window asks it when the user or a file command closes the
  // window; a window that closes itself (OK, Cancel) just calls close().
  virtual bool QueryClose() { return true; }
  // Where the focus goes when the window opens: its first field; null for
  // the window itself.
  virtual QWidget* FirstField() const { return nullptr; }

  AppContext& context() { return ctx_; }

 protected:
  // Ctrl+F4 closes the window as its close box does, questions and all.
  bool event(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  // The frame the window stands in inside the main window, or the window.
  void CloseAsTheCloseBoxDoes();

  AppContext& ctx_;
};

}  // namespace qb
