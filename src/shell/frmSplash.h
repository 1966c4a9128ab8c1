#pragma once
// The window shown while the program starts: the product's name on a plain
// panel. Modeless; closes itself after a few seconds or on a key or a click.
#include <QTimer>
#include <QWidget>

#include "platform/app_context.h"

class QLabel;

namespace qb {

class frmSplash : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kShowMilliseconds = 5000;

  explicit frmSplash(AppContext& ctx, QWidget* parent = nullptr);
  // Shows the window, plays the intro wave (only with sounds fully on) and
  // starts the timer that closes it.
  void Start(int milliseconds = kShowMilliseconds);
  // Processes events until the window has closed.
  void WaitUntilClosed();
  bool Finished() const { return finished_; }

  // The whole start-up step: show, wait for the close, clear the sound-played
  // count, pause 0.1 second processing events.
  static void Run(AppContext& ctx, int milliseconds = kShowMilliseconds);

 signals:
  void Closed();

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void Finish();
  AppContext& ctx_;
  QTimer timer_;
  bool finished_ = false;
};

}  // namespace qb
