#pragma once
// Helpers for the participant and entry header window tests: a context with
// a small pool, and answers for a dialog that opens modally from another.
#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <QtTest/QTest>
#include <functional>
#include <gtest/gtest.h>

#include "entries/logic/pool_builder.h"
#include "platform/app_context.h"

namespace qb::testing {

// Runs `answer` on the next modal dialog of type T once its event loop runs.
// Fails the test when no such dialog opens; `answer` must close it.
template <typename T>
void AnswerNextModal(std::function<void(T*)> answer, bool* answered = nullptr) {
  auto* poll = new QTimer(qApp);
  auto* tries = new int(0);
  poll->setInterval(5);
  QObject::connect(poll, &QTimer::timeout, poll, [poll, tries, answer, answered] {
    auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
    if (!dialog && ++*tries < 200) return;
    poll->stop();
    poll->deleteLater();
    delete tries;
    if (!dialog) {
      ADD_FAILURE() << "no modal dialog opened";
      return;
    }
    if (answered) *answered = true;
    answer(dialog);
  });
  poll->start();
}

template <typename T>
T* Find(QObject* window, const char* name) {
  T* child = window->findChild<T*>(name);
  EXPECT_NE(child, nullptr) << name;
  return child;
}

inline std::string Text(QLineEdit* edit) { return edit->text().toStdString(); }

// Replaces the text of a line edit as a user would: select all, type.
inline void RetypeText(QLineEdit* edit, const QString& text) {
  edit->setFocus();
  edit->selectAll();
  if (text.isEmpty())
    QTest::keyClick(edit, Qt::Key_Backspace);
  else
    QTest::keyClicks(edit, text);
}

}  // namespace qb::testing
