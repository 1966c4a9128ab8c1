#include "entries/entry_dialogs.h"

#include "core/prompts.h"
#include "entries/frmCopyEntry.h"
#include "entries/frmEntryParms.h"
#include "platform/main_window_api.h"

namespace qb {

void EntryDialogs::EntryHeader(AppContext& ctx, QWidget* owner) {
  // The header dialog is not part of this build yet.
  ctx.prompts.Beep();
  ctx.pool.DialogCancelled = true;
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

bool EntryDialogs::PrintForm(AppContext& ctx, QWidget* owner) { return false; }

EntryDialogs& StandardEntryDialogs() {
  static EntryDialogs dialogs;
  return dialogs;
}

QWidget* MainWindowWidget(AppContext& ctx, QWidget* fallback) {
  if (auto* w = dynamic_cast<QWidget*>(ctx.main)) return w;
  return fallback;
}

}  // namespace qb
