#include "platform/control_helpers.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "core/pool_state.h"
#include "core/prompts.h"
#include "platform/twips.h"

namespace qb {
namespace {

TEST(LimitTextLength, CutsLongTextBeepsAndKeepsTheCaret) {
  ScriptedPrompts p;
  QLineEdit box;
  box.setText("ABCDEFGH");
  box.setCursorPosition(3);
  EXPECT_TRUE(LimitTextLength(p, &box, 5));
  EXPECT_EQ(box.text(), "ABCDE");
  EXPECT_EQ(box.cursorPosition(), 3);
  EXPECT_EQ(p.beeps, 1);

  box.setText("ABCDEFGH");  // caret at the end, past the limit
  EXPECT_TRUE(LimitTextLength(p, &box, 4));
  EXPECT_EQ(box.cursorPosition(), 4);
  EXPECT_FALSE(LimitTextLength(p, &box, 4));
  EXPECT_EQ(p.beeps, 2);
}

TEST(SelectAllText, SelectsTheWholeText) {
  QLineEdit box;
  box.setText("12.50");
  SelectAllText(&box);
  EXPECT_EQ(box.selectedText(), "12.50");
}

TEST(FindComboItemData, SelectsTheItemOfThatDataOrNone) {
  QComboBox combo;
  combo.addItem("Ann", 4);
  combo.addItem("Bob", 7);
  EXPECT_EQ(FindComboItemData(&combo, 7), 1);
  EXPECT_EQ(combo.currentText(), "Bob");
  EXPECT_EQ(FindComboItemData(&combo, 9), -1);
  EXPECT_EQ(combo.currentIndex(), -1);

  QListWidget list;
  list.addItem("Ann");
  list.item(0)->setData(Qt::UserRole, 4);
  EXPECT_EQ(FindComboItemData(&list, 4), 0);
  EXPECT_EQ(FindComboItemData(&list, 5), -1);
  EXPECT_EQ(list.currentRow(), -1);
}

TEST(FindListText, SelectsTheExactTextAndSignalsTheChange) {
  QComboBox combo;
  combo.addItems({"Download A", "download b", "Download B"});
  combo.setCurrentIndex(0);
  QSignalSpy spy(&combo, &QComboBox::currentIndexChanged);
  FindListText(&combo, "Download B");
  EXPECT_EQ(combo.currentIndex(), 2);
  EXPECT_EQ(spy.count(), 1);
  FindListText(&combo, "Download");
  EXPECT_EQ(combo.currentIndex(), -1);

  QListWidget list;
  list.addItems({"x", "y"});
  FindListText(&list, "y");
  EXPECT_EQ(list.currentRow(), 1);
  FindListText(&list, "z");
  EXPECT_EQ(list.currentRow(), -1);
}

TEST(ComboTypeAhead, CompletesWithTheFirstMatchAndSelectsTheTail) {
  QComboBox combo;
  combo.setEditable(true);
  combo.addItems({"Bob Smith", "Barbara Jones", "Bobby Lee"});
  combo.lineEdit()->setText("bo");
  ComboTypeAhead(&combo, Qt::Key_O);
  EXPECT_EQ(combo.currentText(), "bob Smith");
  EXPECT_EQ(combo.lineEdit()->selectedText(), "b Smith");

  // Typing over the selection goes on from what was typed.
  combo.lineEdit()->setText("bobb");
  ComboTypeAhead(&combo, Qt::Key_B);
  EXPECT_EQ(combo.currentText(), "bobby Lee");

  // Backspace removes the tail and completes nothing.
  combo.lineEdit()->setText("Bo");
  ComboTypeAhead(&combo, Qt::Key_Backspace);
  EXPECT_EQ(combo.currentText(), "Bo");

  combo.lineEdit()->setText("Zed");
  ComboTypeAhead(&combo, Qt::Key_D);
  EXPECT_EQ(combo.currentText(), "Zed");
}

TEST(DropCopyText, CopiesWithinAnArrayAndBeepsFromAnother) {
  ScriptedPrompts p;
  QLineEdit a, b;
  a.setText("2");
  b.setText("1");
  EXPECT_FALSE(DropCopyText(p, &b, &a, false));
  EXPECT_EQ(p.beeps, 1);
  EXPECT_EQ(b.text(), "1");
  EXPECT_TRUE(DropCopyText(p, &b, &a, true));
  EXPECT_EQ(b.text(), "2");
  EXPECT_FALSE(DropCopyText(p, &b, &a, true));  // nothing changed

  QComboBox from, to;
  from.addItems({"<none>", "Winner's Seed"});
  to.addItems({"<none>", "Winner's Seed"});
  from.setCurrentIndex(1);
  EXPECT_TRUE(DropCopyComboText(p, &to, &from, true));
  EXPECT_EQ(to.currentIndex(), 1);
  EXPECT_FALSE(DropCopyComboText(p, &to, &from, true));
}

TEST(Placement, CentresControlsAndObjects) {
  QWidget parent;
  auto* ref = new QWidget(&parent);
  ref->setGeometry(100, 50, 300, 40);
  auto* ctl = new QWidget(&parent);
  ctl->setGeometry(0, 7, 100, 20);
  CenterControlOver(ctl, ref);
  EXPECT_EQ(ctl->x(), 100 + 150 - 50);
  EXPECT_EQ(ctl->y(), 7);

  SaveFormPosition(ctl, QSize(300, 100));
  EXPECT_EQ(ctl->pos(), QPoint(100, 40));
  SaveFormPosition(ctl, QSize(50, 100));  // container narrower: Left 0
  EXPECT_EQ(ctl->pos(), QPoint(0, 40));
}

TEST(Placement, CenterFormInMainUsesTheMainWindowsTwips) {
  PoolState s;
  s.MainLeft = 1500;
  s.MainTop = 1500;
  s.MainWidth = 9000;  // 600 x 400 pixels at 100, 100
  s.MainHeight = 6000;
  QWidget form;
  form.resize(200, 100);
  CenterFormInMain(&form, s);
  const QPoint centre = form.frameGeometry().center();
  EXPECT_NEAR(centre.x(), 400, 2);
  EXPECT_NEAR(centre.y(), 300, 2);

  s.MainLeft = -30000;  // far off the screen: kept on it
  CenterFormInMain(&form, s);
  EXPECT_GE(form.frameGeometry().left(), 0);
}

TEST(Twips, FifteenTwipsToThePixel) {
  EXPECT_EQ(TwipsToPixels(7500), 500);
  EXPECT_EQ(TwipsToPixels(7), 0);
  EXPECT_EQ(TwipsToPixels(8), 1);
  EXPECT_EQ(TwipsToPixels(-8), -1);
  EXPECT_EQ(PixelsToTwips(500), 7500);
  EXPECT_EQ(TwipsToPixels(1000, 1000, 7500, 5000), QRect(67, 67, 500, 333));
}

}  // namespace
}  // namespace qb
