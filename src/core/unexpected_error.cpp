#include "core/unexpected_error.h"

#include "core/prompts.h"

namespace qb {

std::string UnexpectedErrorText(long number, const std::string& description,
                                const std::string& source) {
  return "The system has detected an unexpected error.\r\n\nError #" + std::to_string(number) +
         ":  " + description + ", Source:  " + source;
}

void ReportUnexpectedError(Prompts& prompts, long number, const std::string& description,
                           const std::string& source) {
  for (int i = 0; i < 3; ++i) prompts.Beep();
  prompts.Show(UnexpectedErrorText(number, description, source), MsgIcon::Critical);
}

}  // namespace qb
