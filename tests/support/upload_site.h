#pragma once
// A web site for the tests of the report upload, on 127.0.0.1: an http
// server holding the path file and a file-transfer server (pyftpdlib) with
// the site's folders under a prefix. Both stop when the object goes.
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "support/local_servers.h"

namespace qb::test {

class TempFolder {
 public:
  TempFolder() {
    char name[] = "/tmp/qb-upload-XXXXXX";
    path_ = mkdtemp(name);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every file under the folder, by its path relative to it, with its bytes.
inline std::map<std::string, std::string> FilesUnder(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& e : std::filesystem::recursive_directory_iterator(folder))
    if (e.is_regular_file())
      files[std::filesystem::relative(e.path(), folder).string()] = ReadFile(e.path().string());
  return files;
}

// The password field of a path file as the site writes it: the first
// character carries the length, the last the key offset (1 to 9), each
// character of the password is lowered by its key digit. At most 8 characters.
inline std::string ScrambledPasswordField(const std::string& password, const std::string& key,
                                          int offset) {
  const int n = static_cast<int>(password.size());
  std::string field(1, static_cast<char>(109 - n));
  for (int i = 1; i <= n; ++i) {
    int position = offset + i;
    if (position > static_cast<int>(key.size())) position -= static_cast<int>(key.size());
    const int digit = position >= 1 && position <= static_cast<int>(key.size())
                          ? key[position - 1] - '0'
                          : 0;
    field += static_cast<char>(password[i - 1] - digit);
  }
  field += static_cast<char>(102 - offset);
  return field;
}

inline std::string Padded(std::string text, size_t width) {
  text.resize(width, ' ');
  return text;
}

// The path file's line: server, prefix, user, scrambled password, row limit.
inline std::string PathFileLine(const std::string& server, const std::string& prefix,
                                const std::string& user, const std::string& passwordField,
                                const std::string& rowLimit) {
  return Padded(server, 30) + Padded(prefix, 30) + Padded(user, 10) + Padded(passwordField, 10) +
         rowLimit + "\r\n";
}

inline constexpr const char* kSiteKey = "40271935";
inline constexpr const char* kSiteUser = "manager";
inline constexpr const char* kSitePassword = "pw7Kq2x";

struct UploadSite {
  TempFolder web, ftpRoot;
  LocalServer http, ftp;
  std::string prefix = "www/";

  // The path file names serverOverride when given (a server that never
  // answers, ...), else the file-transfer server; with the password it holds.
  explicit UploadSite(const std::string& serverOverride = "",
                      const std::string& password = kSitePassword,
                      const std::string& rowLimit = "500") {
    for (const char* folder : {"qbrpthash", "qbrptnames", "qbreports"})
      std::filesystem::create_directories(ftpRoot.path() / prefix / folder);
    ftp = StartFtpServer(ftpRoot.path().string(), kSiteUser, kSitePassword);
    http = StartHttpServer(web.path().string());
    WritePathFile(serverOverride.empty() ? ftp.Host() : serverOverride, password, rowLimit);
  }
  void WritePathFile(const std::string& server, const std::string& password,
                     const std::string& rowLimit) {
    WriteFile(web / "ftppath.txt",
              PathFileLine(server, prefix, kSiteUser,
                           ScrambledPasswordField(password, kSiteKey, 3), rowLimit));
  }
  std::string PathFileUrl() const { return http.Address("/ftppath.txt"); }
  // A file on the server, below the prefix.
  std::string Remote(const std::string& name) const { return ftpRoot / (prefix + name); }
  std::map<std::string, std::string> RemoteFiles() const { return FilesUnder(ftpRoot.path()); }
};

}  // namespace qb::test
