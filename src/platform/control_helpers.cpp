#include "platform/control_helpers.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QTimer>

#include "core/pool_state.h"
#include "core/prompts.h"
#include "platform/twips.h"

namespace qb {

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption,
                        const QString& toolTip, std::function<void()> onClick) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setToolTip(toolTip);
  b->setAutoDefault(false);
  if (onClick) QObject::connect(b, &QPushButton::clicked, parent, std::move(onClick));
  return b;
}

OkCancelHelp MakeOkCancelHelp(QWidget* parent) {
  OkCancelHelp r{};
  r.box = new QDialogButtonBox(parent);
  r.ok = r.box->addButton("OK", QDialogButtonBox::AcceptRole);
  r.ok->setObjectName("cmdOK");
  r.ok->setDefault(true);
  r.cancel = r.box->addButton("Cancel", QDialogButtonBox::RejectRole);
  r.cancel->setObjectName("cmdCancel");
  r.help = r.box->addButton("Help", QDialogButtonBox::HelpRole);
  r.help->setObjectName("cmdHelp");
  return r;
}

void AddLabeledRow(QGridLayout* grid, int row, const QString& caption, QWidget* control,
                   int columnSpan) {
  auto* label = new QLabel(caption, control->parentWidget());
  label->setBuddy(control);
  grid->addWidget(label, row, 0);
  grid->addWidget(control, row, 1, 1, columnSpan);
}

void SelectAllText(QWidget* box) {
  if (auto* e = qobject_cast<QLineEdit*>(box)) {
    e->selectAll();
  } else if (auto* t = qobject_cast<QTextEdit*>(box)) {
    t->selectAll();
  } else if (auto* p = qobject_cast<QPlainTextEdit*>(box)) {
    p->selectAll();
  } else if (auto* c = qobject_cast<QComboBox*>(box)) {
    if (c->lineEdit()) c->lineEdit()->selectAll();
  }
}

bool LimitTextLength(Prompts& prompts, QWidget* box, int limit) {
  if (limit < 0) limit = 0;
  if (auto* e = qobject_cast<QLineEdit*>(box)) {
    if (e->text().size() <= limit) return false;
    prompts.Beep();
    const int caret = e->cursorPosition();
    e->setText(e->text().left(limit));
    e->setCursorPosition(std::min(caret, limit));
    return true;
  }
  auto cut = [&](auto* edit) {
    QString t = edit->toPlainText();
    if (t.size() <= limit) return false;
    prompts.Beep();
    const int caret = edit->textCursor().position();
    edit->setPlainText(t.left(limit));
    auto cursor = edit->textCursor();
    cursor.setPosition(std::min(caret, limit));
    edit->setTextCursor(cursor);
    return true;
  };
  if (auto* t = qobject_cast<QTextEdit*>(box)) return cut(t);
  if (auto* p = qobject_cast<QPlainTextEdit*>(box)) return cut(p);
  return false;
}

int FindComboItemData(QComboBox* combo, int itemData) {
  const int i = combo->findData(itemData, Qt::UserRole, Qt::MatchExactly);
  combo->setCurrentIndex(i);
  return i;
}

int FindComboItemData(QListWidget* list, int itemData) {
  for (int i = 0; i < list->count(); ++i) {
    if (list->item(i)->data(Qt::UserRole) == QVariant(itemData)) {
      list->setCurrentRow(i);
      return i;
    }
  }
  list->setCurrentRow(-1);
  list->clearSelection();
  return -1;
}

void FindListText(QComboBox* combo, const QString& text) {
  combo->setCurrentIndex(combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void FindListText(QListWidget* list, const QString& text) {
  for (int i = 0; i < list->count(); ++i) {
    if (list->item(i)->text() == text) {
      list->setCurrentRow(i);
      return;
    }
  }
  list->setCurrentRow(-1);
  list->clearSelection();
}

void ComboTypeAhead(QComboBox* combo, int key) {
  QLineEdit* edit = combo->lineEdit();
  if (!edit) return;
  switch (key) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
      return;
    default:
      break;
  }
  // Our own completion replaces the combo box's, which would fight it.
  if (combo->completer()) combo->setCompleter(nullptr);
  // What the user typed is the text before the selected tail.
  const QString typed =
      edit->hasSelectedText() ? edit->text().left(edit->selectionStart()) : edit->text();
  if (typed.isEmpty()) return;
  for (int i = 0; i < combo->count(); ++i) {
    const QString item = combo->itemText(i);
    if (item.startsWith(typed, Qt::CaseInsensitive)) {
      // The user's own letters stay as typed; only the tail is added.
      edit->setText(typed + item.mid(typed.size()));
      edit->setSelection(typed.size(), item.size() - typed.size());
      return;
    }
  }
}

bool DropCopyText(Prompts& prompts, QLineEdit* target, const QLineEdit* source, bool sameArray) {
  if (!target || !source) return false;
  if (!sameArray) {
    prompts.Beep();
    return false;
  }
  if (target == source || target->text() == source->text()) return false;
  target->setText(source->text());
  return true;
}

bool DropCopyComboText(Prompts& prompts, QComboBox* target, const QComboBox* source,
                       bool sameArray) {
  if (!target || !source) return false;
  if (!sameArray) {
    prompts.Beep();
    return false;
  }
  if (target == source || target->currentText() == source->currentText()) return false;
  if (target->isEditable()) {
    target->setEditText(source->currentText());
  } else {
    const int i =
        target->findText(source->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (i < 0) {
      prompts.Beep();
      return false;
    }
    target->setCurrentIndex(i);
  }
  return true;
}

namespace {

QRect AvailableScreen(const QWidget* w) {
  QScreen* s = w && w->screen() ? w->screen() : QGuiApplication::primaryScreen();
  return s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
}

// Top-left that centres a frame of the given size on a centre point, kept on
// the screen's top and left edges.
QPoint Centred(QPoint centre, QSize size, const QRect& screen) {
  QPoint p(centre.x() - size.width() / 2, centre.y() - size.height() / 2);
  p.setX(std::max(p.x(), screen.left()));
  p.setY(std::max(p.y(), screen.top()));
  return p;
}

}  // namespace

void CenterFormInMain(QWidget* form, const PoolState& pool) {
  if (!form) return;
  if (auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget())) {
    if (QMdiArea* area = sub->mdiArea()) {
      const QSize client = area->viewport()->size();
      sub->move(std::max(0, (client.width() - sub->width()) / 2),
                std::max(0, (client.height() - sub->height()) / 2));
      return;
    }
  }
  const QRect main = TwipsToPixels(pool.MainLeft, pool.MainTop, pool.MainWidth, pool.MainHeight);
  form->move(Centred(main.center(), form->frameGeometry().size(), AvailableScreen(form)));
}

void CenterFormOnScreen(QWidget* form) {
  if (!form) return;
  const QRect screen = AvailableScreen(form);
  form->move(Centred(screen.center(), form->frameGeometry().size(), screen));
}

void CenterControlOver(QWidget* control, const QWidget* reference) {
  control->move(reference->x() + reference->width() / 2 - control->width() / 2, control->y());
}

void SaveFormPosition(QWidget* object, QSize container) {
  const int x = container.width() < object->width() ? 0 : (container.width() - object->width()) / 2;
  const int y =
      container.height() < object->height() ? 0 : (container.height() - object->height()) / 2;
  object->move(x, y);
}

void SaveFormPosition(QWidget* object, const QWidget* container) {
  SaveFormPosition(object, container->size());
}

void PauseWithEvents(int milliseconds) {
  QEventLoop wait;
  QTimer::singleShot(std::max(0, milliseconds), &wait, &QEventLoop::quit);
  wait.exec();
}

}  // namespace qb
