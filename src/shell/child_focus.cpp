#include "shell/child_focus.h"

#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "platform/child_window.h"

namespace qb {

void FocusActiveChild(QMainWindow* main, QMdiArea* area, bool justOpened) {
  if (!main->isVisible() || QApplication::activeModalWidget()) return;
  main->activateWindow();
  QMdiSubWindow* sub = area->currentSubWindow();
  if (!sub || !sub->widget()) return;
  if (area->activeSubWindow() != sub) area->setActiveSubWindow(sub);
  QWidget* child = sub->widget();
  QWidget* target = justOpened ? nullptr : child->focusWidget();
  if (!target || !target->isVisible() || !target->isEnabled()) {
    auto* window = qobject_cast<ChildWindow*>(child);
    target = window ? window->FirstField() : nullptr;
  }
  if (!target || !target->isVisible() || !target->isEnabled()) target = child;
  target->setFocus(Qt::OtherFocusReason);
}

}  // namespace qb
