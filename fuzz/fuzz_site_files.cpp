// libFuzzer target: any bytes read as each file the web site serves the
// upload: the path file (with its scrambled password field), the pool name
// file and a page template. A path file either is refused with a reason or
// gives a server that is host[:port], a login free of control characters,
// a row limit of at least 100 and commands whose remote paths come back as
// put in; a scrambled field is refused and left as it was, or gives the
// payload its first character announces; the pool name file names this
// installation only when it holds its key, and the one an upload stores
// always does; a template's text is bounded by the bytes it came from.
// fuzz-sources: src/core src/web/logic
// fuzz-libs: -lcurl
// fuzz-seeds: fuzz/seeds/site_files
// fuzz-dict: fuzz/site_files.dict
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "core/text_format.h"
#include "web/logic/report_upload.h"
#include "web/logic/scramble.h"
#include "web/logic/transfer.h"
#include "web/logic/web_site.h"

namespace {

constexpr const char* kOwnKey = "abcdefghij123";

bool Blank(char c) { return c == ' '; }

// The command must read back with the local and remote paths it was made of.
void ExpectCommand(const std::string& text, qb::TransferCommand::Verb verb,
                   const std::string& first, const std::string& second) {
  qb::TransferCommand c;
  if (!qb::ParseTransferCommand(text, c)) __builtin_trap();
  if (c.verb != verb || c.first != first || c.second != second) __builtin_trap();
}

void PathFile(const std::string& bytes, const std::string& key) {
  qb::FtpPathFile f;
  try {
    f = qb::ReadFtpPathFile(bytes, key);
  } catch (const std::runtime_error& e) {
    if (std::string(e.what()).empty()) __builtin_trap();
    return;
  }
  if (!qb::IsServerAddress(f.serverAddress)) __builtin_trap();
  if (f.rowLimit < 100) __builtin_trap();
  for (const std::string* t : {&f.remoteFolderPrefix, &f.userName})
    if (!t->empty() && (Blank(t->front()) || Blank(t->back()))) __builtin_trap();
  // Nothing in the login may end the server's command early.
  for (const std::string* t : {&f.userName, &f.password})
    for (char c : *t)
      if (static_cast<unsigned char>(c) < 32 || c == 127) __builtin_trap();

  const std::string& p = f.remoteFolderPrefix;
  const qb::UploadCommands cmd("/data/qb", p, kOwnKey, "office pool");
  using V = qb::TransferCommand::Verb;
  const std::string key13 = kOwnKey;
  ExpectCommand(cmd.TestConnection(), V::Send, cmd.KeyFile(), p + "qbrpthash/test.txt");
  ExpectCommand(cmd.CheckPoolName(), V::Get, p + "qbrptnames/OFFICE POOL.txt",
                cmd.LocalFile(qb::kPoolNameCopy));
  ExpectCommand(cmd.GetTemplate(qb::kPageOpenTemplate), V::Get,
                p + "qbreports/" + qb::kPageOpenTemplate, cmd.LocalFile(qb::kPageOpenTemplate));
  ExpectCommand(cmd.StoreKeyFile(), V::Send, cmd.KeyFile(), p + "qbrpthash/" + key13 + ".txt");
  ExpectCommand(cmd.StorePoolNameFile(), V::Send, cmd.KeyFile(),
                p + "qbrptnames/OFFICE POOL.txt");
  ExpectCommand(cmd.SendReport("Standings"), V::Send, cmd.LocalFile("Standings.htm"),
                p + "qbreports/" + key13 + "-Standings.htm");
}

void Unscramble(const std::string& bytes, const std::string& key) {
  std::string text = bytes;
  std::string plain;
  try {
    plain = qb::UnscrambleText(text, key);
  } catch (const std::invalid_argument&) {
    if (text != bytes) __builtin_trap();  // a refused text stays as it was
    return;
  }
  // The payload its first character announces, the plain text no longer.
  const int announced = 109 - static_cast<unsigned char>(bytes.front());
  if (text.size() != static_cast<size_t>(announced < 1 ? 1 : announced)) __builtin_trap();
  if (bytes.compare(1, text.size(), text) != 0) __builtin_trap();
  if (plain.size() > text.size()) __builtin_trap();
  if (!plain.empty() && (Blank(plain.front()) || Blank(plain.back()))) __builtin_trap();
}

void PoolNameFile(const std::string& bytes) {
  const qb::PoolNameOwner owner = qb::PoolNameOwnerOf(bytes, kOwnKey);
  if (owner == qb::PoolNameOwner::Ours && bytes.find(kOwnKey) == std::string::npos)
    __builtin_trap();
  // Another installation's key is never ours.
  if (qb::PoolNameOwnerOf(bytes, "zzzzzzzzzzzzz") == qb::PoolNameOwner::Ours &&
      bytes.find("zzzzzzzzzzzzz") == std::string::npos)
    __builtin_trap();
  // The file an upload stores names its own key.
  std::string name;
  for (char c : bytes)
    if (qb::IsValidPoolName(std::string(1, c))) name += c;
  if (qb::PoolNameOwnerOf(qb::OwnerKeyFileText(kOwnKey, name), kOwnKey) != qb::PoolNameOwner::Ours)
    __builtin_trap();
}

void Template(const std::string& bytes) {
  const std::string text = qb::TemplateText(bytes);
  // Each item is one line: a CR LF before it, at most three bytes of UTF-8
  // for each byte of the file; every item but the last ends at a byte.
  size_t items = 1;
  for (char c : bytes) items += c == ',' || c == '\r' || c == '\n';
  if (text.size() > 3 * bytes.size() + 2 * items) __builtin_trap();
  if (!text.empty() && text.compare(0, 2, "\r\n") != 0) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  // The site's own key, and one taken from the input's end (as a setting
  // may name any key).
  PathFile(bytes, qb::kDefaultPathFileKey);
  const std::string tail = bytes.substr(size > 8 ? size - 8 : 0);
  PathFile(bytes, tail);
  if (!bytes.empty()) {
    Unscramble(bytes, qb::kDefaultPathFileKey);
    Unscramble(bytes, tail);
  }
  PoolNameFile(bytes);
  Template(bytes);
  return 0;
}
