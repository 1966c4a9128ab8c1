#pragma once
// Small helpers the windows share for their text boxes, lists and placement.
#include <QSize>
#include <QString>
#include <functional>

class QDialogButtonBox;
class QGridLayout;
class QPushButton;
class QWidget;
class QComboBox;
class QListWidget;
class QLineEdit;

namespace qb {

class Prompts;
struct PoolState;

// --- text boxes
// Selects the box's whole text (a line edit, text edit or editable combo box).
void SelectAllText(QWidget* box);
// When the text is longer than the limit: beeps, cuts it to the limit and puts
// the caret back where it was (or at the end of what is left). True when cut.
bool LimitTextLength(Prompts& prompts, QWidget* box, int limit);

// --- buttons and rows of a dialog
// A button named for its control, running onClick. It never becomes the
// default by taking the focus, so Enter runs the dialog's one default button.
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption,
                        const QString& toolTip, std::function<void()> onClick);
// OK (the default), Cancel and Help in a button box, named cmdOK, cmdCancel, cmdHelp.
struct OkCancelHelp {
  QDialogButtonBox* box;
  QPushButton* ok;
  QPushButton* cancel;
  QPushButton* help;
};
OkCancelHelp MakeOkCancelHelp(QWidget* parent);
// A caption with its control as buddy: the caption in column 0, the control
// from column 1 over columnSpan columns.
void AddLabeledRow(QGridLayout* grid, int row, const QString& caption, QWidget* control,
                   int columnSpan = 1);

// --- lists and combo boxes
// Item data is kept under Qt::UserRole.
// Selects the first item whose data equals the value; with none, no item is
// selected. Returns the index, -1 for none.
int FindComboItemData(QComboBox* combo, int itemData);
int FindComboItemData(QListWidget* list, int itemData);
// Selects the first item whose text equals the text exactly (which fires the
// control's change signal); with none, no item is selected.
void FindListText(QComboBox* combo, const QString& text);
void FindListText(QListWidget* list, const QString& text);
// Call on key release in an editable combo box: completes the typed text with
// the first item that begins with it (ignoring case) and selects the added
// tail. Deleting and moving keys complete nothing, so the user can take text back.
void ComboTypeAhead(QComboBox* combo, int key = 0);

// --- drag and drop between members of one control array
// Copies the dragged box's text onto the target. A source of another array
// (sameArray false) only beeps. True when the target's text changed.
bool DropCopyText(Prompts& prompts, QLineEdit* target, const QLineEdit* source, bool sameArray);
// The same for combo boxes: the target gets the source's text (its item of
// that text when it is a drop-down list).
bool DropCopyComboText(Prompts& prompts, QComboBox* target, const QComboBox* source,
                       bool sameArray);

// --- placement
// Centres a window over the main window's area (MainLeft, MainTop, MainWidth,
// MainHeight, twips). A child of the main window's client area is centred in
// that area. Never left above or left of the screen.
void CenterFormInMain(QWidget* form, const PoolState& pool);
void CenterFormOnScreen(QWidget* form);
// control.Left := reference.Left + reference.Width / 2 - control.Width / 2.
void CenterControlOver(QWidget* control, const QWidget* reference);
// Centres the object within its container's size; 0 where the container is
// the smaller.
void SaveFormPosition(QWidget* object, QSize container);
void SaveFormPosition(QWidget* object, const QWidget* container);

// --- waiting
// Waits the given time while the windows keep working (events are processed).
void PauseWithEvents(int milliseconds);

}  // namespace qb
