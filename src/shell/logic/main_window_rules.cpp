#include "shell/logic/main_window_rules.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <map>

namespace qb {

std::string MainCaption(const PoolHeader& pool) {
  std::string caption = kProductName;
  if (pool.PoolName.empty()) return caption + " - No file open";
  std::string id = std::to_string(pool.PoolId);
  if (pool.PoolId >= 0) id = " " + id;
  return caption + " - " + pool.PoolName + "   (File ID =" + id + ")";
}

namespace {

std::optional<double> ParseNumber(const std::string& text) {
  auto b = text.find_first_not_of(" \t");
  if (b == std::string::npos) return std::nullopt;
  auto e = text.find_last_not_of(" \t");
  std::string t = text.substr(b, e - b + 1);
  double v = 0;
  auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (ec != std::errc() || ptr != t.data() + t.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

int TwipsOr(const std::string& text, int fallback) {
  auto v = ParseNumber(text);
  if (!v) return fallback;
  // Far outside any screen: treat as unreadable rather than overflow.
  if (*v > 1e7 || *v < -1e7) return fallback;
  return static_cast<int>(std::lround(*v));
}

}  // namespace

void ApplyPlacementLimits(MainPlacement& p) {
  if (p.left < 1 || p.top < 1) {
    p.left = 1000;
    p.top = 1000;
  }
  if (p.width < 7500) p.width = 7500;
  if (p.height < 5000) p.height = 5000;
}

MainPlacement RestoreMainPlacement(const std::string& left, const std::string& top,
                                   const std::string& width, const std::string& height) {
  MainPlacement p;
  p.left = TwipsOr(left, 1000);
  p.top = TwipsOr(top, 1000);
  p.width = TwipsOr(width, 4000);
  p.height = TwipsOr(height, 4000);
  ApplyPlacementLimits(p);
  return p;
}

std::string PlacementText(int twips) {
  return std::to_string(twips);
}

std::string SaveAsProposal(const std::string& poolName) {
  std::string name = poolName.empty() ? std::string(kProductName) + " file" : poolName;
  for (char& c : name)
    if (c == '/' || c == '\\') c = '-';
  return name + ".qbp";
}

std::string WithoutEntriesProposal(const std::string& proposedPath, const std::string& openPath) {
  namespace fs = std::filesystem;
  const fs::path proposed = fs::path(proposedPath).lexically_normal();
  if (openPath.empty() || proposed != fs::path(openPath).lexically_normal()) return proposedPath;
  fs::path other = proposed;
  other.replace_filename(proposed.stem().string() + " without entries" +
                         proposed.extension().string());
  return other.string();
}

// ---- recent files

bool SameFileNameIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

bool RecentFiles::IsDownloadFile(const std::string& path) const {
  return !downloadPath_.empty() && SameFileNameIgnoringCase(path, downloadPath_);
}

bool RecentFiles::Add(const std::string& path) {
  if (path.empty() || IsDownloadFile(path)) return false;
  std::array<std::string, kRecentFileCount> next;
  next[0] = path;
  int n = 1;
  for (const auto& item : items_) {
    if (n == kRecentFileCount) break;
    if (item == path) continue;
    next[n++] = item;
  }
  items_ = next;
  return true;
}

// ---- forwarding

namespace {

const char* const kReportWindows[] = {"frmPoolAnalysis", "frmDisplayRank", "frmPossibilities",
                                      "frmListBettors"};
const char* const kEditingWindows[] = {"frmSetup", "frmEnterResults", "frmEditEntry"};

struct ForwardRow {
  const char* command;
  bool refreshCaption;
  // Role per window kind; "*" in window matches every window.
  std::vector<std::pair<const char*, ChildRole>> roles;
};

const std::vector<ForwardRow>& ForwardTable() {
  using R = ChildRole;
  static const std::vector<ForwardRow> table = {
      {"cmdQBOK", true, {{"frmSetup", R::OK}, {"frmEnterResults", R::OK}, {"frmEditEntry", R::OK}}},
      {"cmdQBCancel",
       true,
       {{"frmSetup", R::Cancel},
        {"frmEnterResults", R::Cancel},
        {"frmEditEntry", R::Cancel},
        {"frmPrintForm", R::Cancel}}},
      {"cmdQBPrintPreview",
       true,
       {{"frmSetup", R::FilePrint},
        {"frmEnterResults", R::FilePrint},
        {"frmEditEntry", R::FilePrint},
        {"frmPrintForm", R::Print}}},
      {"cmdQBFill", true, {{"frmEditEntry", R::Fill}, {"frmPrintForm", R::Fill}}},
      {"cmdQBEditEntryHeader", true, {{"frmEditEntry", R::EntryHeader}}},
      {"cmdQBShowParms", true, {{"frmEditEntry", R::ShowParms}}},
      {"mnuEditOK",
       false,
       {{"frmSetup", R::OK},
        {"frmEnterResults", R::OK},
        {"frmEditEntry", R::OK},
        {"frmPoolAnalysis", R::Close},
        {"frmDisplayRank", R::Close},
        {"frmPossibilities", R::Close},
        {"frmListBettors", R::Close}}},
      {"mnuEditCancel",
       false,
       {{"frmSetup", R::Cancel},
        {"frmEnterResults", R::Cancel},
        {"frmEditEntry", R::Cancel},
        {"frmPoolAnalysis", R::Close},
        {"frmDisplayRank", R::Close},
        {"frmPossibilities", R::Close},
        {"frmListBettors", R::Close}}},
      {"mnuEntryPopUpOK",
       false,
       {{"frmSetup", R::OK}, {"frmEnterResults", R::OK}, {"frmEditEntry", R::OK}}},
      {"mnuEntryPopUpCancel",
       false,
       {{"frmSetup", R::Cancel},
        {"frmEnterResults", R::Cancel},
        {"frmEditEntry", R::Cancel},
        {"frmPrintForm", R::Cancel}}},
      // Only the window that has the role gets these, never a window that
      // merely happens to be open behind the active one.
      {"mnuEntryPopUpEntryInfo", false, {{"frmEditEntry", R::EntryHeader}}},
      {"mnuEntryPopUpFill", false, {{"frmEditEntry", R::Fill}, {"frmPrintForm", R::Fill}}},
      {"mnuEntryPopUpShowParms", false, {{"frmEditEntry", R::ShowParms}}},
      {"mnuEntryPopUpClear", false, {{"frmEditEntry", R::ClearPicks}}},
      {"mnuEntryPopUpCopyEntry", false, {{"frmEditEntry", R::CopyEntry}}},
      {"mnuEntryPopUpPrint", false, {{"*", R::FilePrint}}},
      // File > Print itself: editing windows preview, the preview and the
      // report windows print.
      {"mnuFilePrint",
       false,
       {{"frmSetup", R::PrintPreview},
        {"frmEnterResults", R::PrintPreview},
        {"frmEditEntry", R::PrintPreview},
        {"frmPrintForm", R::Print},
        {"frmPoolAnalysis", R::Print},
        {"frmDisplayRank", R::Print},
        {"frmPossibilities", R::Print},
        {"frmListBettors", R::Print}}},
  };
  return table;
}

const ForwardRow* FindRow(const std::string& command) {
  for (const auto& row : ForwardTable())
    if (command == row.command) return &row;
  return nullptr;
}

bool In(const std::string& name, const std::vector<std::string>& list) {
  return std::find(list.begin(), list.end(), name) != list.end();
}

}  // namespace

ChildRole ForwardedRole(const std::string& command, const std::string& activeWindow) {
  const ForwardRow* row = FindRow(command);
  if (!row || activeWindow.empty()) return ChildRole::None;
  for (const auto& [window, role] : row->roles)
    if (activeWindow == window || std::string(window) == "*") return role;
  return ChildRole::None;
}

bool RefreshesCaptionAfter(const std::string& command) {
  const ForwardRow* row = FindRow(command);
  return row && row->refreshCaption;
}

std::vector<std::string> ForwardedCommands() {
  std::vector<std::string> out;
  for (const auto& row : ForwardTable()) out.push_back(row.command);
  return out;
}

bool IsReportWindow(const std::string& w) {
  return std::find(std::begin(kReportWindows), std::end(kReportWindows), w) !=
         std::end(kReportWindows);
}

bool IsEditingWindow(const std::string& w) {
  return std::find(std::begin(kEditingWindows), std::end(kEditingWindows), w) !=
         std::end(kEditingWindows);
}

// ---- enabling

const std::vector<std::string>& FileCommandButtons() {
  static const std::vector<std::string> v = {
      "Save",        "Print",         "Parms",      "SetupBrackets", "UploadRpts",
      "AcceptEntry", "ImportBettors", "EditEntry",  "EnterResults",  "PoolAnalysis",
      "DisplayRank", "Possibilities", "EditBettor", "CreateEmails",  "ListBettors"};
  return v;
}

const std::vector<std::string>& FileCommandMenus() {
  static const std::vector<std::string> v = {"mnuFileClose",
                                             "mnuFilePageSetup",
                                             "mnuFilePrint",
                                             "mnuFilePrintToFile",
                                             "mnuFileSave",
                                             "mnuFileSaveAs",
                                             "mnuFileBackup",
                                             "mnuWindowCascade",
                                             "mnuToolsAcceptEntry",
                                             "mnuToolsImportBettors",
                                             "mnuToolsCreateEntry",
                                             "mnuReportsInternet",
                                             "mnuReportsPoolAnalysis",
                                             "mnuReportsDisplayRankings",
                                             "mnuEditResults",
                                             "mnuEditEntry",
                                             "mnuEditParms",
                                             "mnuReportsPossible",
                                             "mnuEditSetup",
                                             "mnuEditBettors",
                                             "mnuEditOK",
                                             "mnuEditCancel",
                                             "mnuReportsListBettors",
                                             "mnuToolsDownloadResults"};
  return v;
}

const std::vector<std::string>& BracketCommandButtons() {
  static const std::vector<std::string> v = {"UploadRpts",   "AcceptEntry",  "EditEntry",
                                             "PoolAnalysis", "EnterResults", "DisplayRank",
                                             "Possibilities"};
  return v;
}

const std::vector<std::string>& BracketCommandMenus() {
  static const std::vector<std::string> v = {"mnuToolsAcceptEntry",
                                             "mnuToolsImportBettors",
                                             "mnuToolsCreateEntry",
                                             "mnuReportsPoolAnalysis",
                                             "mnuReportsDisplayRankings",
                                             "mnuEditResults",
                                             "mnuEditEntry",
                                             "mnuReportsPossible",
                                             "mnuReportsInternet",
                                             "mnuEditOK",
                                             "mnuEditCancel"};
  return v;
}

const std::vector<std::string>& ActiveWindowCommands() {
  static const std::vector<std::string> v = {"Print", "mnuFilePrint", "mnuFilePrintToFile"};
  return v;
}

CommandState CommandStateOf(const PoolState& pool, bool poolOpen, const std::string& activeWindow) {
  CommandState s;
  s.poolOpen = poolOpen;
  s.numTeams = pool.Pool.NumTeams;
  int slots = std::clamp<int>(pool.NumSlots, 0, kMaxSlots);
  for (int n = 1; n <= slots; ++n)
    if (pool.Teams[n].Name.empty()) s.anySlotEmpty = true;
  s.activeWindow = activeWindow;
  return s;
}

bool CommandAllowed(const std::string& c, const CommandState& s) {
  if (c == "mnuToolsDownloadBracket") return !s.poolOpen;
  bool allowed = true;
  if (In(c, FileCommandButtons()) || In(c, FileCommandMenus())) allowed = allowed && s.poolOpen;
  if (In(c, BracketCommandButtons()) || In(c, BracketCommandMenus()))
    allowed = allowed && s.numTeams != 0 && !s.anySlotEmpty;
  if (c == "mnuEditSetup" || c == "SetupBrackets") allowed = allowed && s.numTeams != 0;
  if (In(c, ActiveWindowCommands())) {
    if (IsReportWindow(s.activeWindow)) {
      // all three
    } else if (IsEditingWindow(s.activeWindow) || s.activeWindow == "frmPrintForm") {
      allowed = allowed && c != "mnuFilePrintToFile";
    } else {
      allowed = false;
    }
  }
  return allowed;
}

std::string InetDownloadToolTip(bool poolOpen, const std::string& site) {
  return std::string(poolOpen ? "Download results from " : "Download bracket file from ") + site;
}

// ---- top toolbar

const std::vector<ToolbarButton>& TopToolbarButtons() {
  static const std::vector<ToolbarButton> v = {
      {"MRU", "Open Most Recently Used File", 1, "mnuFileMRU0"},
      {"New", "Start New File", 1, "mnuFileNew"},
      {"Open", "Open", 1, "mnuFileOpen"},
      {"Save", "Save", 1, "mnuFileSave"},
      {"Print", "Print", 1, "mnuFilePrint"},
      {"Parms", "Setup Pool Parameters", 2, "mnuEditParms"},
      {"SetupBrackets", "Setup Brackets", 2, "mnuEditSetup"},
      {"EditBettor", "Input / Edit Participant Information", 3, "mnuEditBettors"},
      {"EditEntry", "Input / Edit Entries", 3, "mnuEditEntry"},
      {"EnterResults", "Enter Results", 3, "mnuEditResults"},
      {"ListBettors", "Display List of Participant and Entry Information", 4,
       "mnuReportsListBettors"},
      {"PoolAnalysis", "Display Pool Analysis Report", 4, "mnuReportsPoolAnalysis"},
      {"DisplayRank", "Display Current Rankings", 4, "mnuReportsDisplayRankings"},
      {"Possibilities", "Display Possibilities", 4, "mnuReportsPossible"},
      {"CreateEmails", "Create file of reports for e-mailing", 4, "mnuReportsEmail"},
      {"UploadRpts", "", 4, "mnuReportsInternet"},
      {"InetDownload", "", 5, ""},
      {"AcceptEntry", "Bring in Entries from another File", 5, "mnuToolsAcceptEntry"},
      {"ImportBettors", "Bring in Participant Info from another File", 5, "mnuToolsImportBettors"},
      {"Help", "Help", 6, "mnuHelpWindow"},
  };
  return v;
}

std::string ToolbarToolTip(const ToolbarButton& b, const std::string& site) {
  std::string key = b.key;
  if (key == "UploadRpts") return "Send displayed reports to " + site;
  if (key == "InetDownload") return InetDownloadToolTip(false, site);
  return b.toolTip;
}

std::string ToolbarCommand(const std::string& key, int numTeams) {
  if (key == "InetDownload")
    return numTeams <= 0 ? "mnuToolsDownloadBracket" : "mnuToolsDownloadResults";
  for (const auto& b : TopToolbarButtons())
    if (key == b.key) return b.command;
  return "";
}

// ---- bottom toolbar

std::vector<BottomButton> BottomToolbarLayout(const std::string& w, int printEntry) {
  if (w == "frmPrintForm")
    return {{"cmdQBOK", false, "OK"},
            {"cmdQBCancel", true, "Close"},
            {"cmdQBPrintPreview", true, "Print"},
            {"cmdQBFill", printEntry == -2, "Fill with Higher Seeds"},
            {"cmdQBEditEntryHeader", false, "Edit Entry Header"},
            {"cmdQBShowParms", false, "Show Parms"}};
  if (w == "frmEditEntry")
    return {{"cmdQBOK", true, "OK"},
            {"cmdQBCancel", true, "Cancel"},
            {"cmdQBPrintPreview", true, "Print Preview"},
            {"cmdQBFill", true, "Fill with Higher Seeds"},
            {"cmdQBEditEntryHeader", true, "Edit Entry Header"},
            {"cmdQBShowParms", true, "Show Parms"}};
  if (w == "frmSetup" || w == "frmEnterResults")
    return {{"cmdQBOK", true, "OK"},
            {"cmdQBCancel", true, "Cancel"},
            {"cmdQBPrintPreview", true, "Print Preview"},
            {"cmdQBFill", false, "Fill with Higher Seeds"},
            {"cmdQBEditEntryHeader", false, "Edit Entry Header"},
            {"cmdQBShowParms", false, "Show Parms"}};
  return {};
}

bool OffersScoringSummary(const std::string& w) {
  return w == "frmEditEntry" || w == "frmPrintForm";
}

// ---- windows behind the commands

std::string RequiredWindow(const std::string& command, const std::string& activeWindow) {
  static const std::vector<std::string> printCommands = {
      "Print", "mnuFilePrint", "mnuEntryPopUpPrint", "cmdQBPrintPreview"};
  if (IsEditingWindow(activeWindow) && In(command, printCommands)) return "frmPrintForm";
  static const std::map<std::string, std::string> needs = {
      {"mnuEditParms", "frmParms"},
      {"Parms", "frmParms"},
      {"mnuEditSetup", "frmSetup"},
      {"mnuEditBettors", "frmSelectBettor"},
      {"mnuEditEntry", "frmSelectEntry"},
      {"mnuEditResults", "frmEnterResults"},
      {"mnuEditOptions", "frmOptions"},
      {"mnuReportsListBettors", "frmListBettors"},
      {"mnuReportsPoolAnalysis", "frmPoolAnalysis"},
      {"mnuReportsDisplayRankings", "frmDisplayRank"},
      {"mnuReportsPossible", "frmPossibilities"},
      {"mnuReportsEmail", "frmEMailReports"},
      {"mnuReportsInternet", "frmEMailReports"},
      {"mnuToolsAcceptEntry", "frmImportEntries"},
      {"mnuToolsImportBettors", "frmImportBettors"},
      {"mnuToolsDownloadBracket", "frmDownload"},
      {"mnuToolsDownloadResults", "frmDownload"},
      {"mnuFilePageSetup", "frmPageSetup"},
      {"mnuFileBackup", "frmBackup"},
      {"mnuFilePrintToFile", "PrintToFile"},
      {"mnuHelpAbout", "frmAbout"},
  };
  auto it = needs.find(command);
  return it == needs.end() ? "" : it->second;
}

// ---- guards

std::optional<std::string> BracketIncompleteMessage(const PoolState& pool) {
  if (pool.Pool.NumTeams == 0)
    return std::string(
        "Number of Teams/Players must be set. \r\n"
        "Please set this parameter using 'Jackpot Parameters'");
  int teams = std::clamp<int>(pool.Pool.NumTeams, 0, kMaxSlots);
  for (int n = 1; n <= teams; ++n)
    if (pool.Teams[n].Name.empty())
      return std::string(
          "All of the teams have not been entered.\r\n"
          "Please complete using 'Bracket Setup'");
  return std::nullopt;
}

}  // namespace qb
