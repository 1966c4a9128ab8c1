#pragma once
// Money as a fixed-point count of ten-thousandths, so sums of entry fees are exact.
#include <cmath>
#include <compare>
#include <cstdint>

namespace qb {

class Currency {
 public:
  constexpr Currency() = default;
  static constexpr Currency FromRaw(int64_t tenThousandths) { return Currency(tenThousandths); }
  // Rounds to the nearest ten-thousandth, halves away from zero.
  static Currency FromDouble(double amount) {
    return Currency(static_cast<int64_t>(std::llround(amount * 10000.0)));
  }
  constexpr int64_t Raw() const { return raw_; }
  constexpr double ToDouble() const { return static_cast<double>(raw_) / 10000.0; }

  constexpr Currency operator+(Currency o) const { return Currency(raw_ + o.raw_); }
  constexpr Currency operator-(Currency o) const { return Currency(raw_ - o.raw_); }
  constexpr Currency operator*(int64_t n) const { return Currency(raw_ * n); }
  constexpr Currency& operator+=(Currency o) { raw_ += o.raw_; return *this; }
  constexpr Currency& operator-=(Currency o) { raw_ -= o.raw_; return *this; }
  constexpr auto operator<=>(const Currency&) const = default;

 private:
  constexpr explicit Currency(int64_t raw) : raw_(raw) {}
  int64_t raw_ = 0;
};

}  // namespace qb
