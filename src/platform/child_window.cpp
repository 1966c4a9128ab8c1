#include "platform/child_window.h"

#include <QKeyEvent>
#include <QMdiSubWindow>

namespace qb {

namespace {

bool IsCloseKey(const QKeyEvent* k) {
  return k->key() == Qt::Key_F4 && (k->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

}  // namespace

bool ChildWindow::event(QEvent* e) {
  // Taken before any shortcut of the frame's own menu, which would answer
  // it only where such a menu is shown.
  if (e->type() == QEvent::ShortcutOverride && IsCloseKey(static_cast<QKeyEvent*>(e))) {
    e->accept();
    return true;
  }
  return QWidget::event(e);
}

void ChildWindow::keyPressEvent(QKeyEvent* e) {
  if (IsCloseKey(e)) {
    e->accept();
    CloseAsTheCloseBoxDoes();
    return;
  }
  QWidget::keyPressEvent(e);
}

void ChildWindow::CloseAsTheCloseBoxDoes() {
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
    sub->close();
  else
    close();
}

}  // namespace qb
