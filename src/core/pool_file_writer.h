#pragma once
// Writing the open pool to a pool file, with the automatic backup.
#include <ctime>
#include <filesystem>
#include <string>

#include "core/pool_file_host.h"
#include "core/pool_state.h"

namespace qb {

enum class PoolFileLayout {
  Full,            // version "2001.1": everything
  WithoutEntries,  // version "2.0": header, parameters, points, payouts, teams
};

// The whole file as it goes to disk (Windows-1252, CR LF), dated `now`.
std::string PoolFileText(const PoolState& s, PoolFileLayout layout, const std::tm& now);

// Replaces each double quote by an apostrophe in the texts the full file holds,
// in the open pool, so what is shown is what is stored.
void ReplaceDoubleQuotes(PoolState& s, PoolFileLayout layout);

// The automatic backup of a pool file: its name with the extension ".bkp",
// in the same folder.
std::filesystem::path BackupFileName(const std::filesystem::path& fileName);

// Copies the file that a save is about to replace to its backup. A missing
// file needs no backup; any other failure asks whether to save anyway, and
// Cancel sets DialogCancelled.
void MakeAutoBackup(PoolState& s, const std::string& fileName, PoolFileServices& svc);

// Writes the full pool file to fileName, after the backup when makeBackup.
// True when the file was written; otherwise DialogCancelled is set and the
// file on disk and its backup are as they were.
bool SaveFile1N(PoolState& s, const std::string& fileName, bool makeBackup,
                PoolFileServices& svc);

// Writes the bracket and parameters without entries to exportFileName.
bool WritePoolFileWithoutEntries(PoolState& s, const std::string& exportFileName,
                                 PoolFileServices& svc);

}  // namespace qb
