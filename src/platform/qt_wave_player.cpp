#include "platform/qt_wave_player.h"

#include "platform/control_helpers.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>

#ifdef QB_HAVE_MULTIMEDIA
#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#endif

namespace qb {

QtWavePlayer::QtWavePlayer(std::string programFolder, QObject* parent)
    : QObject(parent), folder_(std::move(programFolder)) {}

QtWavePlayer::~QtWavePlayer() = default;

std::string QtWavePlayer::WavePath(const std::string& name) const {
  return folder_ + "/" + name + ".wav";
}

bool QtWavePlayer::AudioAvailable() {
#ifdef QB_HAVE_MULTIMEDIA
  return !QMediaDevices::audioOutputs().isEmpty();
#else
  return false;
#endif
}

void QtWavePlayer::PlayWave(const std::string& name) {
  if (name.empty() || !QFileInfo::exists(QString::fromStdString(WavePath(name)))) return;
  ++pending_[name];
  if (!flushQueued_) {
    flushQueued_ = true;
    QTimer::singleShot(0, this, [this] { Flush(); });
  }
}

bool QtWavePlayer::Busy() const {
  if (flushQueued_) return true;
#ifdef QB_HAVE_MULTIMEDIA
  for (const auto& [name, effect] : effects_)
    if (effect && (effect->isPlaying() || effect->status() == QSoundEffect::Loading)) return true;
#endif
  return false;
}

void QtWavePlayer::FinishPlaying(int maxMilliseconds) {
  QElapsedTimer t;
  t.start();
  while (Busy() && t.elapsed() < maxMilliseconds) PauseWithEvents(20);
}

void QtWavePlayer::Flush() {
  flushQueued_ = false;
  auto pending = std::move(pending_);
  pending_.clear();
#ifdef QB_HAVE_MULTIMEDIA
  if (!AudioAvailable()) return;
  for (const auto& [name, count] : pending) {
    auto& effect = effects_[name];
    if (!effect) {
      effect = std::make_unique<QSoundEffect>();
      effect->setSource(QUrl::fromLocalFile(QString::fromStdString(WavePath(name))));
    }
    effect->setLoopCount(count);
    effect->play();
  }
#endif
}

}  // namespace qb
