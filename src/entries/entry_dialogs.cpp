#include "entries/entry_dialogs.h"

#include "bracket/bracket_windows.h"
#include "core/prompts.h"
#include "entries/frmEntryHeader.h"
#include "entries/frmCopyEntry.h"
#include "entries/frmEntryParms.h"
#include "platform/main_window_api.h"

namespace qb {

void EntryDialogs::EntryHeader(AppContext& ctx, QWidget* owner) {
  frmEntryHeader dialog(ctx, owner);
  dialog.exec();
}

void EntryDialogs::EntryParms(AppContext& ctx, QWidget* owner) {
  frmEntryParms dialog(ctx, owner);
  dialog.exec();
}

int EntryDialogs::CopyFrom(AppContext& ctx, QWidget* owner, int currentEntry) {
  frmCopyEntry dialog(ctx, currentEntry, owner);
  dialog.exec();
  return dialog.chosenEntry();
}

void EntryDialogs::PrintForm(AppContext& ctx, int document) { OpenPrintForm(ctx, document); }

EntryDialogs& StandardEntryDialogs() {
  static EntryDialogs dialogs;
  return dialogs;
}

QWidget* MainWindowWidget(AppContext& ctx, QWidget* fallback) {
  if (auto* w = dynamic_cast<QWidget*>(ctx.main)) return w;
  return fallback;
}

}  // namespace qb
