#pragma once
// Small services the core needs from outside: wave playback, the clock and
// random numbers. Each has a real implementation elsewhere and a double here.
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace qb {

class WavePlayer {
 public:
  virtual ~WavePlayer() = default;
  // Plays <program folder>/<name>.wav; a missing file or device is silent.
  virtual void PlayWave(const std::string& name) = 0;
};

class RecordingWavePlayer : public WavePlayer {
 public:
  void PlayWave(const std::string& name) override { played.push_back(name); }
  std::vector<std::string> played;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::tm Now() const = 0;
};

class SystemClock : public Clock {
 public:
  std::tm Now() const override;
};

class FixedClock : public Clock {
 public:
  explicit FixedClock(std::tm t) : t_(t) {}
  std::tm Now() const override { return t_; }

 private:
  std::tm t_;
};

class Random {
 public:
  virtual ~Random() = default;
  // Uniform in [0, 1).
  virtual double Next() = 0;
};

class SystemRandom : public Random {
 public:
  SystemRandom();
  double Next() override;

 private:
  uint64_t state_;
};

class FixedRandom : public Random {
 public:
  explicit FixedRandom(double v) : v_(v) {}
  double Next() override { return v_; }

 private:
  double v_;
};

}  // namespace qb
