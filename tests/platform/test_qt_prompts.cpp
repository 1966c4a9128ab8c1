#include "platform/qt_prompts.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "support/modal_answer.h"

namespace qb {
namespace {

struct Seen {
  QString text, title;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Asks one box and presses the given button on it.
MsgAnswer AskAndPress(QtPrompts& p, Seen& seen, QMessageBox::StandardButton press,
                      const std::string& text, MsgButtons b, MsgIcon i, int def,
                      const std::string& title = kAppTitle) {
  test::OnNextModal<QMessageBox>([&seen, press](QMessageBox* box) {
    seen.text = box->text();
    seen.title = box->windowTitle();
    seen.icon = box->icon();
    seen.buttons = box->standardButtons();
    seen.defaultButton = box->standardButton(box->defaultButton());
    box->button(press)->click();
  });
  return p.Ask(text, b, i, def, title);
}

TEST(QtPrompts, ShowsTextTitleIconButtonsAndDefaultAndReturnsThePressedButton) {
  QtPrompts p;
  Seen seen;
  auto a = AskAndPress(p, seen, QMessageBox::No, "Do you wish to save the changes to file:\n\rOffice",
                       MsgButtons::YesNoCancel, MsgIcon::Exclamation, 2);
  EXPECT_EQ(a, MsgAnswer::No);
  EXPECT_EQ(seen.text, "Do you wish to save the changes to file:\nOffice");
  EXPECT_EQ(seen.title, "Quorvel Brakkon");
  EXPECT_EQ(seen.icon, QMessageBox::Warning);
  EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  EXPECT_EQ(seen.defaultButton, QMessageBox::No);
}

TEST(QtPrompts, EachKindOfBoxMapsItsButtons) {
  struct {
    MsgButtons kind;
    QMessageBox::StandardButton press;
    MsgAnswer expected;
  } cases[] = {{MsgButtons::OK, QMessageBox::Ok, MsgAnswer::OK},
               {MsgButtons::OKCancel, QMessageBox::Cancel, MsgAnswer::Cancel},
               {MsgButtons::AbortRetryIgnore, QMessageBox::Ignore, MsgAnswer::Ignore},
               {MsgButtons::YesNo, QMessageBox::Yes, MsgAnswer::Yes},
               {MsgButtons::RetryCancel, QMessageBox::Retry, MsgAnswer::Retry}};
  QtPrompts p;
  for (const auto& c : cases) {
    Seen seen;
    EXPECT_EQ(AskAndPress(p, seen, c.press, "x", c.kind, MsgIcon::Question, 1), c.expected);
    EXPECT_EQ(seen.icon, QMessageBox::Question);
  }
}

TEST(QtPrompts, EmptyTitleMeansTheApplicationTitleAndCrLfBecomesOneBreak) {
  QtPrompts p;
  Seen seen;
  AskAndPress(p, seen, QMessageBox::Ok, "Error #9:  x\r\n\nnext", MsgButtons::OK, MsgIcon::Critical,
              1, "");
  EXPECT_EQ(seen.title, "Quorvel Brakkon");
  EXPECT_EQ(seen.text, "Error #9:  x\n\nnext");
  EXPECT_EQ(seen.icon, QMessageBox::Critical);
}

TEST(QtPrompts, EscapeAnswersCancelWhereTheBoxHasIt) {
  QtPrompts p;
  test::OnNextModal<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
  EXPECT_EQ(p.Ask("Do you wish to keep your changes?", MsgButtons::YesNoCancel, MsgIcon::Question),
            MsgAnswer::Cancel);
}

}  // namespace
}  // namespace qb
