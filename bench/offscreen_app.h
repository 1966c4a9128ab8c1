#pragma once
// The one QApplication of a benchmark program, on the offscreen platform.
#include <QApplication>
#include <memory>

namespace qb::bench {

inline QApplication& OffscreenApp() {
  static int argc = 1;
  static char name[] = "bench";
  static char* argv[] = {name, nullptr};
  static std::unique_ptr<QApplication> app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QApplication>(argc, argv);
  }();
  return *app;
}

}  // namespace qb::bench
