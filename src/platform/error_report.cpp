#include "platform/error_report.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QWidget>
#include <ios>
#include <new>
#include <stdexcept>

#include "platform/app_context.h"
#include "platform/main_window_api.h"

namespace qb {

MsgAnswer AskKeepChanges(Prompts& prompts, bool changed) {
  if (!changed) return MsgAnswer::No;
  prompts.Beep();
  return prompts.Ask(kKeepChangesText, MsgButtons::YesNoCancel, MsgIcon::Question);
}

int ErrorNumberOf(const std::exception& e) {
  if (auto* u = dynamic_cast<const UnexpectedError*>(&e)) return u->number();
  if (dynamic_cast<const std::bad_alloc*>(&e)) return 7;        // out of memory
  if (dynamic_cast<const std::out_of_range*>(&e)) return 9;     // subscript out of range
  if (dynamic_cast<const std::overflow_error*>(&e)) return 6;   // overflow
  if (dynamic_cast<const std::range_error*>(&e)) return 6;
  if (dynamic_cast<const std::ios_base::failure*>(&e)) return 57;  // device I/O error
  if (dynamic_cast<const std::invalid_argument*>(&e)) return 5;  // invalid call or argument
  return 0;
}

void ReportUnexpectedError(AppContext& ctx, QWidget* window, bool unload, const std::exception& e,
                           const std::string& source) {
  while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
  std::string from = source;
  if (auto* u = dynamic_cast<const UnexpectedError*>(&e); u && !u->source().empty())
    from = u->source();
  ReportUnexpectedError(ctx.prompts, ErrorNumberOf(e), e.what(), from);
  if (!unload || !window || window == dynamic_cast<QWidget*>(ctx.main)) return;
  // A child of the main window goes with the frame it sits in.
  if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
    sub->close();
  else
    window->close();
}

}  // namespace qb
