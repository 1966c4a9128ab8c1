#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QIntValidator>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest/QTest>

#include "core/prompts.h"
#include "platform/pool_text_guard.h"

namespace qb {
namespace {

const std::string kTail =
    "\" cannot be kept: a pool file holds only the letters and signs of the Windows-1252 "
    "character set.\nPlease type it another way, for example without its accent.";

// Types the text character by character, as a keyboard of any language
// would (the test keyboard knows only Latin-1).
void Type(QWidget* box, const QString& text) {
  for (int i = 0; i < text.size(); ++i) {
    const int len = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    const QString ch = text.mid(i, len);
    i += len - 1;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, ch);
    QApplication::sendEvent(box, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, ch);
    QApplication::sendEvent(box, &release);
  }
}

class PoolTextGuardTest : public ::testing::Test {
 protected:
  ScriptedPrompts prompts;
  PoolTextGuard guard{prompts};
};

TEST_F(PoolTextGuardTest, ALineBoxRefusesTypedAndPastedCharactersAPoolFileCannotHold) {
  QLineEdit box;
  Type(&box, QString::fromUtf8("Łukasz Żak"));
  EXPECT_EQ(box.text(), QString("ukasz ak"));
  ASSERT_EQ(prompts.asked.size(), 2u);
  EXPECT_EQ(prompts.asked[0].text, "The character \"Ł" + kTail);
  EXPECT_EQ(prompts.asked[1].text, "The character \"Ż" + kTail);
  EXPECT_EQ(prompts.beeps, 2);

  // What Windows-1252 holds goes in, accents, the euro sign and all.
  box.clear();
  Type(&box, QString::fromUtf8("Zoë's € café"));
  EXPECT_EQ(box.text(), QString::fromUtf8("Zoë's € café"));
  EXPECT_EQ(prompts.asked.size(), 2u);

  QApplication::clipboard()->setText(QString::fromUtf8("李雷"));
  box.clear();
  QTest::keySequence(&box, QKeySequence::Paste);
  EXPECT_EQ(box.text(), QString());
  ASSERT_EQ(prompts.asked.size(), 3u);
  EXPECT_EQ(prompts.asked[2].text, "The character \"李" + kTail);
}

TEST_F(PoolTextGuardTest, TheBoxKeepsItsOwnRuleAndItAloneSaysNothing) {
  QLineEdit box;
  box.setValidator(new QIntValidator(0, 999, &box));
  Type(&box, QString::fromUtf8("1x2😀3"));
  EXPECT_EQ(box.text(), QString("123"));
  ASSERT_EQ(prompts.asked.size(), 1u);  // for the emoji only
  EXPECT_EQ(prompts.asked[0].text, "The character \"😀" + kTail);
}

TEST_F(PoolTextGuardTest, AMultiLineBoxRefusesThemToo) {
  QPlainTextEdit box;
  Type(&box, QString::fromUtf8("Pick ☺ all"));
  EXPECT_EQ(box.toPlainText(), QString("Pick  all"));
  ASSERT_EQ(prompts.asked.size(), 1u);
  EXPECT_EQ(prompts.asked[0].text, "The character \"☺" + kTail);
  QApplication::clipboard()->setText(QString::fromUtf8("Ωmega"));
  QTest::keySequence(&box, QKeySequence::Paste);
  EXPECT_EQ(box.toPlainText(), QString("Pick  all"));
  EXPECT_EQ(prompts.asked.size(), 2u);
}

}  // namespace
}  // namespace qb
