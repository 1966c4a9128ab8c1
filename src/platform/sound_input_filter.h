#pragma once
// Every mouse press and key press starts a new user action: it clears the
// sound-played count, so the action's handler may play one sound effect.
// main() installs one on the application.
#include <QEvent>
#include <QObject>

#include "core/pool_state.h"

namespace qb {

class SoundInputFilter : public QObject {
 public:
  explicit SoundInputFilter(PoolState& pool, QObject* parent = nullptr)
      : QObject(parent), pool_(pool) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    switch (e->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
      case QEvent::KeyPress: pool_.SoundPlayed = 0; break;
      default: break;
    }
    return QObject::eventFilter(watched, e);
  }

 private:
  PoolState& pool_;
};

}  // namespace qb
