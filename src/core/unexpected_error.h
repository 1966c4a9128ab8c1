#pragma once
// The one report of an unexpected run-time error.
#include <string>

namespace qb {

class Prompts;

// "The system has detected an unexpected error." CR LF LF "Error #" number
// ":  " description ", Source:  " source.
std::string UnexpectedErrorText(long number, const std::string& description,
                                const std::string& source);

// Beeps three times and shows the text with the critical icon. Restoring the
// mouse pointer and unloading the window are the caller's (the window layer).
void ReportUnexpectedError(Prompts& prompts, long number, const std::string& description,
                           const std::string& source);

}  // namespace qb
