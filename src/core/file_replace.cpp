#include "core/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <string>

namespace qb {
namespace fs = std::filesystem;

namespace {

std::error_code LastError() { return std::error_code(errno, std::generic_category()); }

fs::path FolderOf(const fs::path& target) {
  fs::path folder = target.parent_path();
  return folder.empty() ? fs::path(".") : folder;
}

// A name no other save uses at the same moment.
std::string TemporaryName(const fs::path& target, unsigned attempt) {
  static std::atomic<unsigned> counter{0};
  auto tick = static_cast<unsigned long long>(
      std::chrono::steady_clock::now().time_since_epoch().count());
  char suffix[64];
  std::snprintf(suffix, sizeof suffix, ".%x%llx%x.tmp", static_cast<unsigned>(getpid()),
                tick & 0xFFFFFFull, counter++ * 131u + attempt);
  return "." + target.filename().string() + suffix;
}

std::error_code WriteAll(int fd, std::string_view bytes) {
  const char* p = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return LastError();
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  return {};
}

}  // namespace

fs::path FileBehind(const fs::path& target) {
  std::error_code ec;
  if (!fs::is_symlink(target, ec)) return target;
  fs::path real = fs::weakly_canonical(target, ec);
  return ec ? target : real;
}

std::error_code WriteFileBeside(const fs::path& target, std::string_view bytes,
                                fs::path& written) {
  const fs::path folder = FolderOf(target);
  int fd = -1;
  fs::path temp;
  for (unsigned attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = folder / TemporaryName(target, attempt);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return LastError();
  }
  if (fd < 0) return std::make_error_code(std::errc::file_exists);

  struct stat old {};
  if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode))
    (void)::fchmod(fd, old.st_mode & 07777);

  std::error_code ec = WriteAll(fd, bytes);
  if (!ec && ::fsync(fd) != 0) ec = LastError();
  if (::close(fd) != 0 && !ec) ec = LastError();
  if (ec) {
    ::unlink(temp.c_str());
    return ec;
  }
  written = temp;
  return {};
}

std::error_code MoveOver(const fs::path& written, const fs::path& target) {
  std::error_code ec;
  fs::rename(written, target, ec);
  if (ec) ::unlink(written.c_str());
  return ec;
}

std::error_code ReplaceFileContents(const fs::path& target, std::string_view bytes) {
  const fs::path file = FileBehind(target);
  fs::path written;
  if (std::error_code ec = WriteFileBeside(file, bytes, written)) return ec;
  return MoveOver(written, file);
}

}  // namespace qb
