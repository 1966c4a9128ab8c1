#pragma once
// The rules of the download window that need no window: the download list
// file, the time-out box, the transfer log and the check and merge of a
// downloaded results file.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/pool_state.h"
#include "web/logic/transfer.h"

namespace qb {

inline constexpr const char* kDownloadListHeader = "Quorvel Brakkon Internet Downloads";
inline constexpr const char* kDownloadListFileName = "QBDownloads.txt";
inline constexpr const char* kDownloadedPoolFileName = "QBDownload.qbp";

// ---- the download list file

struct DownloadChoice {
  std::string description;
  std::string address;
};

struct DownloadList {
  bool headerFound = false;  // the first field is kDownloadListHeader
  std::vector<DownloadChoice> choices;
  // Set when the list broke off (a description without its address): the
  // pairs before it are kept.
  std::string readError;
};

// Reads the list's bytes in the pool file's field syntax.
DownloadList ReadDownloadList(std::string_view bytes);

// ---- the time-out box

struct DownloadTimeout {
  std::string text;  // the box's text afterwards
  int seconds = 0;
};
// Below 10 (or no number) becomes "10", above 600 "600"; the seconds are the
// value rounded to whole seconds.
DownloadTimeout NormalizeDownloadTimeout(const std::string& text);

// ---- the transfer log

// What a state appends to the log; empty for a state that adds nothing.
std::string DownloadLogText(TransferState state);

// ---- the downloaded results file

struct DownloadedResults {
  // A record that could not be read: the file cannot be used.
  bool readError = false;
  std::string errorTag;          // the last field read as a tag
  int recordCount = 0;           // records taken, the bad one included
  std::string errorDescription;  // why

  std::vector<std::string> mismatchLines;  // each CR LF + "Mismatch on team ..."
  bool hasWinners = false;                 // a "%Winner`" record was read
  std::array<int16_t, kMaxGames + 1> winners{};
  int numGames = 0;
};

// Reads the "%Team  `" and "%Winner`" records of a downloaded pool file for
// the bracket of the open pool; with compare set, lists every slot whose
// team name or seed differs from the pool's. Every winner must be a team
// slot of the bracket (0 to NumSlots).
DownloadedResults ReadDownloadedResults(std::string_view bytes, const PoolState& pool,
                                        bool compare);

// "Error in processing the ... record." message of a file that cannot be used.
std::string DownloadReadErrorMessage(const DownloadedResults& r);

// Copies the winners into the pool's results (every game, zeros included)
// and brings the teams' advance up to date. Needs hasWinners.
void MergeDownloadedResults(PoolState& pool, const DownloadedResults& r);

// ---- messages

inline constexpr const char* kListMissingText = "Unable to locate the Internet Download file!";
inline constexpr const char* kNotFromDownloadText =
    "Your file was not built from a download!\r\n"
    "If teams/players match up with a supported download results file,\r\n"
    "you may still be able to use this feature.";
inline constexpr const char* kSelectFileTypeText = "Please select a file type to download!";
inline constexpr const char* kNotSuccessfulText = "Download not successful!";
inline constexpr const char* kMismatchText =
    "Mismatches found between download file and your file!\r\n"
    "Please Review the errors and click 'Continue' to load results anyway.";
inline constexpr const char* kResultsUpdatedText = "Results updated.";
inline constexpr const char* kDownloadCompletedText = "Download Completed.";
inline constexpr const char* kDownloadTypeNotSetText =
    "Unexpected error -- Download type not set, unable to process results.";
// A results file without a single "%Winner`" record.
inline constexpr const char* kNoResultsInFileText =
    "The downloaded file holds no game results.\r\n"
    "Nothing was copied into your file.";
// The pool was saved under the download file's name: a download would replace it.
inline constexpr const char* kDownloadOverPoolText =
    "Your pool is saved as the download file.\r\n"
    "Please save it under another name before downloading.";
// Results cannot come in while the results window may write its own over them.
inline constexpr const char* kCloseResultsWindowText =
    "Please close the Enter Results window before downloading results.";

}  // namespace qb
