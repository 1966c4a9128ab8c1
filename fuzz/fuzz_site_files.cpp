// libFuzzer target: any bytes read as the files the web site serves to the
// upload: the path file that names the file-transfer server, the pool-name
// owner file and a page template.
// - A path file is refused with a reason or gives a server address that
//   reaches only a host (and port), a row limit of at least 100, and a
//   folder prefix that comes back whole in every command's remote path.
// - The owner file reads as ours only when it holds our key.
// - A template's text is no longer than its items (as UTF-8) and their line ends.
// fuzz-sources: src/core src/web/logic
// fuzz-libs: -lcurl
// fuzz-seeds: fuzz/seeds/site_files
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "web/logic/report_upload.h"

namespace {

constexpr const char* kKey = "40271935";
constexpr const char* kOwner = "abcdefghij012";

std::vector<std::string> SplitAtQuotes(const std::string& command) {
  std::vector<std::string> parts(1);
  for (char c : command)
    if (c == '"') parts.emplace_back();
    else parts.back() += c;
  return parts;
}

// SEND "local" "remote" or GET "remote" "local": the remote path must be the
// prefix and the path the command was made for, nothing cut or added.
void CheckRemote(const std::string& command, bool send, const std::string& prefix,
                 const std::string& path) {
  const std::vector<std::string> parts = SplitAtQuotes(command);
  if (parts.size() != 5 || parts[2] != " " || !parts[4].empty()) __builtin_trap();
  const std::string& remote = send ? parts[3] : parts[1];
  if (remote != prefix + path) __builtin_trap();
}

void PathFile(const std::string& bytes) {
  qb::FtpPathFile f;
  try {
    f = qb::ReadFtpPathFile(bytes, kKey);
  } catch (const std::runtime_error& e) {
    if (std::string(e.what()).empty()) __builtin_trap();
    return;
  }
  if (!qb::IsServerAddress(f.serverAddress)) __builtin_trap();
  if (f.rowLimit < 100) __builtin_trap();
  // A prefix the reader lets through always makes commands.
  const qb::UploadCommands cmd("/tmp/qb-site", f.remoteFolderPrefix, kOwner, "Office");
  CheckRemote(cmd.CheckPoolName(), false, f.remoteFolderPrefix, "qbrptnames/OFFICE.txt");
  CheckRemote(cmd.GetTemplate(qb::kPageOpenTemplate), false, f.remoteFolderPrefix,
              std::string("qbreports/") + qb::kPageOpenTemplate);
  CheckRemote(cmd.StoreKeyFile(), true, f.remoteFolderPrefix,
              std::string("qbrpthash/") + kOwner + ".txt");
  const std::string report = cmd.SendReport("Rankings");
  if (SplitAtQuotes(report).size() != 5) __builtin_trap();
  if (SplitAtQuotes(report)[3].rfind(f.remoteFolderPrefix, 0) != 0) __builtin_trap();
}

void OwnerFile(const std::string& bytes) {
  if (qb::PoolNameOwnerOf(bytes, kOwner) == qb::PoolNameOwner::Ours &&
      bytes.find(kOwner) == std::string::npos)
    __builtin_trap();
}

void Template(const std::string& bytes) {
  size_t items = 1;
  for (char c : bytes)
    if (c == ',' || c == '\r' || c == '\n') ++items;
  // Read as Windows-1252, a byte becomes at most three of UTF-8.
  if (qb::TemplateText(bytes).size() > 3 * bytes.size() + 2 * items) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  PathFile(bytes);
  OwnerFile(bytes);
  Template(bytes);
  return 0;
}
