#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "bracket/bracket_view.h"

namespace qb {
namespace {

using P = BracketPart;

BracketGeometry Eight() {
  return ComputeBracketGeometry({8, 3});
}

TEST(BracketView, OneNamedWidgetPerItemAtItsPixels) {
  BracketView view;
  BracketGeometry g = Eight();
  view.SetBracketGeometry(g);
  EXPECT_EQ(view.canvasSize(), QSize(g.width / 15, g.height / 15));
  auto* box = view.widget()->findChild<QLineEdit*>("txtWinner(5)");
  ASSERT_NE(box, nullptr);
  const TwipRect& r = g.Find(P::Winner, 5)->rect;
  EXPECT_EQ(box->geometry(), QRect((r.left + 7) / 15, (r.top + 7) / 15, 100, 13));
  EXPECT_TRUE(box->isReadOnly());
  EXPECT_EQ(view.RefOf(box), (BoxRef{P::Winner, 5}));
  EXPECT_EQ(view.Caption(P::RoundCaption, 3)->text(), " --- Champion --- ");
  EXPECT_NE(view.widget()->findChild<QLabel*>("lblRound0"), nullptr);
  EXPECT_EQ(view.Caption(P::TeamId, 8)->text(), "8.");
  EXPECT_EQ(view.Box(P::TeamId, 8), nullptr);  // a label, not a box

  // A second layout replaces the first.
  view.SetBracketGeometry(ComputeBracketGeometry({4, 2}));
  EXPECT_EQ(view.widget()->findChild<QLineEdit*>("txtWinner(5)"), nullptr);
  EXPECT_NE(view.Box(P::Winner, 3), nullptr);
}

TEST(BracketView, TextsColoursAndEditing) {
  BracketView view;
  view.SetBracketGeometry(Eight());
  view.SetText({P::TeamName, 2}, "Owls");
  EXPECT_EQ(view.Text({P::TeamName, 2}), "Owls");
  view.SetColour({P::Winner, 1}, QColor(255, 255, 0));
  EXPECT_EQ(view.Colour({P::Winner, 1}), QColor(255, 255, 0));
  view.SetEditable(P::TeamName, true);
  EXPECT_FALSE(view.Box(P::TeamName, 2)->isReadOnly());
  EXPECT_TRUE(view.Box(P::TeamSeed, 2)->isReadOnly());
  QSignalSpy edited(&view, &BracketView::TextEdited);
  QTest::keyClicks(view.Box(P::TeamName, 2), "x");
  ASSERT_EQ(edited.count(), 1);
  EXPECT_EQ(edited[0][0].value<BoxRef>(), (BoxRef{P::TeamName, 2}));
}

TEST(BracketView, TakesOnlyItsOwnDrags) {
  BracketView view, other;
  view.SetBracketGeometry(Eight());
  other.SetBracketGeometry(Eight());
  QSignalSpy dropped(&view, &BracketView::Dropped);

  std::unique_ptr<QMimeData> mine(view.DragData({P::TeamName, 3}));
  EXPECT_EQ(view.DragSource(mine.get()), (BoxRef{P::TeamName, 3}));
  EXPECT_TRUE(view.HandleDrop({P::Winner, 2}, mine.get()));
  ASSERT_EQ(dropped.count(), 1);
  EXPECT_EQ(dropped[0][0].value<BoxRef>(), (BoxRef{P::Winner, 2}));
  EXPECT_EQ(dropped[0][1].value<BoxRef>(), (BoxRef{P::TeamName, 3}));

  std::unique_ptr<QMimeData> theirs(other.DragData({P::TeamName, 3}));
  QMimeData text;
  text.setText("Owls");
  QMimeData forged;
  forged.setData("application/x-qb-bracket-box", "1 2 x");
  std::vector<const QMimeData*> refused{theirs.get(), &text, &forged, nullptr};
  for (const QMimeData* data : refused) EXPECT_FALSE(view.HandleDrop({P::Winner, 2}, data));
  EXPECT_EQ(dropped.count(), 1);

  // Dropped on the background between the boxes: nothing.
  QDropEvent drop(QPointF(1, 1), Qt::MoveAction, mine.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(view.widget(), &drop);
  EXPECT_EQ(dropped.count(), 1);
}

// A drag passing over a box, and over the canvas near the edge of a small view,
// is checked and scrolls the view instead of failing.
TEST(BracketView, DragMovingOverTheBracketScrollsNearTheEdge) {
  BracketView view;
  view.SetBracketGeometry(ComputeBracketGeometry({32, 5}));
  view.resize(200, 150);
  view.show();
  std::unique_ptr<QMimeData> mine(view.DragData({P::TeamName, 3}));

  QLineEdit* box = view.Box(P::Winner, 1);
  ASSERT_NE(box, nullptr);
  QDragMoveEvent overBox(QPoint(5, 5), Qt::MoveAction, mine.get(), Qt::LeftButton, Qt::NoModifier);
  // Straight to the view's filter: the application hands drag moves only to a live drag.
  QObject& filter = view;
  filter.eventFilter(box, &overBox);
  EXPECT_EQ(view.verticalScrollBar()->value(), 0);  // well inside the view

  const QPoint nearBottom = view.widget()->mapFrom(view.viewport(), QPoint(50, 145));
  QDragMoveEvent overCanvas(nearBottom, Qt::MoveAction, mine.get(), Qt::LeftButton, Qt::NoModifier);
  filter.eventFilter(view.widget(), &overCanvas);
  EXPECT_GT(view.verticalScrollBar()->value(), 0);
}

TEST(BracketView, ReportsMouseAndKeys) {
  BracketView view;
  view.SetBracketGeometry(Eight());
  view.show();
  QSignalSpy pressed(&view, &BracketView::MousePressed);
  QTest::mouseClick(view.Box(P::TeamSeed, 4), Qt::RightButton);
  QTest::mouseClick(view.widget(), Qt::LeftButton, {}, QPoint(157, 20));  // between the columns
  ASSERT_EQ(pressed.count(), 2);
  EXPECT_EQ(pressed[0][0].value<BoxRef>(), (BoxRef{P::TeamSeed, 4}));
  EXPECT_EQ(pressed[0][1].value<Qt::MouseButton>(), Qt::RightButton);
  EXPECT_EQ(pressed[1][0].value<BoxRef>(), BoxRef{});

  view.SetEditable(P::TeamName, true);
  std::vector<BoxRef> keys;
  view.SetKeyHandler([&](BoxRef ref, QKeyEvent* e) {
    keys.push_back(ref);
    return e->key() == Qt::Key_A;  // consumed
  });
  QTest::keyClicks(view.Box(P::TeamName, 1), "ab");
  EXPECT_EQ(view.Box(P::TeamName, 1)->text(), "b");
  EXPECT_EQ(keys.size(), 2u);
}

// Every caption and label shows its whole text within its place, in both
// layouts, for every bracket size and side.
TEST(BracketView, NoCaptionIsCutOff) {
  for (int rounds = 2; rounds <= 6; ++rounds) {
    for (bool dual : {false, true}) {
      const int teams = 1 << rounds;
      for (const BracketGeometry& g : {ComputeBracketGeometry({teams, rounds, dual, false, true}),
                                       ComputeSetupGeometry(teams, rounds, dual)}) {
        BracketView view;
        view.SetBracketGeometry(g);
        for (QLabel* label : view.widget()->findChildren<QLabel*>()) {
          const QSize room = label->size();
          const int needed = label->wordWrap() ? label->heightForWidth(room.width())
                                               : label->fontMetrics().height();
          EXPECT_LE(needed, room.height()) << label->objectName().toStdString() << " " << teams;
          if (!label->wordWrap())
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), room.width())
                << label->objectName().toStdString() << " " << teams;
        }
      }
    }
  }
}

}  // namespace
}  // namespace qb
