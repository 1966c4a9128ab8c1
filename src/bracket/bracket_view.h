#pragma once
// A drawn bracket: one widget per box and caption of a BracketGeometry, the
// lines painted beneath, the whole in a scroll area. Boxes can be dragged onto
// one another; the view only reports drops, mouse presses, keys, focus and
// typing, and the window decides what they mean.
//
// Member widgets are named like the control arrays they stand for:
// "txtTeamName(3)", "txtWinner(12)", "lblRound(2)", "lblRound0", "Label4".
#include <QColor>
#include <QScrollArea>
#include <QString>
#include <functional>
#include <map>
#include <optional>
#include <set>

#include "bracket/logic/bracket_geometry.h"

class QKeyEvent;
class QLabel;
class QLineEdit;
class QMimeData;

namespace qb {

struct BoxRef {
  BracketPart part = BracketPart::None;
  int index = 0;
  bool operator==(const BoxRef&) const = default;
  auto operator<=>(const BoxRef&) const = default;
};

// Name of a member widget: "txtWinner(3)".
QString BracketItemName(BracketPart part, int index);

class BracketCanvas;

class BracketView : public QScrollArea {
  Q_OBJECT
 public:
  explicit BracketView(QWidget* parent = nullptr);
  ~BracketView() override;

  // Lays the geometry out, replacing what was there. Team names and seeds and
  // winner boxes and seeds become text boxes (read-only unless SetEditable);
  // slot numbers, captions, headings and labels become labels.
  void SetBracketGeometry(const BracketGeometry& geometry);
  const BracketGeometry& bracketGeometry() const { return geometry_; }
  // Size of the whole drawn bracket, in pixels.
  QSize canvasSize() const;

  QWidget* Item(BoxRef ref) const;
  QLineEdit* Box(BracketPart part, int index) const;
  QLabel* Caption(BracketPart part, int index) const;
  // The member a widget is (None for the background and anything else).
  BoxRef RefOf(const QObject* widget) const;

  void SetText(BoxRef ref, const QString& text);
  QString Text(BoxRef ref) const;
  // Background colour of a box (its BackColor).
  void SetColour(BoxRef ref, const QColor& colour);
  QColor Colour(BoxRef ref) const;
  // Text boxes of these parts take typing (the setup window's names and seeds).
  void SetEditable(BracketPart part, bool editable);
  // Whether a left-button drag from this box starts a drag.
  void SetDraggable(BoxRef ref, bool draggable);
  bool IsDraggable(BoxRef ref) const;
  // Puts a widget of the window (e.g. the tiebreaker frame) onto the bracket.
  void PlaceWidget(QWidget* widget, const TwipRect& rect);

  // What a drag from a box carries; only the view that made it takes its drops.
  QMimeData* DragData(BoxRef source) const;
  std::optional<BoxRef> DragSource(const QMimeData* data) const;
  // A drop on a member: reports it through Dropped. False when the data is not
  // a drag of this view (nothing reported).
  bool HandleDrop(BoxRef target, const QMimeData* data);

  // Called for every key pressed in a member; true consumes the key.
  void SetKeyHandler(std::function<bool(BoxRef, QKeyEvent*)> handler);

 signals:
  void Dropped(BoxRef target, BoxRef source);
  // Any mouse button pressed on a member or on the background (part None).
  void MousePressed(BoxRef target, Qt::MouseButton button);
  void TextEdited(BoxRef box);
  void FocusEntered(BoxRef box);
  void FocusLeft(BoxRef box);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void StartDrag(BoxRef ref, QWidget* widget);
  void AutoScroll(QWidget* over, QPoint pos);
  void Watch(QWidget* w);

  BracketGeometry geometry_;
  BracketCanvas* canvas_ = nullptr;
  std::map<BoxRef, QWidget*> items_;
  std::map<const QObject*, BoxRef> refs_;
  std::set<BoxRef> draggable_;
  std::function<bool(BoxRef, QKeyEvent*)> keyHandler_;
  std::optional<BoxRef> pressed_;
  QPoint pressPos_;
};

}  // namespace qb
