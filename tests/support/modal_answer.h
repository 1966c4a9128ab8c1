#pragma once
// For tests of code that opens a real modal dialog: runs a step on the next
// modal widget once it is up (polling the event loop), e.g. to read it and
// press one of its buttons.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace qb::test {

// Calls act(widget) on the first modal widget of type T that appears within
// about five seconds; gives up silently after that (the test then fails on
// what the dialog returned, not by hanging).
template <class T = QWidget>
void OnNextModal(std::function<void(T*)> act) {
  auto tries = std::make_shared<int>(0);
  auto poll = std::make_shared<std::function<void()>>();
  *poll = [act, tries, poll] {
    if (auto* w = qobject_cast<T*>(QApplication::activeModalWidget())) {
      act(w);
      *poll = nullptr;  // break the self-reference
      return;
    }
    if (++*tries > 500) {
      *poll = nullptr;
      return;
    }
    auto next = *poll;
    QTimer::singleShot(10, [next] { next(); });
  };
  auto first = *poll;
  QTimer::singleShot(0, [first] { first(); });
}

}  // namespace qb::test
