#pragma once
// Message boxes and the beep on the desktop.
#include <QPointer>
#include <QWidget>

#include "core/prompts.h"

namespace qb {

// The window a box or dialog should sit over: the open modal dialog, else the
// active window, else the fallback.
QWidget* ActiveDialogParent(QWidget* fallback);

class QtPrompts : public Prompts {
 public:
  explicit QtPrompts(QWidget* fallbackParent = nullptr) : fallbackParent_(fallbackParent) {}
  // The window a box sits over when no other window of the program is active.
  void SetFallbackParent(QWidget* w) { fallbackParent_ = w; }
  void Beep() override;

 protected:
  MsgAnswer AskBox(const std::string& text, MsgButtons buttons, MsgIcon icon, int defaultButton,
                   const std::string& title) override;

 private:
  QPointer<QWidget> fallbackParent_;
};

}  // namespace qb
