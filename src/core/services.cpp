#include "core/services.h"

#include <chrono>
#include <random>

namespace qb {

std::tm SystemClock::Now() const {
  std::time_t t = std::time(nullptr);
  std::tm out{};
  localtime_r(&t, &out);
  return out;
}

SystemRandom::SystemRandom() {
  std::random_device rd;
  state_ = (static_cast<uint64_t>(rd()) << 32) ^ rd() ^
           static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  if (state_ == 0) state_ = 0x9E3779B97F4A7C15ull;
}

double SystemRandom::Next() {
  // xorshift64*: plenty for pool ids.
  state_ ^= state_ >> 12;
  state_ ^= state_ << 25;
  state_ ^= state_ >> 27;
  uint64_t r = state_ * 2685821657736338717ull;
  return static_cast<double>(r >> 11) * (1.0 / 9007199254740992.0);
}

}  // namespace qb
