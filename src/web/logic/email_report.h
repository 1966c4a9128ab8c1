#pragma once
// The e-mail report file: the participants' addresses, then the chosen
// reports in their text form, each followed by the separator.
#include <array>
#include <string>
#include <vector>

namespace qb {

inline constexpr const char* kDefaultReportFileName = "Quorvel Brakkon Reports.txt";

// The reports the distribution window offers, in the order they are written
// and sent: the check box and the report's name on the web site.
struct DistributedReport {
  const char* checkBox;
  const char* webName;
};
inline constexpr std::array<DistributedReport, 8> kDistributedReports = {{
    {"chkBettors", "Participants"},
    {"chkEntries", "Entries"},
    {"chkCurrentStandings", "Rankings"},
    {"chkPoolWinners", "Winners"},
    {"chkPossibilitiesByScenario", "Scenarios"},
    {"chkPossibilitiesByName", "Possibilities"},
    {"chkTeamAnalysis", "PoolAnalysis"},
    {"chkRoundAnalysis", "RoundAnalysis"},
}};

// The addresses in the order of a sorted list box: alphabetical, ignoring
// case; equal ones keep their order.
std::vector<std::string> SortedAddresses(std::vector<std::string> addresses);

// The e-mail list of the sorted addresses: lines that start with three
// blanks, ", " between addresses, a new line before an address that would
// take the line past 60 characters (the line then ends with ", "). Empty
// addresses are left out; with none the list is one line of three blanks.
// Lines end with CR LF.
std::string EmailListText(const std::vector<std::string>& sortedAddresses);

// An empty line, 92 "-", an empty line.
std::string ReportSeparatorText();

// True when the two names lead to the same file (or would, once written).
bool SameFile(const std::string& a, const std::string& b);

}  // namespace qb
