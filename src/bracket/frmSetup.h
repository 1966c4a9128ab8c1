#pragma once
// The bracket setup window: a name and a seed typed for every slot, laid out
// as the bracket with its lines. OK checks and stores them and derives the
// bracket again; nothing reaches the pool before.
#include <string>
#include <vector>

#include "bracket/bracket_view.h"
#include "bracket/bracket_windows.h"

class QKeyEvent;

namespace qb {

class frmSetup : public BracketWindow {
  Q_OBJECT
 public:
  explicit frmSetup(AppContext& ctx, QWidget* parent = nullptr);
  ~frmSetup() override;
  std::string windowName() const override { return "frmSetup"; }

  // Checks, asks and stores; DialogCancelled false on success, true when
  // refused or cancelled (the window then stays open with what was typed).
  void cmdOK_Click() override;
  void cmdCancel_Click() override;
  void PrintPreview() override;
  bool QueryClose() override;
  QWidget* FirstField() const override;

  // Asks before names or seeds change while entries exist: 6 Yes, 7 No,
  // 2 Cancel, 0 when it did not ask.
  int ConfirmTeamChange();

  // A name box dropped on another slot's name box: the two slots swap.
  void txtTeamName_DragDrop(int target, BoxRef source);
  // Alt+Insert and Alt+Delete shift the names and seeds; true when the key was one of them.
  bool txtTeamName_KeyDown(int slot, QKeyEvent* e);

  BracketView* view() const { return view_; }
  bool IsChanged() const { return changed_; }
  int ConfirmAnswer() const { return confirmAnswer_; }

 protected:

 private:
  bool Save();
  bool Ok();
  QString NameText(int slot) const;
  QString SeedText(int slot) const;
  void SetSlot(int slot, const QString& name, const QString& seed);
  void ColourBox(BoxRef box);
  void ColourSlot(int slot);
  void OnDropped(BoxRef target, BoxRef source);
  void OnMousePressed(BoxRef target, Qt::MouseButton button);

  BracketView* view_ = nullptr;
  int slots_ = 0;
  bool changed_ = false;
  bool savingForPreview_ = false;  // OK saves for the print preview and leaves the window open
  bool closing_ = false;           // OK runs inside the close question: the close goes on by itself
  int confirmAnswer_ = 0;
};

}  // namespace qb
