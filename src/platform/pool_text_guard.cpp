#include "platform/pool_text_guard.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>
#include <QValidator>
#include <string>

#include "core/cp1252.h"
#include "core/prompts.h"

namespace qb {

namespace {

constexpr const char* kGuarded = "qbPoolTextGuarded";

// Refuses what a pool file cannot hold, then asks the box's own validator.
class Cp1252Validator : public QValidator {
 public:
  Cp1252Validator(const QValidator* inner, QObject* parent) : QValidator(parent), inner_(inner) {}
  State validate(QString& input, int& pos) const override {
    const std::string ch = FirstCharacterOutsideCp1252(input.toStdString());
    if (!ch.empty()) {
      refused = ch;
      return Invalid;
    }
    return inner_ ? inner_->validate(input, pos) : Acceptable;
  }
  void fixup(QString& input) const override {
    if (inner_) inner_->fixup(input);
  }
  mutable std::string refused;  // the character of the last refusal

 private:
  QPointer<const QValidator> inner_;
};

QWidget* TextEditOf(QObject* watched) {
  for (QObject* o = watched; o; o = o->parent()) {
    if (qobject_cast<QPlainTextEdit*>(o) || qobject_cast<QTextEdit*>(o)) return static_cast<QWidget*>(o);
    if (o != watched) break;  // the edit itself or its viewport
  }
  return nullptr;
}

}  // namespace

PoolTextGuard::PoolTextGuard(Prompts& prompts) : prompts_(prompts) {
  if (qApp) qApp->installEventFilter(this);
}

PoolTextGuard::~PoolTextGuard() {
  if (qApp) qApp->removeEventFilter(this);
}

bool PoolTextGuard::Refuse(const QString& text) {
  const std::string ch = FirstCharacterOutsideCp1252(text.toStdString());
  if (ch.empty()) return false;
  prompts_.Beep();
  prompts_.Show(CharacterOutsideCp1252Message(ch), MsgIcon::Exclamation);
  return true;
}

bool PoolTextGuard::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (auto* box = qobject_cast<QLineEdit*>(watched)) {
    // The box is taken before it takes anything in; its validator then
    // refuses typing, pasting and dropping alike.
    const bool input = type == QEvent::KeyPress || type == QEvent::InputMethod ||
                       type == QEvent::FocusIn || type == QEvent::MouseButtonPress ||
                       type == QEvent::DragEnter || type == QEvent::ContextMenu ||
                       type == QEvent::ShortcutOverride;
    if (input && !box->property(kGuarded).toBool()) {
      box->setProperty(kGuarded, true);
      auto* v = new Cp1252Validator(box->validator(), box);
      box->setValidator(v);
      connect(box, &QLineEdit::inputRejected, this, [this, v] {
        if (v->refused.empty()) return;  // the box's own rule refused it
        const std::string ch = std::move(v->refused);
        v->refused.clear();
        prompts_.Beep();
        prompts_.Show(CharacterOutsideCp1252Message(ch), MsgIcon::Exclamation);
      });
    }
    return false;
  }
  if (type != QEvent::KeyPress && type != QEvent::InputMethod && type != QEvent::Drop)
    return false;
  QWidget* edit = TextEditOf(watched);
  if (!edit) return false;
  const bool readOnly = qobject_cast<QPlainTextEdit*>(edit)
                            ? static_cast<QPlainTextEdit*>(edit)->isReadOnly()
                            : static_cast<QTextEdit*>(edit)->isReadOnly();
  if (readOnly) return false;
  QString text;
  if (type == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    text = key->matches(QKeySequence::Paste) ? QApplication::clipboard()->text() : key->text();
  } else if (type == QEvent::InputMethod) {
    text = static_cast<QInputMethodEvent*>(event)->commitString();
  } else if (const QMimeData* data = static_cast<QDropEvent*>(event)->mimeData()) {
    text = data->text();
  }
  return Refuse(text);  // a refused input never reaches the box
}

}  // namespace qb
