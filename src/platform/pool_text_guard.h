#pragma once
// Every text box of the program takes only what a pool file can hold: a
// character outside Windows-1252, typed, pasted or dropped into any line or
// text box, is refused where it comes in, with a message that names it, so
// nothing is later written as '?' without a word. One guard serves every
// window: it sits on the application and takes each box as it is first used.
#include <QObject>
#include <QString>

namespace qb {

class Prompts;

class PoolTextGuard : public QObject {
 public:
  explicit PoolTextGuard(Prompts& prompts);
  ~PoolTextGuard() override;

  // True (after telling the user) when the text holds a character a pool
  // file cannot hold.
  bool Refuse(const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Prompts& prompts_;
};

}  // namespace qb
