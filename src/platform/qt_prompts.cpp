#include "platform/qt_prompts.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

namespace qb {

namespace {

struct ButtonMap {
  QMessageBox::StandardButton button;
  MsgAnswer answer;
};

// The buttons of each kind of box, left to right as the default button counts them.
std::vector<ButtonMap> ButtonsOf(MsgButtons buttons) {
  using B = QMessageBox;
  switch (buttons) {
    case MsgButtons::OK: return {{B::Ok, MsgAnswer::OK}};
    case MsgButtons::OKCancel: return {{B::Ok, MsgAnswer::OK}, {B::Cancel, MsgAnswer::Cancel}};
    case MsgButtons::AbortRetryIgnore:
      return {{B::Abort, MsgAnswer::Abort}, {B::Retry, MsgAnswer::Retry},
              {B::Ignore, MsgAnswer::Ignore}};
    case MsgButtons::YesNoCancel:
      return {{B::Yes, MsgAnswer::Yes}, {B::No, MsgAnswer::No}, {B::Cancel, MsgAnswer::Cancel}};
    case MsgButtons::YesNo: return {{B::Yes, MsgAnswer::Yes}, {B::No, MsgAnswer::No}};
    case MsgButtons::RetryCancel:
      return {{B::Retry, MsgAnswer::Retry}, {B::Cancel, MsgAnswer::Cancel}};
  }
  return {{B::Ok, MsgAnswer::OK}};
}

QMessageBox::Icon IconOf(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::None: return QMessageBox::NoIcon;
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Information: return QMessageBox::Information;
  }
  return QMessageBox::NoIcon;
}

// Texts keep the line breaks they were written with (CR LF, LF CR, CR); the box
// wants plain LF.
QString PlainLines(const std::string& text) {
  QString t = QString::fromStdString(text);
  t.replace("\r\n", "\n");
  t.replace("\n\r", "\n");
  t.replace('\r', '\n');
  return t;
}

}  // namespace

QWidget* ActiveDialogParent(QWidget* fallback) {
  if (QWidget* w = QApplication::activeModalWidget()) return w;
  if (QWidget* w = QApplication::activeWindow()) return w;
  return fallback;
}

void QtPrompts::Beep() { QApplication::beep(); }

MsgAnswer QtPrompts::AskBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                            int defaultButton, const std::string& title) {
  QMessageBox box(ActiveDialogParent(fallbackParent_));
  box.setObjectName("QbMessageBox");
  box.setWindowTitle(QString::fromStdString(title.empty() ? std::string(kAppTitle) : title));
  box.setText(PlainLines(text));
  box.setTextFormat(Qt::PlainText);
  box.setIcon(IconOf(icon));
  const auto map = ButtonsOf(buttons);
  QMessageBox::StandardButtons set;
  for (const auto& m : map) set |= m.button;
  box.setStandardButtons(set);
  const size_t def = (defaultButton >= 1 && static_cast<size_t>(defaultButton) <= map.size())
                         ? static_cast<size_t>(defaultButton - 1)
                         : 0;
  box.setDefaultButton(map[def].button);
  // Escape means Cancel where the box has one; otherwise it is ignored.
  for (const auto& m : map)
    if (m.answer == MsgAnswer::Cancel) box.setEscapeButton(m.button);
  if (map.size() == 1) box.setEscapeButton(map[0].button);

  QApplication::setOverrideCursor(Qt::ArrowCursor);
  box.exec();
  QApplication::restoreOverrideCursor();
  const auto pressed = box.standardButton(box.clickedButton());
  for (const auto& m : map)
    if (m.button == pressed) return m.answer;
  return map[def].answer;
}

}  // namespace qb
