#pragma once
// The entry editor: one entry's picks on the drawn bracket, made by dragging
// teams into the winner boxes, with the tiebreaker amount, the collected box
// and the live score. It has no buttons: the main window's bottom toolbar,
// Edit menu and entry pop-up menu call its public procedures.
//
// Opened only through OpenEntryEditor (one entry at a time): the main
// window's ShowWindowByName("frmEditEntry") then creates the editor, which
// edits EditEntryNumber, and shows it with ShowChild. The window deletes
// itself when it closes.
#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "entries/logic/entry_scoring.h"
#include "entries/logic/pick_board.h"
#include "bracket/bracket_view.h"
#include "bracket/bracket_windows.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMimeData;

namespace qb {

class EntryDialogs;
struct EditorLayout;

inline constexpr const char* kEntryAlreadyOpenText =
    "Another Entry is already open!\r\nPlease close it before editing another entry!";

// Refuses (beep and message) while another entry is open; otherwise marks
// `entry` open (EditEntryNumber), remembers the caller that gets the focus back
// and asks the main window to show the editor. True when it asked.
bool OpenEntryEditor(AppContext& ctx, int entry, QWidget* caller);

class frmEditEntry : public BracketWindow {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 40;

  // Edits entry EditEntryNumber. A new entry (NewEntryMode set by the entry
  // selection) is taken out of the pool again when it is closed unsaved.
  explicit frmEditEntry(AppContext& ctx, QWidget* parent = nullptr);
  ~frmEditEntry() override;
  std::string windowName() const override { return "frmEditEntry"; }

  void cmdOK_Click() override;
  void cmdCancel_Click() override;
  void cmdFill_Click() override;
  void PrintPreview() override;
  void cmdEntryHeader_Click() override;
  void cmdShowParms_Click() override;
  void ClearPicks() override;
  void CopyEntry() override;
  bool QueryClose() override;
  QWidget* FirstField() const override;
  void AdjustHeightForScoring() override;
  void SetEditCaptions();
  int helpContext() const override { return kHelpContext; }

  // A drop on one of the editor's boxes or headings, carrying a drag of
  // DragData. False when the target or the data is not the editor's.
  bool DropOn(QWidget* target, const QMimeData* data);
  QMimeData* DragData(DragSource source) const;

  int entry() const { return entry_; }
  bool entryChanged() const { return changed_; }
  bool isNewEntry() const { return newEntry_; }
  const PickBoard& board() const { return board_; }
  const EditorLayout& layout() const { return *layout_; }
  QWidget* canvas() const;
  // The dialogs it opens; tests answer them.
  void SetDialogs(EntryDialogs* dialogs) { dialogs_ = dialogs; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void FormLoad();
  void DrawBracket();
  void LoadTeamsAndPicks();
  void ShowBoard();
  void ShowEntryScoring();
  void ColourPicks();
  void SaveEntry();
  void DiscardNewEntry();
  void ShowEntryPopupMenu();
  // The close handling; true lets the window close.
  bool QueryUnload(bool byCloseBox);
  // Closes the window as OK and Cancel do; true when it closed.
  bool Unload();
  void ReturnToCaller();
  // Brings the window that opened the editor forward, with its focus.
  void FocusCaller();
  void PlaySounds(const PlaceOutcome& place);
  void BoxPressed(Qt::MouseButton button);
  void OnDropped(BoxRef target, BoxRef source);
  QWidget* OwnerWindow();

  EntryDialogs* dialogs_;
  std::unique_ptr<EditorLayout> layout_;
  PickBoard board_;
  GameTable games_{};
  BoardScore score_;
  int entry_ = 0;
  bool changed_ = false;
  bool newEntry_ = false;
  bool keepOpen_ = false;
  bool unloading_ = false;
  bool closeApproved_ = false;
  bool unloaded_ = false;
  bool loading_ = true;
  std::string callerName_;
  QPointer<QWidget> caller_;

  BracketView* view_ = nullptr;
  QGroupBox* fraTiebreaker = nullptr;
  QLabel* lblTiebreaker = nullptr;
  QLabel* lblTiebreakerType = nullptr;
  QLineEdit* txtTiebreakerAmt = nullptr;
  QCheckBox* chkCollected = nullptr;
  QGroupBox* fraScoring = nullptr;
  QGroupBox* fraStats = nullptr;
  std::vector<QLabel*> lblScoreRound;
  std::vector<QLineEdit*> txtRoundGames, txtRoundPoints, txtUpsets, txtUpsetsPct;
  QLineEdit* txtGamesWon = nullptr;
  QLineEdit* txtPointsWon = nullptr;
  QLineEdit* txtUpsetsTotal = nullptr;
  QLineEdit* txtUpsetsPctTotal = nullptr;
};

}  // namespace qb
