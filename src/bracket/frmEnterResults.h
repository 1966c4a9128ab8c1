#pragma once
// The results window: winners dragged through the drawn bracket, the actual
// tiebreaker amount typed. Nothing reaches the pool until OK.
#include <string>

#include "bracket/bracket_view.h"
#include "bracket/logic/results_board.h"
#include "bracket/bracket_windows.h"

class QFrame;
class QLabel;
class QLineEdit;

namespace qb {

class frmEnterResults : public BracketWindow {
  Q_OBJECT
 public:
  explicit frmEnterResults(AppContext& ctx, QWidget* parent = nullptr);
  std::string windowName() const override { return "frmEnterResults"; }

  // Stores every game's winner and the actual tiebreaker, recomputes who is
  // alive, and closes (stays open while it saves for the print preview).
  void cmdOK_Click() override;
  // Closes through the keep-changes question.
  void cmdCancel_Click() override;
  void PrintPreview() override;
  // The close of the window: "Do you wish to keep your changes?"; false keeps it open.
  bool QueryClose() override;
  QWidget* FirstField() const override;


  // Drop handlers; source is the dragged member of the bracket.
  void txtWinner_DragDrop(int game, BoxRef source);
  void lblRound_DragDrop(int index, BoxRef source);
  // Drop on txtTeamName, txtTeamSeed or lblRound0: takes a result back.
  void TeamColumn_DragDrop(BoxRef source);

  BracketView* view() const { return view_; }
  const ResultsBoard& board() const { return board_; }
  bool IsChanged() const { return changed_; }

  QFrame* fraTiebreaker = nullptr;
  QLabel* lblTiebreaker = nullptr;
  QLabel* lblTiebreakerType = nullptr;
  QLineEdit* txtTiebreakerAmt = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void LoadTeamsAndResults();
  void ShowTiebreakerEntry();
  void ColourWinnerBoxes();
  void ShowWinner(int game);
  void Apply(const DropOutcome& outcome);
  void OnDropped(BoxRef target, BoxRef source);
  void OnMousePressed(BoxRef target, Qt::MouseButton button);
  std::optional<BoardSource> SourceOf(BoxRef ref) const;

  BracketView* view_ = nullptr;
  ResultsBoard board_;
  bool numericTiebreaker_ = false;
  bool changed_ = false;
  bool previewing_ = false;  // OK saves for the print preview and leaves the window open
  bool closing_ = false;     // OK runs inside the close question: the close goes on by itself
  bool activated_ = false;
};

}  // namespace qb
