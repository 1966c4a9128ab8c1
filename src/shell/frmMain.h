#pragma once
// The main window: a multiple-document frame with the menus, the top and
// bottom toolbars, the status bar and the entry pop-up menu. It forwards the
// bottom toolbar, Edit menu and pop-up commands to the active child window and
// runs the file commands on the open pool.
#include <QMainWindow>
#include <QPointer>
#include <map>
#include <string>

#include "core/pool_file_host.h"
#include "platform/app_context.h"
#include "platform/child_window.h"
#include "platform/main_window_api.h"
#include "shell/logic/main_window_rules.h"
#include "shell/window_table.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPushButton;
class QToolBar;

namespace qb {

class frmMain : public QMainWindow, public MainWindowApi, public PoolFileHost {
  Q_OBJECT
 public:
  frmMain(AppContext& ctx, WindowTable windows, QWidget* parent = nullptr);
  ~frmMain() override;

  // Restores placement and recent files and starts with no pool open.
  void MDIForm_Load();

  // ---- MainWindowApi
  void AdjustMenuForActiveWindow() override;
  void AdjustMenuForParameters() override;
  void EnableFileCommands() override;
  void DisableFileCommands() override;
  void RefreshCaption() override;
  void AddMRU(const std::string& path) override;
  void SaveFile1N(const std::string& fileName, bool makeBackup) override;
  void SaveOpenPool() override { mnuFileSave_Click(); }
  void InitialOpen(const std::string& fileName) override;
  void DisplayContextHelp(const std::string& helpFile, int helpContext,
                          const std::string& windowName) override;
  void ShowChild(ChildWindow* child) override;
  void ShowWindowByName(const std::string& windowName) override;
  void PopupEntryMenu(QWidget* over) override;
  void SetSaveCancelMenu(bool editing) override;
  void SetPreviewButtons() override;
  void SetStatusText(const std::string& text) override;
  void SetEntryPopupItemVisible(const std::string& item, bool visible) override;
  bool ShowEntryScoringChecked() const override;
  void HideBottomToolbar() override;

  // ---- PoolFileHost (the rest is shared with MainWindowApi)
  bool ShowLoadErrors(const std::vector<std::string>& errors) override;
  void PlaySoundEffect(const std::string& name) override;
  void ShowHourglass() override;
  void RestorePointer() override;

  // ---- file commands (the start-up chooser calls New, Open and the download)
  // answer: Yes, No or Cancel; untouched (the caller's value) when nothing changed.
  void SaveFileChanges(bool& changed, MsgAnswer& answer);
  void mnuFileNew_Click();
  void mnuFileOpen_Click();
  void mnuFileClose_Click() override;
  void mnuFileSave_Click();
  void mnuFileSaveAs_Click();
  void mnuFileMRU_Click(int index);
  void mnuFileExit_Click();
  void mnuFilePrint_Click();
  void mnuToolsDownloadBracket_Click();
  void mnuToolsDownloadResults_Click();
  void StartNewPool();
  // True when a command needing a complete bracket must be refused (told why).
  bool CheckBracketComplete();

  // Runs a menu item or bottom-toolbar button by its control name, or a top
  // toolbar button by "tbToolBar:" and its Key, as a click does.
  void RunCommand(const std::string& name);

  // ---- for the windows and the tests
  AppContext& context() { return ctx_; }
  QMdiArea* mdiArea() const { return mdi_; }
  ChildWindow* ActiveChild() const;
  std::string ActiveWindowName() const;
  QAction* MenuItem(const std::string& name) const;
  QAction* ToolbarButton(const std::string& key) const;
  QPushButton* BottomButton(const std::string& name) const;
  QMenu* EntryPopupMenu() const { return mnuEntryPopUp_; }
  QToolBar* BottomToolbar() const { return tbQBToolbar_; }
  const RecentFiles& Recent() const { return recent_; }
  bool PoolOpen() const { return poolOpen_; }
  // Closes every child window, each free to refuse; false when one refused.
  // The closed ones are deleted before it returns, so no child window's own
  // code may call it.
  bool CloseAllChildren();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void changeEvent(QEvent* event) override;
  // The toolbars are shown and hidden through the View menu only.
  QMenu* createPopupMenu() override { return nullptr; }
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The web site's host as the settings give it, named by the menus and tips.
  std::string siteName_;
  void BuildMenus();
  void BuildTopToolbar();
  void BuildBottomToolbar();
  void BuildStatusBar();
  void BuildEntryPopup();
  QAction* AddItem(QMenu* menu, const char* name, const char* caption);
  void Dispatch(const std::string& name);
  void Forward(const std::string& command);
  void RunRole(ChildWindow* child, ChildRole role);
  void ApplyCommandStates();
  void ApplyBottomToolbar();
  void StoreMainGeometry();
  void ShowRecentFiles();
  void OnSubWindowActivated(QMdiSubWindow* sub);
  void RebuildWindowMenu();
  void ArrangeIcons();

  bool Available(const std::string& command) const;
  // False when the command must stop: the user cancelled the save question,
  // or answered Yes and the save failed or was cancelled.
  bool OfferToSaveChanges();
  // What New, Open, Close, a recent file and the bracket download do first.
  bool CloseChildrenAndOfferToSave();
  void ShowChildByName(const std::string& name);
  bool RunDialog(const std::string& name);
  // Save As and the pool file without entries propose the pool's name in its folder.
  std::string ProposedPoolFileName() const;
  void OpenPoolFile();
  PoolFileServices FileServices();
  void PlaySound(const char* name);
  void ReportError(const std::exception& e);

  void mnuEditParms_Click();
  void mnuViewToggle(const std::string& name);
  void mnuWindowCascade_Click();
  void mnuToolsAcceptEntry_Click();
  void mnuToolsCreateEntry_Click();
  void mnuHelpWindow_Click();
  void tbToolBar_ButtonClick(const std::string& key);

  AppContext& ctx_;
  WindowTable windows_;
  QMdiArea* mdi_ = nullptr;
  QToolBar* tbToolBar_ = nullptr;
  QToolBar* tbQBToolbar_ = nullptr;
  QMenu* mnuWindow_ = nullptr;
  QMenu* mnuEntryPopUp_ = nullptr;
  QLabel* statusPanel_ = nullptr;
  std::map<std::string, QAction*> items_;    // menu items by control name
  std::map<std::string, QAction*> buttons_;  // top toolbar by Key
  std::map<std::string, QPushButton*> bottom_;
  std::map<std::string, QPointer<ChildWindow>> loaded_;  // by window name
  RecentFiles recent_;
  bool poolOpen_ = false;
  bool closing_ = false;
  bool hourglass_ = false;
};

}  // namespace qb
