#pragma once
// Every mouse press and key press starts a new user action: it clears the
// sound-played count, so the action's handler may play one sound effect.
// The start-up installs one on the application (InstallSoundInputFilter).
#include <QCoreApplication>
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
      case QEvent::KeyPress:
        pool_.SoundPlayed = 0;
        break;
      default:
        break;
    }
    return QObject::eventFilter(watched, e);
  }

 private:
  PoolState& pool_;
};

// Watches every input of the application for as long as owner lives.
inline SoundInputFilter* InstallSoundInputFilter(PoolState& pool, QObject* owner) {
  auto* filter = new SoundInputFilter(pool, owner);
  QCoreApplication::instance()->installEventFilter(filter);
  return filter;
}

}  // namespace qb
