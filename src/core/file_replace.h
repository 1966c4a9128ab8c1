#pragma once
// Writing a file so that a failure never leaves a half-written one: the bytes
// go to a new file beside the target, which then replaces it in one rename.
#include <filesystem>
#include <string_view>
#include <system_error>

namespace qb {

// A write past the file size limit (ulimit -f) makes the system kill the
// program by default: SIGXFSZ. Ignored, the write fails with EFBIG instead and
// is reported like a full disk. (A disk quota gives EDQUOT, never the signal.)
// A handler someone set stays. The program sets it at its start, for every
// file it writes; WriteFileBeside sets it too, for other users of it.
void LetOversizedWritesFail();

// The file a write to target changes: the one a link points to, so that a
// save through a link keeps the link.
std::filesystem::path FileBehind(const std::filesystem::path& target);

// Removes the temporary files that earlier writes of the target left beside
// it when they were killed; those of a write still running elsewhere stay.
void RemoveStaleTemporaryFiles(const std::filesystem::path& target);

// Writes bytes to a new file in the target's folder, flushed to the disk, with
// the permissions of the target when it exists. On failure nothing is left.
// A target marked read-only is refused (permission denied), as a folder that
// cannot be written is: the rename would go over it.
std::error_code WriteFileBeside(const std::filesystem::path& target, std::string_view bytes,
                                std::filesystem::path& written);
// Puts the file written in place of the target, in one step. On failure the
// written file is removed and the target stays as it was. Either way the
// written name is gone, also where it was already a name of the target's file.
std::error_code MoveOver(const std::filesystem::path& written,
                         const std::filesystem::path& target);
// Gives the existing file a second name, target, in place of any file of that
// name, without copying it: the two names share the one file until either
// is replaced. Fails where the file system has no such links.
std::error_code LinkBeside(const std::filesystem::path& existing,
                           const std::filesystem::path& target);
// Both in one.
std::error_code ReplaceFileContents(const std::filesystem::path& target, std::string_view bytes);

}  // namespace qb
