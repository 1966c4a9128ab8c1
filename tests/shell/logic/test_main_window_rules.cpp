#include <gtest/gtest.h>

#include "shell/logic/main_window_rules.h"

namespace qb {
namespace {

TEST(MainCaption, NoPoolAndNamedPool) {
  PoolHeader pool;
  EXPECT_EQ(MainCaption(pool), "Quorvel Brakkon - No file open");
  pool.PoolName = "Office";
  pool.PoolId = 57;
  EXPECT_EQ(MainCaption(pool), "Quorvel Brakkon - Office   (File ID = 57)");
  pool.PoolId = -3;  // a negative id has no blank before its sign
  EXPECT_EQ(MainCaption(pool), "Quorvel Brakkon - Office   (File ID =-3)");
}

TEST(SaveAsProposal, PoolNameOrDefault) {
  EXPECT_EQ(SaveAsProposal(""), "Quorvel Brakkon file.qbp");
  EXPECT_EQ(SaveAsProposal("Office"), "Office.qbp");
  EXPECT_EQ(SaveAsProposal("A/B\\C"), "A-B-C.qbp");  // stays in the folder shown
}

TEST(WithoutEntriesProposal, NeverTheOpenPoolsOwnFile) {
  EXPECT_EQ(WithoutEntriesProposal("/p/Office.qbp", ""), "/p/Office.qbp");
  EXPECT_EQ(WithoutEntriesProposal("/p/Office.qbp", "/p/office-2024.qbp"), "/p/Office.qbp");
  EXPECT_EQ(WithoutEntriesProposal("/p/Office.qbp", "/p/Office.qbp"),
            "/p/Office without entries.qbp");
  EXPECT_EQ(WithoutEntriesProposal("/p/./Office.qbp", "/p/Office.qbp"),
            "/p/Office without entries.qbp");
}

struct PlacementCase {
  const char* left;
  const char* top;
  const char* width;
  const char* height;
  MainPlacement expected;
};

TEST(MainPlacement, DefaultsAndLimits) {
  const PlacementCase cases[] = {
      // first start: 4000 defaults raised to the minima
      {"", "", "", "", {1000, 1000, 7500, 5000}},
      // Left 0 with Top 500: both move
      {"0", "500", "9000", "6000", {1000, 1000, 9000, 6000}},
      {"500", "-20", "9000", "6000", {1000, 1000, 9000, 6000}},
      {"1", "1", "7500", "5000", {1, 1, 7500, 5000}},
      {"1500.4", "2000.6", "12000", "9000", {1500, 2001, 12000, 9000}},
      // unreadable text takes the default, then the limits
      {"abc", "1200", "wide", "7000", {1000, 1200, 7500, 7000}},
      {"1e30", "1200", "8000", "7000", {1000, 1200, 8000, 7000}},
  };
  for (const auto& c : cases) {
    MainPlacement p = RestoreMainPlacement(c.left, c.top, c.width, c.height);
    SCOPED_TRACE(std::string(c.left) + "," + c.top + "," + c.width + "," + c.height);
    EXPECT_EQ(p.left, c.expected.left);
    EXPECT_EQ(p.top, c.expected.top);
    EXPECT_EQ(p.width, c.expected.width);
    EXPECT_EQ(p.height, c.expected.height);
  }
}

TEST(RecentFiles, NewestFirstNoDuplicatesFourKept) {
  RecentFiles r("/data/QBDownload.qbp");
  for (const char* f : {"/p/a.qbp", "/p/b.qbp", "/p/c.qbp", "/p/d.qbp"}) r.Add(f);
  EXPECT_EQ(r.items(),
            (std::array<std::string, 4>{"/p/d.qbp", "/p/c.qbp", "/p/b.qbp", "/p/a.qbp"}));
  r.Add("/p/b.qbp");  // moves up, no duplicate
  EXPECT_EQ(r.items(),
            (std::array<std::string, 4>{"/p/b.qbp", "/p/d.qbp", "/p/c.qbp", "/p/a.qbp"}));
  r.Add("/p/e.qbp");  // the oldest falls off
  EXPECT_EQ(r.items(),
            (std::array<std::string, 4>{"/p/e.qbp", "/p/b.qbp", "/p/d.qbp", "/p/c.qbp"}));
}

TEST(RecentFiles, DownloadedBracketNeverEntersWhateverItsCase) {
  RecentFiles r("/data/QBDownload.qbp");
  r.Add("/p/a.qbp");
  EXPECT_FALSE(r.Add("/DATA/qbdownload.QBP"));
  EXPECT_FALSE(r.Add("/data/QBDownload.qbp"));
  EXPECT_FALSE(r.Add(""));
  EXPECT_EQ(r.at(0), "/p/a.qbp");
  EXPECT_EQ(r.at(1), "");
  // the same name elsewhere is an ordinary file
  EXPECT_TRUE(r.Add("/p/QBDownload.qbp"));
}

TEST(Forwarding, ByActiveWindowName) {
  using R = ChildRole;
  struct Case {
    const char* command;
    const char* window;
    R role;
  };
  const Case cases[] = {
      {"cmdQBOK", "frmSetup", R::OK},
      {"cmdQBOK", "frmEditEntry", R::OK},
      {"cmdQBOK", "frmPrintForm", R::None},
      {"cmdQBOK", "frmDisplayRank", R::None},  // bottom toolbar leaves reports alone
      {"cmdQBOK", "", R::None},
      {"cmdQBCancel", "frmPrintForm", R::Cancel},
      {"cmdQBPrintPreview", "frmEnterResults", R::FilePrint},
      {"cmdQBPrintPreview", "frmPrintForm", R::Print},
      {"cmdQBFill", "frmPrintForm", R::Fill},
      {"cmdQBFill", "frmSetup", R::None},
      {"cmdQBEditEntryHeader", "frmEditEntry", R::EntryHeader},
      {"cmdQBShowParms", "frmEnterResults", R::None},
      {"mnuEditOK", "frmDisplayRank", R::Close},
      {"mnuEditCancel", "frmListBettors", R::Close},
      {"mnuEditOK", "frmPrintForm", R::None},
      {"mnuEditOK", "frmEditEntry", R::OK},
      {"mnuEntryPopUpCancel", "frmPrintForm", R::Cancel},
      {"mnuEntryPopUpOK", "frmPrintForm", R::None},
      // pop-up items reach only the window that has the role
      {"mnuEntryPopUpFill", "frmEditEntry", R::Fill},
      {"mnuEntryPopUpFill", "frmPrintForm", R::Fill},
      {"mnuEntryPopUpFill", "frmSetup", R::None},
      {"mnuEntryPopUpClear", "frmEnterResults", R::None},
      {"mnuEntryPopUpClear", "frmEditEntry", R::ClearPicks},
      {"mnuEntryPopUpCopyEntry", "frmEditEntry", R::CopyEntry},
      {"mnuEntryPopUpEntryInfo", "frmPrintForm", R::None},
      {"mnuEntryPopUpShowParms", "frmEditEntry", R::ShowParms},
      {"mnuEntryPopUpPrint", "frmSetup", R::FilePrint},
      {"mnuFilePrint", "frmEditEntry", R::PrintPreview},
      {"mnuFilePrint", "frmPrintForm", R::Print},
      {"mnuFilePrint", "frmPossibilities", R::Print},
      {"mnuFilePrint", "frmSomethingElse", R::None},
      {"mnuUnknown", "frmEditEntry", R::None},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.command) + " on " + c.window);
    EXPECT_EQ(ForwardedRole(c.command, c.window), c.role);
  }
  EXPECT_TRUE(RefreshesCaptionAfter("cmdQBShowParms"));
  EXPECT_FALSE(RefreshesCaptionAfter("mnuEditOK"));
  EXPECT_FALSE(RefreshesCaptionAfter("mnuEntryPopUpOK"));
}

PoolState PoolWithTeams(int numTeams, int numSlots, int emptySlot) {
  PoolState s;
  s.Pool.NumTeams = static_cast<int16_t>(numTeams);
  s.NumSlots = static_cast<int16_t>(numSlots);
  for (int n = 1; n <= numSlots; ++n)
    s.Teams[n].Name = n <= numTeams ? "T" + std::to_string(n) : "Bye";
  if (emptySlot > 0) s.Teams[emptySlot].Name.clear();
  return s;
}

TEST(Enabling, NoPoolOpenDisablesTheFileCommandsAndOffersTheBracketDownload) {
  PoolState pool = PoolWithTeams(8, 8, 0);  // stale figures after a failed open
  CommandState s = CommandStateOf(pool, false, "");
  for (const auto& c : FileCommandButtons()) EXPECT_FALSE(CommandAllowed(c, s)) << c;
  for (const auto& c : FileCommandMenus()) EXPECT_FALSE(CommandAllowed(c, s)) << c;
  EXPECT_TRUE(CommandAllowed("mnuToolsDownloadBracket", s));
  for (const char* c : {"mnuFileNew", "mnuFileOpen", "mnuFileExit", "mnuEditOptions",
                        "mnuReportsEmail", "mnuHelpAbout", "mnuWindowArrangeIcons", "New"})
    EXPECT_TRUE(CommandAllowed(c, s)) << c;
}

TEST(Enabling, NewPoolWithoutTeamsOffersOnlyTheParameters) {
  PoolState pool;
  CommandState s = CommandStateOf(pool, true, "");
  EXPECT_TRUE(CommandAllowed("mnuEditParms", s));
  EXPECT_TRUE(CommandAllowed("Parms", s));
  EXPECT_TRUE(CommandAllowed("mnuFileSave", s));
  EXPECT_FALSE(CommandAllowed("mnuEditSetup", s));
  EXPECT_FALSE(CommandAllowed("SetupBrackets", s));
  EXPECT_FALSE(CommandAllowed("mnuToolsDownloadBracket", s));
  for (const auto& c : BracketCommandButtons()) EXPECT_FALSE(CommandAllowed(c, s)) << c;
  for (const auto& c : BracketCommandMenus()) EXPECT_FALSE(CommandAllowed(c, s)) << c;
}

TEST(Enabling, EmptySlotAboveNumTeamsPassesTheCheckButKeepsBracketCommandsOff) {
  PoolState pool = PoolWithTeams(5, 8, 7);  // slot 7 should hold "Bye"
  EXPECT_EQ(BracketIncompleteMessage(pool), std::nullopt);
  CommandState s = CommandStateOf(pool, true, "");
  EXPECT_TRUE(CommandAllowed("mnuEditSetup", s));
  EXPECT_FALSE(CommandAllowed("mnuEditResults", s));
  EXPECT_FALSE(CommandAllowed("EnterResults", s));
}

TEST(Enabling, CompleteBracketOffersEverything) {
  PoolState pool = PoolWithTeams(8, 8, 0);
  CommandState s = CommandStateOf(pool, true, "frmDisplayRank");
  for (const auto& c : BracketCommandMenus()) EXPECT_TRUE(CommandAllowed(c, s)) << c;
  for (const auto& c : FileCommandButtons()) EXPECT_TRUE(CommandAllowed(c, s)) << c;
}

TEST(Enabling, PrintCommandsFollowTheActiveWindowKind) {
  PoolState pool = PoolWithTeams(8, 8, 0);
  struct Case {
    const char* window;
    bool print, filePrint, toFile;
  };
  const Case cases[] = {
      {"frmDisplayRank", true, true, true},
      {"frmPossibilities", true, true, true},
      {"frmPoolAnalysis", true, true, true},
      {"frmListBettors", true, true, true},
      {"frmSetup", true, true, false},
      {"frmEditEntry", true, true, false},
      {"frmEnterResults", true, true, false},
      {"frmPrintForm", true, true, false},
      {"frmEntriesWithPick", false, false, false},
      {"", false, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.window);
    CommandState s = CommandStateOf(pool, true, c.window);
    EXPECT_EQ(CommandAllowed("Print", s), c.print);
    EXPECT_EQ(CommandAllowed("mnuFilePrint", s), c.filePrint);
    EXPECT_EQ(CommandAllowed("mnuFilePrintToFile", s), c.toFile);
  }
  // and never with no pool open
  EXPECT_FALSE(CommandAllowed("mnuFilePrint", CommandStateOf(pool, false, "frmDisplayRank")));
}

TEST(Enabling, PrintingFromAnEditingWindowNeedsThePrintForm) {
  for (const char* w : {"frmSetup", "frmEnterResults", "frmEditEntry"})
    for (const char* c : {"Print", "mnuFilePrint", "mnuEntryPopUpPrint", "cmdQBPrintPreview"})
      EXPECT_EQ(RequiredWindow(c, w), "frmPrintForm") << w << " " << c;
  EXPECT_EQ(RequiredWindow("mnuFilePrint", "frmDisplayRank"), "");
  EXPECT_EQ(RequiredWindow("mnuFilePrint", "frmPrintForm"), "");
  EXPECT_EQ(RequiredWindow("mnuEditParms", "frmEditEntry"), "frmParms");
}

TEST(Toolbar, ButtonsRunTheirMenuCommands) {
  EXPECT_EQ(TopToolbarButtons().size(), 20u);
  EXPECT_EQ(ToolbarCommand("InetDownload", 0), "mnuToolsDownloadBracket");
  EXPECT_EQ(ToolbarCommand("InetDownload", -1), "mnuToolsDownloadBracket");
  EXPECT_EQ(ToolbarCommand("InetDownload", 16), "mnuToolsDownloadResults");
  EXPECT_EQ(ToolbarCommand("MRU", 0), "mnuFileMRU0");
  EXPECT_EQ(ToolbarCommand("UploadRpts", 0), "mnuReportsInternet");
  EXPECT_EQ(ToolbarCommand("Nope", 0), "");
  EXPECT_EQ(InetDownloadToolTip(true, "pool.example.org"), "Download results from pool.example.org");
  EXPECT_EQ(InetDownloadToolTip(false, "pool.example.org"),
            "Download bracket file from pool.example.org");
}

// Every button of the top toolbar, left to right: its key, its group, the
// menu item it runs (with a pool of 16 teams open) and its tool tip.
TEST(Toolbar, EveryButtonHasItsCommandAndTip) {
  const std::string site = "pool.example.org";
  const struct {
    const char* key;
    int group;
    const char* command;
    std::string tip;
  } table[] = {
      {"MRU", 1, "mnuFileMRU0", "Open Most Recently Used File"},
      {"New", 1, "mnuFileNew", "Start New File"},
      {"Open", 1, "mnuFileOpen", "Open"},
      {"Save", 1, "mnuFileSave", "Save"},
      {"Print", 1, "mnuFilePrint", "Print"},
      {"Parms", 2, "mnuEditParms", "Setup Pool Parameters"},
      {"SetupBrackets", 2, "mnuEditSetup", "Setup Brackets"},
      {"EditBettor", 3, "mnuEditBettors", "Input / Edit Participant Information"},
      {"EditEntry", 3, "mnuEditEntry", "Input / Edit Entries"},
      {"EnterResults", 3, "mnuEditResults", "Enter Results"},
      {"ListBettors", 4, "mnuReportsListBettors",
       "Display List of Participant and Entry Information"},
      {"PoolAnalysis", 4, "mnuReportsPoolAnalysis", "Display Pool Analysis Report"},
      {"DisplayRank", 4, "mnuReportsDisplayRankings", "Display Current Rankings"},
      {"Possibilities", 4, "mnuReportsPossible", "Display Possibilities"},
      {"CreateEmails", 4, "mnuReportsEmail", "Create file of reports for e-mailing"},
      {"UploadRpts", 4, "mnuReportsInternet", "Send displayed reports to " + site},
      {"InetDownload", 5, "mnuToolsDownloadResults", "Download bracket file from " + site},
      {"AcceptEntry", 5, "mnuToolsAcceptEntry", "Bring in Entries from another File"},
      {"ImportBettors", 5, "mnuToolsImportBettors", "Bring in Participant Info from another File"},
      {"Help", 6, "mnuHelpWindow", "Help"},
  };
  const std::vector<ToolbarButton>& buttons = TopToolbarButtons();
  ASSERT_EQ(buttons.size(), std::size(table));
  for (size_t i = 0; i < buttons.size(); ++i) {
    SCOPED_TRACE(table[i].key);
    EXPECT_STREQ(buttons[i].key, table[i].key);
    EXPECT_EQ(buttons[i].group, table[i].group);
    EXPECT_EQ(ToolbarCommand(table[i].key, 16), table[i].command);
    EXPECT_EQ(ToolbarToolTip(buttons[i], site), table[i].tip);
  }
}

TEST(CheckBracketComplete, Messages) {
  PoolState none;
  EXPECT_EQ(BracketIncompleteMessage(none),
            "Number of Teams/Players must be set. \r\nPlease set this parameter using 'Jackpot "
            "Parameters'");
  PoolState gap = PoolWithTeams(6, 8, 4);
  EXPECT_EQ(BracketIncompleteMessage(gap),
            "All of the teams have not been entered.\r\nPlease complete using 'Bracket Setup'");
  PoolState full = PoolWithTeams(6, 8, 0);
  EXPECT_EQ(BracketIncompleteMessage(full), std::nullopt);
}

}  // namespace
}  // namespace qb
