#pragma once
// Rules of the main window that need no window: its caption, placement limits,
// the recent-file list, the forwarding of commands to the active child window
// and which commands are enabled in which state.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/pool_state.h"

namespace qb {

inline constexpr const char* kProductName = "Quorvel Brakkon";
inline constexpr const char* kPoolFileFilter = "Quorvel Brakkon Files (*.qbp);;All (*)";
// Tools > Create Pool File without Entries refuses the open pool's own file.
inline constexpr const char* kOwnFileRefusal =
    "This is the file of the open pool.\r\n"
    "Please choose another name for the pool file without entries.";

// ---- caption

std::string MainCaption(const PoolHeader& pool);

// ---- placement (twips)

struct MainPlacement {
  int left = 1000;
  int top = 1000;
  int width = 4000;
  int height = 4000;
};

// Placement from the stored texts of MainLeft, MainTop, MainWidth and MainHeight
// (empty or unreadable text takes the default), with the limits applied.
MainPlacement RestoreMainPlacement(const std::string& left, const std::string& top,
                                   const std::string& width, const std::string& height);
void ApplyPlacementLimits(MainPlacement& p);
// A twips value as the settings store it.
std::string PlacementText(int twips);

// File name Save As proposes for a pool: its name (with no folder separators
// in it) and ".qbp", or the product's default name.
std::string SaveAsProposal(const std::string& poolName);
// File name the pool file without entries proposes: Save As's proposal
// (a full path), unless that is the open pool's own file, which it may not
// replace; then the pool's name with " without entries".
std::string WithoutEntriesProposal(const std::string& proposedPath, const std::string& openPath);

// ---- recent files

inline constexpr int kRecentFileCount = 4;

class RecentFiles {
 public:
  explicit RecentFiles(std::string downloadPath = {}) : downloadPath_(std::move(downloadPath)) {}
  void SetDownloadPath(std::string p) { downloadPath_ = std::move(p); }
  // Puts the file at the top; false (nothing changes) for the downloaded bracket file.
  bool Add(const std::string& path);
  void Set(int index, std::string path) { items_.at(index) = std::move(path); }
  const std::string& at(int index) const { return items_.at(index); }
  const std::array<std::string, kRecentFileCount>& items() const { return items_; }
  bool IsDownloadFile(const std::string& path) const;

 private:
  std::string downloadPath_;
  std::array<std::string, kRecentFileCount> items_;
};

// Same file name for the recent list: equal regardless of case.
bool SameFileNameIgnoringCase(const std::string& a, const std::string& b);

// ---- forwarding of commands to the active child window

enum class ChildRole {
  None,
  OK,
  Cancel,
  Fill,
  PrintPreview,
  Print,
  EntryHeader,
  ShowParms,
  ClearPicks,
  CopyEntry,
  Close,      // the report window is closed
  FilePrint,  // runs File > Print, which routes by the active window itself
};

// What a command does with the active window of that name. A window the
// command has no row for gets ChildRole::None: the command does nothing.
ChildRole ForwardedRole(const std::string& command, const std::string& activeWindow);
// Commands that refresh the caption afterwards, whatever the active window.
bool RefreshesCaptionAfter(const std::string& command);
// Every command that forwards, for building and testing the menus.
std::vector<std::string> ForwardedCommands();

bool IsReportWindow(const std::string& windowName);
bool IsEditingWindow(const std::string& windowName);  // setup, results, entry editor

// ---- enabling

struct CommandState {
  bool poolOpen = false;
  int numTeams = 0;
  bool anySlotEmpty = false;  // some slot 1..NumSlots has no team name
  std::string activeWindow;   // empty: no child window active
};

CommandState CommandStateOf(const PoolState& pool, bool poolOpen, const std::string& activeWindow);

// True when the rules allow the command (menu item name or top toolbar key) in
// this state. Commands no rule names are always allowed.
bool CommandAllowed(const std::string& command, const CommandState& state);

// The lists by which the file commands, the parameters and the active window
// enable commands; kept as data so the window and the tests read the same.
const std::vector<std::string>& FileCommandButtons();
const std::vector<std::string>& FileCommandMenus();
const std::vector<std::string>& BracketCommandButtons();
const std::vector<std::string>& BracketCommandMenus();
const std::vector<std::string>& ActiveWindowCommands();

// Tips and captions name the site the program will use: site is its host.
std::string InetDownloadToolTip(bool poolOpen, const std::string& site);

// ---- the top toolbar

struct ToolbarButton {
  const char* key;
  const char* toolTip;  // empty: set at run time
  int group;
  const char* command;  // the menu item it runs; empty: special
};
const std::vector<ToolbarButton>& TopToolbarButtons();
std::string ToolbarToolTip(const ToolbarButton& b, const std::string& site);
// Menu item that the toolbar button runs, "" when the key is unknown.
std::string ToolbarCommand(const std::string& key, int numTeams);

// ---- bottom toolbar

struct BottomButton {
  const char* name;
  bool visible;
  const char* caption;
};
// The bottom toolbar's buttons for the active window; empty when the window
// has no use for the toolbar (it is hidden then).
std::vector<BottomButton> BottomToolbarLayout(const std::string& activeWindow, int printEntry);
// View > Show Entry Scoring Summary is offered only over these windows.
bool OffersScoringSummary(const std::string& activeWindow);

// ---- windows behind the commands

// The window (or command of another part of the program) a menu item needs;
// "" when it needs none. Items whose window is not part of the program yet
// stay disabled. Printing from an editing window goes through the print
// form, so there the print commands need it.
std::string RequiredWindow(const std::string& command, const std::string& activeWindow = {});

// ---- guards

// The message that refuses a command needing a complete bracket, or nullopt
// when the command may go on.
std::optional<std::string> BracketIncompleteMessage(const PoolState& pool);

}  // namespace qb
