#include "web/logic/email_report.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "core/cp1252.h"

namespace qb {

std::vector<std::string> SortedAddresses(std::vector<std::string> addresses) {
  auto lower = [](const std::string& s) {
    std::string t = s;
    for (char& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return t;
  };
  std::stable_sort(addresses.begin(), addresses.end(),
                   [&](const std::string& a, const std::string& b) { return lower(a) < lower(b); });
  return addresses;
}

std::string EmailListText(const std::vector<std::string>& sortedAddresses) {
  std::string out = "   ";
  size_t length = 0;
  int onLine = 0;
  bool first = true;
  for (const std::string& address : sortedAddresses) {
    if (address.find_first_not_of(' ') == std::string::npos) continue;
    // Counted in the file's characters, one byte each there.
    const size_t chars = Utf8ToCp1252(address).size();
    length += chars + 2;
    if (!first) out += ", ";
    if (length > 60 && onLine > 0) {
      out += "\r\n   ";
      length = chars + 2;
      onLine = 0;
    }
    out += address;
    ++onLine;
    first = false;
  }
  return out + "\r\n";
}

std::string ReportSeparatorText() { return "\r\n" + std::string(92, '-') + "\r\n\r\n"; }

bool SameFile(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  namespace fs = std::filesystem;
  std::error_code ec1, ec2;
  if (fs::exists(a, ec1) && fs::exists(b, ec2)) {
    std::error_code ec;
    if (fs::equivalent(a, b, ec)) return true;
  }
  std::error_code ec;
  const fs::path ca = fs::weakly_canonical(fs::absolute(a, ec), ec1);
  const fs::path cb = fs::weakly_canonical(fs::absolute(b, ec), ec2);
  return !ec1 && !ec2 && ca == cb;
}

}  // namespace qb
