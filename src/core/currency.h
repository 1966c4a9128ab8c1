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
  // Rounds to the nearest ten-thousandth, halves away from zero; beyond the
  // range it saturates, and a value that is not a number is 0.
  static Currency FromDouble(double amount) {
    double raw = amount * 10000.0;
    if (std::isnan(raw)) return Currency();
    // 2^63 is the first double above the range.
    if (raw >= 9223372036854775808.0) return Currency(kMaxRaw);
    if (raw <= -9223372036854775808.0) return Currency(kMinRaw);
    return Currency(static_cast<int64_t>(std::llround(raw)));
  }
  constexpr int64_t Raw() const { return raw_; }
  constexpr double ToDouble() const { return static_cast<double>(raw_) / 10000.0; }

  // Sums and products saturate instead of wrapping: a fee read from a damaged
  // file times the entries gives the largest amount, not a negative pot.
  constexpr Currency operator+(Currency o) const {
    int64_t r = 0;
    if (__builtin_add_overflow(raw_, o.raw_, &r)) return Currency(o.raw_ < 0 ? kMinRaw : kMaxRaw);
    return Currency(r);
  }
  constexpr Currency operator-(Currency o) const {
    int64_t r = 0;
    if (__builtin_sub_overflow(raw_, o.raw_, &r)) return Currency(o.raw_ > 0 ? kMinRaw : kMaxRaw);
    return Currency(r);
  }
  constexpr Currency operator*(int64_t n) const {
    int64_t r = 0;
    if (__builtin_mul_overflow(raw_, n, &r))
      return Currency((raw_ < 0) != (n < 0) ? kMinRaw : kMaxRaw);
    return Currency(r);
  }
  constexpr Currency& operator+=(Currency o) { return *this = *this + o; }
  constexpr Currency& operator-=(Currency o) { return *this = *this - o; }
  constexpr auto operator<=>(const Currency&) const = default;

 private:
  static constexpr int64_t kMaxRaw = INT64_MAX;
  static constexpr int64_t kMinRaw = INT64_MIN;
  constexpr explicit Currency(int64_t raw) : raw_(raw) {}
  int64_t raw_ = 0;
};

}  // namespace qb
