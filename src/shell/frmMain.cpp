#include "shell/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QWindow>
#include <vector>

#include "core/pool_file_reader.h"
#include "core/pool_file_writer.h"
#include "core/sound_effects.h"
#include "platform/error_report.h"
#include "shell/child_focus.h"
#include "shell/main_window_icons.h"
#include "shell/main_window_placement.h"
#include "shell/print_routing.h"
#include "web/web_files.h"

namespace qb {

namespace {

constexpr int kTwipsPerPixel = 15;
int Px(int twips) {
  return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

struct ItemDef {
  const char* name;  // nullptr: separator
  const char* caption;
};

// Menu items in order; separators as nullptr.
const std::vector<ItemDef> kFileItems = {
    {"mnuFileNew", "&New"},
    {"mnuFileOpen", "&Open"},
    {"mnuFileClose", "&Close"},
    {nullptr, nullptr},
    {"mnuFileSave", "&Save"},
    {"mnuFileSaveAs", "Save &As..."},
    {"mnuFileBackup", "&Backup to Diskette"},
    {nullptr, nullptr},
    {"mnuFilePageSetup", "Page Set&up..."},
    {"mnuFilePrint", "&Print..."},
    {"mnuFilePrintToFile", "Print to Comma-Delimited &File"},
    {nullptr, nullptr},
    {nullptr, nullptr},
    {"mnuFileMRU0", "recent file"},
    {"mnuFileMRU1", "recent file2"},
    {"mnuFileMRU2", "recent file3"},
    {"mnuFileMRU3", "recent file4"},
    {nullptr, nullptr},
    {"mnuFileExit", "E&xit"},
};

const std::vector<ItemDef> kEditItems = {
    {"mnuEditOK", "&Save and Exit (OK)"},
    {"mnuEditCancel", "&Exit w/out Saving (Cancel)"},
    {nullptr, nullptr},
    {"mnuEditParms", "&Pool Parameters"},
    {"mnuEditSetup", "Bracket &Setup"},
    {nullptr, nullptr},
    {"mnuEditBettors", "Input/Edit &Participant Info"},
    {"mnuEditEntry", "&Input/Edit Entry"},
    {nullptr, nullptr},
    {"mnuEditResults", "&Enter Results"},
    {nullptr, nullptr},
    {"mnuEditOptions", "Options"},
};

const std::vector<ItemDef> kViewItems = {
    {"mnuViewToolbar", "&Top Toolbar"},
    {"mnuViewStatusBar", "Status &Bar"},
    {"mnuViewBottomToolbar", "&Bottom Toolbar"},
    {"mnuViewShowScoring", "&Show Entry Scoring Summary"},
};

const std::vector<ItemDef> kHelpItems = {
    {"mnuHelpContents", "&Overview"},
    {"mnuHelpWindow", "&Window Help"},
    {"mnuHelpSearch", "&Search For Help On..."},
    {nullptr, nullptr},
    {"mnuHelpAbout", "&About Quorvel Brakkon"},
};

const std::vector<ItemDef> kPopupItems = {
    {"mnuEntryPopUpOK", "OK - Save and Exit"},
    {"mnuEntryPopUpCancel", "CANCEL - Exit without Saving"},
    {"mnuEntryPopUpBar1", nullptr},
    {"mnuEntryPopUpEntryInfo", "Edit Entry Info"},
    {"mnuEntryPopUpFill", "Fill with Higher Seeds"},
    {"mnuEntryPopUpShowParms", "Show Pool Parameters"},
    {"mnuEntryPopUpPrint", "Print"},
    {"mnuEntryPopUpClear", "Clear All Picks"},
    {"mnuEntryPopUpCopyEntry", "Copy Picks from another Entry"},
};

struct BottomDef {
  const char* name;
  const char* caption;
  int left;
  int width;
};
const BottomDef kBottomButtons[] = {
    {"cmdQBOK", "OK", 0, 1212},
    {"cmdQBCancel", "Cancel", 1260, 1212},
    {"cmdQBPrintPreview", "Print Preview", 2520, 1395},
    {"cmdQBFill", "Fill with Higher Seeds", 3960, 1815},
    {"cmdQBEditEntryHeader", "Edit Entry Header", 5820, 1575},
    {"cmdQBShowParms", "Show Parms", 7440, 1332},
};

QString MenuText(const std::string& path) {
  return QString::fromStdString(path).replace("&", "&&");
}

}  // namespace

frmMain::frmMain(AppContext& ctx, WindowTable windows, QWidget* parent)
    : QMainWindow(parent), ctx_(ctx), windows_(std::move(windows)) {
  setObjectName("frmMain");
  setWindowIcon(AppIcon());
  recent_.SetDownloadPath(ctx_.pool.DownloadPath);
  siteName_ = ConfiguredWebSite(ctx_).host;
  mdi_ = new QMdiArea(this);
  mdi_->setObjectName("mdiClient");
  mdi_->viewport()->installEventFilter(this);
  setCentralWidget(mdi_);
  connect(mdi_, &QMdiArea::subWindowActivated, this, &frmMain::OnSubWindowActivated);
  BuildMenus();
  BuildTopToolbar();
  BuildBottomToolbar();
  BuildStatusBar();
  BuildEntryPopup();
  setWindowTitle(QString::fromStdString(MainCaption(ctx_.pool.Pool)));
  if (!ctx_.main) ctx_.main = this;
}

frmMain::~frmMain() {
  // The area reports activations while it is torn down; nothing to adjust then.
  disconnect(mdi_, nullptr, this, nullptr);
  mdi_->viewport()->removeEventFilter(this);
  for (QMdiSubWindow* sub : mdi_->subWindowList()) sub->removeEventFilter(this);
  if (ctx_.main == this) ctx_.main = nullptr;
}

// ---------------------------------------------------------------- building

QAction* frmMain::AddItem(QMenu* menu, const char* name, const char* caption) {
  if (!name) {
    menu->addSeparator();
    return nullptr;
  }
  QAction* a = caption ? menu->addAction(QString::fromUtf8(caption)) : menu->addSeparator();
  a->setObjectName(name);
  items_[name] = a;
  std::string command = name;
  if (caption) connect(a, &QAction::triggered, this, [this, command] { RunCommand(command); });
  return a;
}

void frmMain::BuildMenus() {
  auto addMenu = [this](const char* name, const char* caption, const std::vector<ItemDef>& defs) {
    QMenu* m = menuBar()->addMenu(QString::fromUtf8(caption));
    m->setObjectName(name);
    m->setSeparatorsCollapsible(true);  // the unused recent-file place shows one line
    for (const auto& d : defs) AddItem(m, d.name, d.caption);
    return m;
  };
  addMenu("mnuFile", "&File", kFileItems);
  addMenu("mnuEdit", "&Edit", kEditItems);
  addMenu("mnuView", "&View", kViewItems);
  for (const auto& d : kViewItems) items_[d.name]->setCheckable(true);
  items_["mnuViewToolbar"]->setChecked(true);
  items_["mnuViewStatusBar"]->setChecked(true);
  items_["mnuViewBottomToolbar"]->setChecked(true);
  items_["mnuViewShowScoring"]->setChecked(true);
  items_["mnuViewShowScoring"]->setVisible(false);
  const std::string& site = siteName_;
  const std::string internet = "&Send Reports to " + site;
  addMenu("mnuReports", "&Reports",
          {{"mnuReportsListBettors", "Display Participant and Entry &Info"},
           {"mnuReportsPoolAnalysis", "Display Pool &Analysis"},
           {"mnuReportsDisplayRankings", "Display &Rankings"},
           {"mnuReportsPossible", "Display &Possible Results"},
           {nullptr, nullptr},
           {"mnuReportsEmail", "&Create Reports for Emailing to Participants"},
           {"mnuReportsInternet", internet.c_str()}});
  const std::string bracket = "Download Bracket from " + site;
  const std::string results = "Download Results from " + site;
  addMenu("mnuTools", "&Tools",
          {{"mnuToolsAcceptEntry", "&Bring in Entries from another File"},
           {"mnuToolsImportBettors", "Bring in &Participants from another File"},
           {"mnuToolsCreateEntry", "&Create Pool File without Entries"},
           {nullptr, nullptr},
           {"mnuToolsDownloadBracket", bracket.c_str()},
           {"mnuToolsDownloadResults", results.c_str()}});
  mnuWindow_ =
      addMenu("mnuWindow", "&Window",
              {{"mnuWindowCascade", "&Cascade"}, {"mnuWindowArrangeIcons", "&Arrange Icons"}});
  connect(mnuWindow_, &QMenu::aboutToShow, this, &frmMain::RebuildWindowMenu);
  addMenu("mnuHelp", "&Help", kHelpItems);
  // F1 asks for the help of the window in front, as on any desktop program.
  items_["mnuHelpWindow"]->setShortcut(QKeySequence::HelpContents);
}

void frmMain::BuildTopToolbar() {
  tbToolBar_ = new QToolBar("Top Toolbar", this);
  tbToolBar_->setObjectName("tbToolBar");
  tbToolBar_->setMovable(false);
  tbToolBar_->setFloatable(false);
  tbToolBar_->setIconSize(QSize(24, 24));
  tbToolBar_->installEventFilter(this);
  addToolBar(Qt::TopToolBarArea, tbToolBar_);
  int group = 0;
  for (const auto& b : TopToolbarButtons()) {
    if (group != 0 && b.group != group) tbToolBar_->addSeparator();
    group = b.group;
    std::string key = b.key;
    QAction* a = tbToolBar_->addAction(ToolbarIcon(key), QString::fromStdString(key));
    a->setObjectName(QString::fromStdString("tbToolBar_" + key));
    a->setToolTip(QString::fromStdString(ToolbarToolTip(b, siteName_)));
    a->setData(QString::fromStdString(key));
    buttons_[key] = a;
    connect(a, &QAction::triggered, this, [this, key] { RunCommand("tbToolBar:" + key); });
  }
}

void frmMain::BuildBottomToolbar() {
  tbQBToolbar_ = new QToolBar("Bottom Toolbar", this);
  tbQBToolbar_->setObjectName("tbQBToolbar");
  tbQBToolbar_->setMovable(false);
  tbQBToolbar_->setFloatable(false);
  auto* strip = new QWidget(tbQBToolbar_);
  auto* row = new QHBoxLayout(strip);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(Px(48));
  for (const auto& d : kBottomButtons) {
    auto* b = new QPushButton(QString::fromUtf8(d.caption), strip);
    b->setObjectName(d.name);
    // Like a toolbar button: the editing window keeps the focus.
    b->setFocusPolicy(Qt::NoFocus);
    // The laid-out widths, widened where this font needs more for the caption.
    b->setFixedSize(std::max(Px(d.width), b->sizeHint().width()), Px(312) + 4);
    b->installEventFilter(this);
    row->addWidget(b);
    bottom_[d.name] = b;
    std::string name = d.name;
    connect(b, &QPushButton::clicked, this, [this, name] { RunCommand(name); });
  }
  row->addStretch();
  tbQBToolbar_->addWidget(strip);
  addToolBar(Qt::BottomToolBarArea, tbQBToolbar_);
  tbQBToolbar_->hide();
}

void frmMain::BuildStatusBar() {
  QStatusBar* sb = statusBar();
  sb->setObjectName("sbStatusBar");
  statusPanel_ = new QLabel(sb);
  statusPanel_->setObjectName("sbStatusBarPanel1");
  statusPanel_->installEventFilter(this);
  sb->addWidget(statusPanel_, 1);
  sb->installEventFilter(this);
}

void frmMain::BuildEntryPopup() {
  mnuEntryPopUp_ = new QMenu("Entry PopUp", this);
  mnuEntryPopUp_->setObjectName("mnuEntryPopUp");
  mnuEntryPopUp_->setSeparatorsCollapsible(false);
  for (const auto& d : kPopupItems) AddItem(mnuEntryPopUp_, d.name, d.caption);
}

QAction* frmMain::MenuItem(const std::string& name) const {
  auto it = items_.find(name);
  return it == items_.end() ? nullptr : it->second;
}

QAction* frmMain::ToolbarButton(const std::string& key) const {
  auto it = buttons_.find(key);
  return it == buttons_.end() ? nullptr : it->second;
}

QPushButton* frmMain::BottomButton(const std::string& name) const {
  auto it = bottom_.find(name);
  return it == bottom_.end() ? nullptr : it->second;
}

// ---------------------------------------------------------------- load, unload, placement

void frmMain::MDIForm_Load() {
  auto& s = ctx_.settings;
  MainPlacement p = RestoreMainPlacement(s.GetSetting("Settings", "MainLeft", "1000"),
                                         s.GetSetting("Settings", "MainTop", "1000"),
                                         s.GetSetting("Settings", "MainWidth", "4000"),
                                         s.GetSetting("Settings", "MainHeight", "4000"));
  PlaceMainWindow(this, p,
                  s.GetSetting("Settings", "MainWidth", "").empty() &&
                      s.GetSetting("Settings", "MainHeight", "").empty());
  for (int i = 0; i < kRecentFileCount; ++i)
    recent_.Set(i, s.GetSetting("Settings", "MRU" + std::to_string(i), ""));
  ShowRecentFiles();
  StoreMainGeometry();
  ctx_.pool.PoolChanged = false;
  DisableFileCommands();
  ctx_.pool.ShowBottomToolbar = true;
  tbQBToolbar_->hide();
  RefreshCaption();
}

void frmMain::StoreMainGeometry() {
  ctx_.pool.MainTop = y() * kTwipsPerPixel;
  ctx_.pool.MainLeft = x() * kTwipsPerPixel;
  ctx_.pool.MainWidth = width() * kTwipsPerPixel;
  ctx_.pool.MainHeight = height() * kTwipsPerPixel;
}

void frmMain::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  StoreMainGeometry();
}

void frmMain::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  StoreMainGeometry();
}

void frmMain::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
    RefreshCaption();
    AdjustMenuForParameters();
  }
}

void frmMain::closeEvent(QCloseEvent* event) {
  PoolState& pool = ctx_.pool;
  if (closing_) {
    event->accept();
    return;
  }
  try {
    if (!CloseAllChildren()) {
      event->ignore();
      return;
    }
    pool.DialogCancelled = false;
    MsgAnswer answer = MsgAnswer::OK;
    SaveFileChanges(pool.PoolChanged, answer);
    if (answer == MsgAnswer::Cancel) {
      PlaySound("start");
      event->ignore();
      return;
    }
    if (!pool.DialogCancelled) {
      pool.PoolFilePath.clear();
      pool.OpenFileName.clear();
      ClearPool(pool);
      RefreshCaption();
      DisableFileCommands();
      if (!isMaximized() && !isMinimized()) {
        ctx_.settings.SaveSetting("Settings", "MainLeft", PlacementText(x() * kTwipsPerPixel));
        ctx_.settings.SaveSetting("Settings", "MainTop", PlacementText(y() * kTwipsPerPixel));
        ctx_.settings.SaveSetting("Settings", "MainWidth", PlacementText(width() * kTwipsPerPixel));
        ctx_.settings.SaveSetting("Settings", "MainHeight",
                                  PlacementText(height() * kTwipsPerPixel));
      }
    }
    pool.SoundPlayed = 0;
    if (pool.DialogCancelled) {
      event->ignore();
      return;
    }
    PlaySound("shutdown");
    // Windows of their own (the list of entries with a pick) go with us.
    closing_ = true;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w != this && w->isVisible() && w->isWindow() && !w->inherits("QMenu")) w->close();
    closing_ = false;
    event->accept();
  } catch (const std::exception& e) {
    ReportError(e);
    event->ignore();
  }
}

// ---------------------------------------------------------------- caption, recent files

void frmMain::RefreshCaption() {
  setWindowTitle(QString::fromStdString(MainCaption(ctx_.pool.Pool)));
  statusPanel_->setText(QString::fromStdString(ctx_.pool.OpenFileName));
}

void frmMain::ShowRecentFiles() {
  for (int i = 0; i < kRecentFileCount; ++i) {
    QAction* a = items_["mnuFileMRU" + std::to_string(i)];
    const std::string& path = recent_.at(i);
    a->setText(MenuText(path));
    a->setData(QString::fromStdString(path));
    a->setVisible(!path.empty());
  }
}

void frmMain::AddMRU(const std::string& path) {
  if (!recent_.Add(path)) return;
  ShowRecentFiles();
  for (int i = 0; i < kRecentFileCount; ++i)
    ctx_.settings.SaveSetting("Settings", "MRU" + std::to_string(i), recent_.at(i));
}

// ---------------------------------------------------------------- commands

void frmMain::RunCommand(const std::string& name) {
  ctx_.pool.SoundPlayed = 0;
  // A command asked for while its item is disabled (the start-up chooser's
  // download before the download window exists) only beeps.
  QAction* item =
      name.rfind("tbToolBar:", 0) == 0 ? ToolbarButton(name.substr(10)) : MenuItem(name);
  if (item && !item->isEnabled()) {
    ctx_.prompts.Beep();
    return;
  }
  try {
    Dispatch(name);
  } catch (const std::exception& e) {
    ReportError(e);
  }
  FocusActiveChild(this, mdi_);
}

void frmMain::ReportError(const std::exception& e) {
  RestorePointer();
  ReportUnexpectedError(ctx_, this, false, e, "frmMain");
}

void frmMain::PlaySound(const char* name) {
  qb::PlaySoundEffect(ctx_.pool, ctx_.waves, name);
}

void frmMain::PlaySoundEffect(const std::string& name) {
  qb::PlaySoundEffect(ctx_.pool, ctx_.waves, name);
}

void frmMain::ShowHourglass() {
  if (hourglass_) return;
  hourglass_ = true;
  QApplication::setOverrideCursor(Qt::WaitCursor);
}

void frmMain::RestorePointer() {
  if (!hourglass_) return;
  hourglass_ = false;
  QApplication::restoreOverrideCursor();
}

void frmMain::Dispatch(const std::string& name) {
  if (name.rfind("tbToolBar:", 0) == 0) return tbToolBar_ButtonClick(name.substr(10));
  if (name.rfind("mnuFileMRU", 0) == 0) return mnuFileMRU_Click(name.back() - '0');
  if (name == "mnuFilePrint") return mnuFilePrint_Click();
  const auto forwarded = ForwardedCommands();
  if (std::find(forwarded.begin(), forwarded.end(), name) != forwarded.end()) return Forward(name);

  using Handler = void (frmMain::*)();
  static const std::map<std::string, Handler> handlers = {
      {"mnuFileNew", &frmMain::mnuFileNew_Click},
      {"mnuFileOpen", &frmMain::mnuFileOpen_Click},
      {"mnuFileClose", &frmMain::mnuFileClose_Click},
      {"mnuFileSave", &frmMain::mnuFileSave_Click},
      {"mnuFileSaveAs", &frmMain::mnuFileSaveAs_Click},
      {"mnuFileExit", &frmMain::mnuFileExit_Click},
      {"mnuEditParms", &frmMain::mnuEditParms_Click},
      {"mnuWindowCascade", &frmMain::mnuWindowCascade_Click},
      {"mnuWindowArrangeIcons", &frmMain::ArrangeIcons},
      {"mnuToolsAcceptEntry", &frmMain::mnuToolsAcceptEntry_Click},
      {"mnuToolsCreateEntry", &frmMain::mnuToolsCreateEntry_Click},
      {"mnuToolsDownloadBracket", &frmMain::mnuToolsDownloadBracket_Click},
      {"mnuToolsDownloadResults", &frmMain::mnuToolsDownloadResults_Click},
      {"mnuHelpWindow", &frmMain::mnuHelpWindow_Click},
  };
  if (auto it = handlers.find(name); it != handlers.end()) return (this->*it->second)();

  if (name.rfind("mnuView", 0) == 0) return mnuViewToggle(name);

  PoolState& pool = ctx_.pool;
  // Commands that show the window they name.
  struct Opens {
    const char* window;
    bool guarded;
    const char* outputMode;
  };
  static const std::map<std::string, Opens> opens = {
      {"mnuEditSetup", {"frmSetup", false, nullptr}},
      {"mnuEditBettors", {"frmSelectBettor", false, nullptr}},
      {"mnuEditEntry", {"frmSelectEntry", true, nullptr}},
      {"mnuEditResults", {"frmEnterResults", true, nullptr}},
      {"mnuEditOptions", {"frmOptions", false, nullptr}},
      {"mnuReportsListBettors", {"frmListBettors", false, nullptr}},
      {"mnuReportsPoolAnalysis", {"frmPoolAnalysis", false, nullptr}},
      {"mnuReportsDisplayRankings", {"frmDisplayRank", true, nullptr}},
      {"mnuReportsPossible", {"frmPossibilities", true, nullptr}},
      {"mnuReportsEmail", {"frmEMailReports", false, "Email"}},
      {"mnuReportsInternet", {"frmEMailReports", false, "Web"}},
      {"mnuToolsImportBettors", {"frmImportBettors", true, nullptr}},
      {"mnuFilePageSetup", {"frmPageSetup", false, nullptr}},
      {"mnuFileBackup", {"frmBackup", false, nullptr}},
      {"mnuFilePrintToFile", {"PrintToFile", false, nullptr}},
      {"mnuHelpAbout", {"frmAbout", false, nullptr}},
  };
  if (auto it = opens.find(name); it != opens.end()) {
    if (it->second.guarded && CheckBracketComplete()) return;
    PlaySound("start");
    if (it->second.outputMode) pool.OutputMode = it->second.outputMode;
    if (name == "mnuToolsImportBettors") pool.BettorImportFromEntries = false;
    ShowWindowByName(it->second.window);
    return;
  }
  if (name == "mnuHelpContents") return DisplayContextHelp(kHelpFile, 0, "frmMain");
  if (name == "mnuHelpSearch") return DisplayContextHelp(kHelpFile, 0, "Search");
}

void frmMain::Forward(const std::string& command) {
  QPointer<ChildWindow> child = ActiveChild();
  ChildRole role = ForwardedRole(command, child ? child->windowName() : "");
  if (child && role != ChildRole::None) RunRole(child, role);
  if (RefreshesCaptionAfter(command)) RefreshCaption();
}

void frmMain::RunRole(ChildWindow* child, ChildRole role) {
  switch (role) {
    case ChildRole::None:
      break;
    case ChildRole::OK:
      child->cmdOK_Click();
      break;
    case ChildRole::Cancel:
      child->cmdCancel_Click();
      break;
    case ChildRole::Fill:
      child->cmdFill_Click();
      break;
    case ChildRole::PrintPreview:
      child->PrintPreview();
      break;
    case ChildRole::Print:
      child->cmdPrint_Click();
      break;
    case ChildRole::EntryHeader:
      child->cmdEntryHeader_Click();
      break;
    case ChildRole::ShowParms:
      child->cmdShowParms_Click();
      break;
    case ChildRole::ClearPicks:
      child->ClearPicks();
      break;
    case ChildRole::CopyEntry:
      child->CopyEntry();
      break;
    case ChildRole::Close:
      if (auto* sub = qobject_cast<QMdiSubWindow*>(child->parentWidget())) {
        sub->setProperty("qbNoQuery", true);
        sub->close();
      } else {
        child->close();
      }
      break;
    case ChildRole::FilePrint:
      mnuFilePrint_Click();
      break;
  }
}

void frmMain::mnuFilePrint_Click() {
  ctx_.pool.OutputMode = "Print";
  QPointer<ChildWindow> child = ActiveChild();
  if (!child || PrintActiveReport(ctx_, child, this)) return;
  ChildRole role = ForwardedRole("mnuFilePrint", child->windowName());
  if (role != ChildRole::FilePrint) RunRole(child, role);
}

void frmMain::tbToolBar_ButtonClick(const std::string& key) {
  RefreshCaption();
  PlaySound("start");
  std::string command = ToolbarCommand(key, ctx_.pool.Pool.NumTeams);
  if (command.empty()) return;
  Dispatch(command);
}

// ---------------------------------------------------------------- enabling

bool frmMain::Available(const std::string& command) const {
  std::string needs = RequiredWindow(command, ActiveWindowName());
  return needs.empty() || windows_.Has(needs);
}

void frmMain::ApplyCommandStates() {
  CommandState state = CommandStateOf(ctx_.pool, poolOpen_, ActiveWindowName());
  for (auto& [name, action] : items_) {
    if (name.rfind("mnuEntryPopUp", 0) == 0 || name.rfind("mnuFileMRU", 0) == 0) continue;
    action->setEnabled(CommandAllowed(name, state) && Available(name));
  }
  for (auto& [key, action] : buttons_) {
    std::string command =
        key == "InetDownload" ? "mnuToolsDownloadBracket" : ToolbarCommand(key, state.numTeams);
    action->setEnabled(CommandAllowed(key, state) && Available(command));
  }
  items_["mnuEntryPopUpPrint"]->setEnabled(Available("mnuEntryPopUpPrint"));
  buttons_["InetDownload"]->setToolTip(QString::fromStdString(InetDownloadToolTip(poolOpen_, siteName_)));
}

void frmMain::EnableFileCommands() {
  poolOpen_ = true;
  ApplyCommandStates();
}

void frmMain::DisableFileCommands() {
  poolOpen_ = false;
  ApplyCommandStates();
}

void frmMain::AdjustMenuForParameters() {
  ApplyCommandStates();
}

void frmMain::AdjustMenuForActiveWindow() {
  ApplyCommandStates();
}

bool frmMain::CheckBracketComplete() {
  auto message = BracketIncompleteMessage(ctx_.pool);
  if (!message) return false;
  ctx_.prompts.Beep();
  ctx_.prompts.Show(*message);
  return true;
}

// ---------------------------------------------------------------- child windows

ChildWindow* frmMain::ActiveChild() const {
  QMdiSubWindow* sub = mdi_->currentSubWindow();
  return sub ? qobject_cast<ChildWindow*>(sub->widget()) : nullptr;
}

std::string frmMain::ActiveWindowName() const {
  ChildWindow* child = ActiveChild();
  return child ? child->windowName() : "";
}

void frmMain::ShowChild(ChildWindow* child) {
  if (!child) return;
  auto* sub = qobject_cast<QMdiSubWindow*>(child->parentWidget());
  const bool opening = !sub || sub->mdiArea() != mdi_;
  if (opening) {
    QSize wanted = child->size();
    bool sized = child->testAttribute(Qt::WA_Resized);
    child->setAttribute(Qt::WA_DeleteOnClose);
    sub = mdi_->addSubWindow(child);
    if (sized) {
      // The window sized itself: the frame fits around it.
      QMargins m = sub->contentsMargins();
      int title = sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, sub);
      sub->resize(wanted.width() + m.left() + m.right(),
                  wanted.height() + m.top() + m.bottom() + title);
    }
    // Never larger than the client area, so its frame and edges stay in reach.
    QSize room = mdi_->viewport()->size();
    if (mdi_->isVisible() && !room.isEmpty()) sub->resize(sub->size().boundedTo(room));
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(windowIcon());
    sub->installEventFilter(this);
    // A window that closes itself takes its frame with it; later, so a frame
    // that is itself being torn down is left alone.
    // The frame is held as a plain QObject: while it is being torn down it is
    // no QMdiSubWindow any more, and only the later look may cast it.
    connect(child, &QObject::destroyed, this, [frame = QPointer<QObject>(sub)] {
      if (!frame) return;
      QTimer::singleShot(0, frame.data(), [frame] {
        auto* sub = qobject_cast<QMdiSubWindow*>(frame.data());
        if (sub && !sub->widget()) sub->close();
      });
    });
    loaded_[child->windowName()] = child;
  }
  sub->show();
  mdi_->setActiveSubWindow(sub);
  FocusActiveChild(this, mdi_, opening);
  if (mdi_->currentSubWindow() != sub) OnSubWindowActivated(sub);
}

void frmMain::ShowChildByName(const std::string& name) {
  if (auto it = loaded_.find(name); it != loaded_.end() && it->second) {
    ShowChild(it->second);  // a loaded window only comes forward
    return;
  }
  auto factory = windows_.children.find(name);
  if (factory == windows_.children.end()) return;
  PoolState& pool = ctx_.pool;
  pool.DialogCancelled = false;
  ChildWindow* child = factory->second(ctx_);
  if (!child) return;
  if (pool.DialogCancelled) {
    // Its load refused to open (and said why).
    delete child;
    pool.DialogCancelled = false;
    return;
  }
  ShowChild(child);
}

bool frmMain::RunDialog(const std::string& name) {
  auto it = windows_.dialogs.find(name);
  if (it == windows_.dialogs.end()) return false;
  it->second(ctx_, this);
  FocusActiveChild(this, mdi_);
  return true;
}

void frmMain::ShowWindowByName(const std::string& windowName) {
  if (windows_.children.count(windowName))
    ShowChildByName(windowName);
  else
    RunDialog(windowName);
}

bool frmMain::CloseAllChildren() {
  PoolState& pool = ctx_.pool;
  pool.DialogCancelled = false;
  std::vector<QPointer<QMdiSubWindow>> open;
  for (QMdiSubWindow* sub : mdi_->subWindowList()) open.emplace_back(sub);
  for (const QPointer<QMdiSubWindow>& sub : open) {
    if (!sub) continue;  // went with one closed before it
    if (!sub->close()) {
      pool.DialogCancelled = true;
      return false;
    }
    // Gone now, not when the event loop comes round: the callers hand the
    // freed memory back next, and what the window held (a possibilities
    // run's snapshot and grids) must be part of it.
    delete sub.data();
    if (pool.DialogCancelled) return false;
  }
  return true;
}

void frmMain::OnSubWindowActivated(QMdiSubWindow* sub) {
  // By the current window, not the signal's: a dialog over the main window
  // deactivates the area without changing which child the commands are for.
  std::string name = ActiveWindowName();
  ApplyCommandStates();
  ApplyBottomToolbar();
  items_["mnuViewShowScoring"]->setVisible(OffersScoringSummary(name));
}

void frmMain::ApplyBottomToolbar() {
  auto layout = BottomToolbarLayout(ActiveWindowName(), ctx_.pool.PrintEntry);
  if (layout.empty() || !ctx_.pool.ShowBottomToolbar) {
    tbQBToolbar_->hide();
    return;
  }
  for (const auto& b : layout) {
    QPushButton* button = bottom_[b.name];
    button->setText(QString::fromUtf8(b.caption));
    button->setVisible(b.visible);
    button->setEnabled(Available(b.name));
  }
  tbQBToolbar_->show();
}

void frmMain::SetPreviewButtons() {
  ApplyBottomToolbar();
}

void frmMain::HideBottomToolbar() {
  tbQBToolbar_->hide();
}

void frmMain::SetSaveCancelMenu(bool editing) {
  items_["mnuEntryPopUpOK"]->setText("OK - Save and Exit");
  items_["mnuEntryPopUpCancel"]->setText(editing ? "CANCEL - Exit without Saving" : "Close");
}

void frmMain::SetEntryPopupItemVisible(const std::string& item, bool visible) {
  if (auto it = items_.find(item); it != items_.end() && item.rfind("mnuEntryPopUp", 0) == 0)
    it->second->setVisible(visible);
}

void frmMain::PopupEntryMenu(QWidget* over) {
  QPoint at = QCursor::pos();
  // Asked for from the keyboard: over the window rather than where the mouse is.
  if (over && !over->rect().contains(over->mapFromGlobal(at)))
    at = over->mapToGlobal(over->rect().center());
  mnuEntryPopUp_->popup(at);
}

bool frmMain::ShowEntryScoringChecked() const {
  return items_.at("mnuViewShowScoring")->isChecked();
}

void frmMain::SetStatusText(const std::string& text) {
  if (text.empty())
    statusBar()->clearMessage();
  else
    statusBar()->showMessage(QString::fromStdString(text));
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Close) {
    auto* sub = qobject_cast<QMdiSubWindow*>(watched);
    if (sub && !sub->property("qbNoQuery").toBool()) {
      auto* child = qobject_cast<ChildWindow*>(sub->widget());
      if (child && !child->QueryClose()) {
        ctx_.pool.DialogCancelled = true;
        event->ignore();
        return true;
      }
    }
  }
  if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
    ctx_.pool.SoundPlayed = 0;
    if (watched == statusPanel_ || watched == statusBar() ||
        (watched == mdi_->viewport() && event->type() == QEvent::MouseButtonPress))
      RefreshCaption();
  }
  return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------- view and window menus

void frmMain::mnuViewToggle(const std::string& name) {
  QAction* item = items_[name];
  bool show = item->isChecked();  // the click has already flipped it
  if (name == "mnuViewToolbar") {
    tbToolBar_->setVisible(show);
    PlaySound(show ? "start" : "whoosh");
  } else if (name == "mnuViewStatusBar") {
    statusBar()->setVisible(show);
    PlaySound(show ? "gong" : "whoosh");
  } else if (name == "mnuViewBottomToolbar") {
    ctx_.pool.ShowBottomToolbar = show;
    tbQBToolbar_->setVisible(show);
    if (show) ApplyBottomToolbar();
    PlaySound(show ? "gong" : "whoosh");
  } else if (name == "mnuViewShowScoring") {
    if (ChildWindow* child = ActiveChild(); child && child->windowName() == "frmEditEntry")
      child->AdjustHeightForScoring();
  }
}

void frmMain::mnuWindowCascade_Click() {
  PlaySound("start");
  mdi_->cascadeSubWindows();
}

void frmMain::ArrangeIcons() {
  PlaySound("start");
  int x = 0;
  for (QMdiSubWindow* sub : mdi_->subWindowList()) {
    if (!sub->isMinimized()) continue;
    sub->move(x, mdi_->viewport()->height() - sub->height());
    x += sub->width();
  }
}

void frmMain::RebuildWindowMenu() {
  for (QAction* a : mnuWindow_->actions())
    if (a->property("qbWindowList").toBool()) {
      mnuWindow_->removeAction(a);
      a->deleteLater();
    }
  const auto subs = mdi_->subWindowList();
  if (subs.isEmpty()) return;
  QAction* sep = mnuWindow_->addSeparator();
  sep->setProperty("qbWindowList", true);
  int n = 1;
  for (QMdiSubWindow* sub : subs) {
    QAction* a = mnuWindow_->addAction(QString("&%1 %2").arg(n++).arg(sub->windowTitle()));
    a->setProperty("qbWindowList", true);
    a->setCheckable(true);
    a->setChecked(sub == mdi_->currentSubWindow());
    connect(a, &QAction::triggered, this, [this, sub] { mdi_->setActiveSubWindow(sub); });
  }
}

// ---------------------------------------------------------------- help

void frmMain::DisplayContextHelp(const std::string& helpFile, int helpContext,
                                 const std::string& windowName) {
  PlaySound("myhuh");
  if (!ctx_.help.ShowTopic(helpFile, helpContext, windowName)) {
    ctx_.prompts.Beep();
    ctx_.prompts.Show(kNoHelpText, MsgIcon::Exclamation);
  }
}

void frmMain::mnuHelpWindow_Click() {
  ChildWindow* child = ActiveChild();
  if (child)
    DisplayContextHelp(kHelpFile, child->helpContext(), child->windowName());
  else
    DisplayContextHelp(kHelpFile, 0, "frmMain");
}

// ---------------------------------------------------------------- file commands

void frmMain::SaveFileChanges(bool& changed, MsgAnswer& answer) {
  if (!changed) return;
  ctx_.prompts.Beep();
  answer =
      ctx_.prompts.Ask("Do you wish to save the changes to file:\n\r" + ctx_.pool.Pool.PoolName,
                       MsgButtons::YesNoCancel, MsgIcon::None);
  if (answer == MsgAnswer::Yes) mnuFileSave_Click();
}

bool frmMain::OfferToSaveChanges() {
  PoolState& pool = ctx_.pool;
  pool.DialogCancelled = false;
  MsgAnswer answer = MsgAnswer::OK;
  SaveFileChanges(pool.PoolChanged, answer);
  if (answer == MsgAnswer::Cancel) return false;
  // A Yes whose save failed or was cancelled must not discard the pool.
  if (answer == MsgAnswer::Yes && pool.DialogCancelled) return false;
  return true;
}

bool frmMain::CloseChildrenAndOfferToSave() {
  return CloseAllChildren() && OfferToSaveChanges();
}

void frmMain::StartNewPool() {
  PoolState& pool = ctx_.pool;
  pool.PoolFilePath.clear();
  pool.OpenFileName.clear();
  ClearPool(pool);
  ctx_.returnFreedMemory();
  RefreshCaption();
  RunDialog("frmParms");
  RefreshCaption();
  AdjustMenuForParameters();
}

void frmMain::mnuFileNew_Click() {
  PlaySound("start");
  if (!CloseChildrenAndOfferToSave()) return;
  ctx_.pool.OpenFileName.clear();
  ctx_.pool.PoolFilePath.clear();
  StartNewPool();
  EnableFileCommands();
}

void frmMain::mnuFileOpen_Click() {
  PlaySound("start");
  if (!CloseChildrenAndOfferToSave()) return;
  std::string start =
      QFileInfo(QString::fromStdString(ctx_.pool.PoolFilePath)).path().toStdString();
  auto name = ctx_.files.GetOpenFileName("Open", kPoolFileFilter,
                                         ctx_.pool.PoolFilePath.empty() ? "" : start);
  if (!name || name->empty()) return;
  ctx_.pool.PoolFilePath = *name;
  OpenPoolFile();
}

void frmMain::mnuFileClose_Click() {
  PlaySound("start");
  if (!CloseChildrenAndOfferToSave()) return;
  PoolState& pool = ctx_.pool;
  pool.PoolFilePath.clear();
  pool.OpenFileName.clear();
  ClearPool(pool);
  ctx_.returnFreedMemory();
  RefreshCaption();
  pool.PoolChanged = false;
  DisableFileCommands();
  PlaySound("filecls1");
}

void frmMain::mnuFileSave_Click() {
  PlaySound("start");
  PoolState& pool = ctx_.pool;
  if (pool.PoolFilePath.empty()) return mnuFileSaveAs_Click();
  if (!pool.PoolChanged) {
    ctx_.prompts.Beep();
    MsgAnswer a = ctx_.prompts.Ask(
        "No changes have been made to the file.\r\nDo you still want to save it?  (This will "
        "overlay the automatic backup file.)",
        MsgButtons::YesNo, MsgIcon::None);
    if (a == MsgAnswer::No) {
      pool.DialogCancelled = true;
      return;
    }
  }
  SaveFile1N(pool.PoolFilePath, true);
}

std::string frmMain::ProposedPoolFileName() const {
  const PoolState& pool = ctx_.pool;
  QString folder = pool.PoolFilePath.empty()
                       ? QDir::currentPath()
                       : QFileInfo(QString::fromStdString(pool.PoolFilePath)).path();
  return (folder + "/").toStdString() + SaveAsProposal(pool.Pool.PoolName);
}

void frmMain::mnuFileSaveAs_Click() {
  PlaySound("start");
  PoolState& pool = ctx_.pool;
  auto name = ctx_.files.GetSaveFileName("Save As", kPoolFileFilter, ProposedPoolFileName());
  if (!name || name->empty()) {
    pool.DialogCancelled = true;
    return;
  }
  // The writer backs up and names the file it saves by PoolFilePath; a
  // failed write must leave the pool under its old name.
  std::string previous = pool.PoolFilePath;
  pool.PoolFilePath = *name;
  SaveFile1N(*name, true);
  if (pool.DialogCancelled) {
    pool.PoolFilePath = previous;
    return;
  }
  pool.OpenFileName = *name;
  RefreshCaption();
}

void frmMain::mnuFileMRU_Click(int index) {
  PlaySound("start");
  PoolState& pool = ctx_.pool;
  if (index < 0 || index >= kRecentFileCount) return;
  std::string file = recent_.at(index);
  if (file.empty()) {
    // The toolbar button with an empty list: nothing to open.
    ctx_.prompts.Beep();
    return;
  }
  if (file == pool.PoolFilePath) {
    ctx_.prompts.Beep();
    MsgAnswer a = ctx_.prompts.Ask("File already open.\r\nDo you wish to re-open?",
                                   MsgButtons::YesNo, MsgIcon::None);
    if (a == MsgAnswer::No) return;
  }
  if (!CloseChildrenAndOfferToSave()) return;
  pool.PoolFilePath = file;
  OpenPoolFile();
}

void frmMain::mnuFileExit_Click() {
  PlaySound("start");
  close();
}

void frmMain::InitialOpen(const std::string& fileName) {
  PoolState& pool = ctx_.pool;
  try {
    pool.PoolFilePath = fileName;
    OpenPoolFile();
    if (SameFileNameIgnoringCase(fileName, pool.DownloadPath)) {
      pool.OpenFileName.clear();
      pool.PoolFilePath.clear();
    }
  } catch (const std::exception& e) {
    pool.DialogCancelled = true;
    ReportError(e);
  }
}

void frmMain::mnuEditParms_Click() {
  PlaySound("start");
  RunDialog("frmParms");
  RefreshCaption();
  AdjustMenuForParameters();
}

void frmMain::mnuToolsAcceptEntry_Click() {
  if (CheckBracketComplete()) return;
  PlaySound("start");
  PoolState& pool = ctx_.pool;
  auto files =
      ctx_.files.GetOpenFileNames("Bring in Entries from another File",
                                  "Quorvel Brakkon Files (*.qbp *.qbe *.qbi);;All (*)", "");
  if (files.empty()) return;
  pool.ImportFileList = files;
  pool.NumImportFiles = static_cast<int16_t>(files.size());
  pool.ImportFolder = QFileInfo(QString::fromStdString(files.front())).path().toStdString();
  RunDialog("frmImportEntries");
}

void frmMain::mnuToolsCreateEntry_Click() {
  if (CheckBracketComplete()) return;
  PlaySound("start");
  PoolState& pool = ctx_.pool;
  auto name = ctx_.files.GetSaveFileName(
      "Create Pool File without Entries", kPoolFileFilter,
      WithoutEntriesProposal(ProposedPoolFileName(), pool.PoolFilePath));
  if (!name || name->empty()) return;
  // Written over the open pool's own file, it would drop every entry from
  // it while the pool still counts as saved.
  if (!pool.PoolFilePath.empty() && QFileInfo(QString::fromStdString(*name)) ==
                                        QFileInfo(QString::fromStdString(pool.PoolFilePath))) {
    ctx_.prompts.Beep();
    ctx_.prompts.Show(kOwnFileRefusal, MsgIcon::Exclamation);
    pool.DialogCancelled = true;
    return;
  }
  PoolFileServices svc = FileServices();
  qb::WritePoolFileWithoutEntries(pool, *name, svc);
}

void frmMain::mnuToolsDownloadBracket_Click() {
  PoolState& pool = ctx_.pool;
  if (poolOpen_) {
    // The downloaded bracket replaces the open pool: as Open does, close the
    // windows and offer to save first.
    if (!CloseChildrenAndOfferToSave()) return;
  }
  pool.DownloadType = "Bracket";
  pool.OpenFileName.clear();
  PlaySound("start");
  RunDialog("frmDownload");
  pool.DownloadType.clear();
}

void frmMain::mnuToolsDownloadResults_Click() {
  PoolState& pool = ctx_.pool;
  pool.DownloadType = "Results";
  PlaySound("start");
  RunDialog("frmDownload");
  pool.DownloadType.clear();
}

// ---------------------------------------------------------------- pool files

PoolFileServices frmMain::FileServices() {
  return PoolFileServices{*this, ctx_.prompts, ctx_.random, ctx_.clock};
}

void frmMain::SaveFile1N(const std::string& fileName, bool makeBackup) {
  PoolFileServices svc = FileServices();
  bool saved = qb::SaveFile1N(ctx_.pool, fileName, makeBackup, svc);
  ctx_.pool.DialogCancelled = !saved;
  RefreshCaption();
}

void frmMain::OpenPoolFile() {
  PoolFileServices svc = FileServices();
  bool loaded = qb::OpenPoolFile(ctx_.pool, svc);
  ctx_.returnFreedMemory();  // what the pool before held
  // An abandoned load closes the pool through File > Close, which clears the
  // flag on its way: the caller still has to see the failure.
  ctx_.pool.DialogCancelled = !loaded;
  if (!loaded) DisableFileCommands();
  RefreshCaption();
}

bool frmMain::ShowLoadErrors(const std::vector<std::string>& errors) {
  PoolState& pool = ctx_.pool;
  RestorePointer();
  pool.DialogCancelled = false;
  if (!RunDialog("frmErrors")) {
    // Without the list window the messages still reach the user.
    std::string text = "Errors were found in the file:\r\n";
    for (size_t i = 0; i < errors.size() && i < 20; ++i) text += "\r\n" + errors[i];
    if (errors.size() > 20) text += "\r\n...";
    text += "\r\n\r\nUse the file anyway?";
    pool.DialogCancelled =
        ctx_.prompts.Ask(text, MsgButtons::OKCancel, MsgIcon::Exclamation) != MsgAnswer::OK;
  }
  return !pool.DialogCancelled;
}

}  // namespace qb
