#pragma once
// The one report of an unexpected error, and the question a window with
// unsaved changes asks when it closes.
#include <exception>
#include <stdexcept>
#include <string>

#include "core/prompts.h"
#include "core/unexpected_error.h"

class QWidget;

namespace qb {

struct AppContext;

inline constexpr const char* kKeepChangesText = "Do you wish to keep your changes?";

// Asks "Do you wish to keep your changes?" (Yes, No, Cancel) when changed is
// set; unchanged, nothing is asked and the answer is No (close, nothing to keep).
MsgAnswer AskKeepChanges(Prompts& prompts, bool changed);

// An error with the number the report shows.
class UnexpectedError : public std::runtime_error {
 public:
  UnexpectedError(int number, const std::string& description, const std::string& source = {})
      : std::runtime_error(description), number_(number), source_(source) {}
  int number() const { return number_; }
  const std::string& source() const { return source_; }

 private:
  int number_;
  std::string source_;
};

// The number and description an exception is reported with.
int ErrorNumberOf(const std::exception& e);

// The window side of the report: restores the normal mouse pointer, reports
// the exception (three beeps and the message), then closes the window when unload is set and it is not the main window.
void ReportUnexpectedError(AppContext& ctx, QWidget* window, bool unload, const std::exception& e,
                           const std::string& source);

// Runs a handler; an exception that escapes it goes to the report.
template <class F>
void RunGuarded(AppContext& ctx, QWidget* window, bool unload, const std::string& source,
                F&& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    ReportUnexpectedError(ctx, window, unload, e, source);
  } catch (...) {
    ReportUnexpectedError(ctx, window, unload, std::runtime_error("Unknown error"), source);
  }
}

}  // namespace qb
