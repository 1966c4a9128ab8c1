#pragma once
// The one QApplication of a benchmark program, on the offscreen platform.
#include <QApplication>

namespace qb::bench {

inline QApplication& OffscreenApp() {
  static int argc = 1;
  static char name[] = "bench";
  static char* argv[] = {name, nullptr};
  // Never destroyed: at exit Qt has already torn down what its destructor
  // would touch, and the program would end in a crash that stops the
  // benchmarks after it.
  static QApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  return *app;
}

}  // namespace qb::bench
