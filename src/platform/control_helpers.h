#pragma once
// Small helpers the windows share for their text boxes, lists and placement.
#include <QSize>
#include <QString>

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
