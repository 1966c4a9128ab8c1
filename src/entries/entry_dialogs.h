#pragma once
// The modal dialogs the entry windows open, behind one small seam: the
// program runs the real dialogs, window tests answer them without a modal loop.
#include "platform/app_context.h"

class QWidget;

namespace qb {

class EntryDialogs {
 public:
  virtual ~EntryDialogs() = default;
  // The entry header for EditEntryNumber; DialogCancelled true afterwards is Cancel.
  virtual void EntryHeader(AppContext& ctx, QWidget* owner);
  // The read-only view of the pool's parameters.
  virtual void EntryParms(AppContext& ctx, QWidget* owner);
  // The entry to copy picks from (CopyFromEntry), 0 when cancelled.
  virtual int CopyFrom(AppContext& ctx, QWidget* owner, int currentEntry);
  // The print preview of `document` (PrintEntry); when it cannot be shown
  // the user is told and PrintEntry stays 0.
  virtual void PrintForm(AppContext& ctx, int document);
};

// The real dialogs.
EntryDialogs& StandardEntryDialogs();

// The main window as a widget (the owner of the modal dialogs), else the fallback.
QWidget* MainWindowWidget(AppContext& ctx, QWidget* fallback);

}  // namespace qb
