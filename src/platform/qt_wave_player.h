#pragma once
// Sound effects: <program folder>/<name>.wav, played without waiting.
// Silent when the file is missing, there is no audio device, or the program
// was built without Qt Multimedia.
#include <QObject>
#include <map>
#include <memory>
#include <string>

#include "core/services.h"

class QSoundEffect;

namespace qb {

class QtWavePlayer : public QObject, public WavePlayer {
  Q_OBJECT
 public:
  explicit QtWavePlayer(std::string programFolder, QObject* parent = nullptr);
  ~QtWavePlayer() override;
  // Calls for the same name within one pass of the event loop add up to one
  // sound played that many times.
  void PlayWave(const std::string& name) override;

  // Processes events until the sounds started have ended, for at most the
  // given time: the last sound of the program would otherwise be cut off.
  void FinishPlaying(int maxMilliseconds = 3000);
  // Whether a sound is playing or about to start.
  bool Busy() const;

  // The file a name stands for.
  std::string WavePath(const std::string& name) const;
  // Whether sounds can be heard at all here.
  static bool AudioAvailable();

 private:
  void Flush();
  std::string folder_;
  std::map<std::string, int> pending_;
  bool flushQueued_ = false;
#ifdef QB_HAVE_MULTIMEDIA
  std::map<std::string, std::unique_ptr<QSoundEffect>> effects_;
#endif
};

}  // namespace qb
