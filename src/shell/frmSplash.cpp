#include "shell/frmSplash.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

#include "core/sound_effects.h"
#include "platform/control_helpers.h"
#include "platform/twips.h"

namespace qb {

frmSplash::frmSplash(AppContext& ctx, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      ctx_(ctx) {
  setObjectName("frmSplash");
  setWindowTitle(kAppTitle);
  setFixedSize(TwipsToPixels(QSize(6000, 3300)));

  auto* frame = new QFrame(this);
  frame->setObjectName("fraMainFrame");
  frame->setFrameShape(QFrame::Box);
  frame->setLineWidth(2);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(frame);

  auto* lblProductName = new QLabel(kAppTitle, frame);
  lblProductName->setObjectName("lblProductName");
  QFont big = lblProductName->font();
  big.setPointSize(big.pointSize() * 2 + 4);
  big.setBold(true);
  lblProductName->setFont(big);
  lblProductName->setAlignment(Qt::AlignCenter);

  auto* lblPlatform = new QLabel("Office pools on tournament brackets of 4 to 64 teams", frame);
  lblPlatform->setObjectName("lblPlatform");
  lblPlatform->setAlignment(Qt::AlignCenter);

  auto* lblVersion = new QLabel(
      "Version " + (QCoreApplication::applicationVersion().isEmpty()
                        ? QString("1.0")
                        : QCoreApplication::applicationVersion()),
      frame);
  lblVersion->setObjectName("lblVersion");
  lblVersion->setAlignment(Qt::AlignCenter);

  auto* lblHint = new QLabel("Press any key or click to continue", frame);
  lblHint->setObjectName("lblHint");
  lblHint->setAlignment(Qt::AlignCenter);

  auto* inner = new QVBoxLayout(frame);
  inner->addStretch();
  inner->addWidget(lblProductName);
  inner->addWidget(lblPlatform);
  inner->addStretch();
  inner->addWidget(lblVersion);
  inner->addWidget(lblHint);

  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &frmSplash::Finish);
}

void frmSplash::Start(int milliseconds) {
  CenterFormOnScreen(this);
  show();
  raise();
  activateWindow();
  setFocus();
  // The intro is no effect to be replaced by a click: it plays only with sounds on.
  if (ctx_.pool.SoundStatus == "On") PlaySoundEffect(ctx_.pool, ctx_.waves, "intro");
  timer_.start(milliseconds);
}

void frmSplash::WaitUntilClosed() {
  if (finished_) return;
  QEventLoop loop;
  connect(this, &frmSplash::Closed, &loop, &QEventLoop::quit);
  loop.exec();
}

void frmSplash::Run(AppContext& ctx, int milliseconds) {
  frmSplash splash(ctx);
  splash.Start(milliseconds);
  splash.WaitUntilClosed();
  ctx.pool.SoundPlayed = 0;
  PauseWithEvents(100);
}

void frmSplash::keyPressEvent(QKeyEvent*) { Finish(); }
void frmSplash::mousePressEvent(QMouseEvent*) { Finish(); }

void frmSplash::closeEvent(QCloseEvent* e) {
  QWidget::closeEvent(e);
  if (!finished_) {
    finished_ = true;
    timer_.stop();
    emit Closed();
  }
}

void frmSplash::Finish() {
  if (finished_) return;
  finished_ = true;
  timer_.stop();
  hide();
  emit Closed();
}

}  // namespace qb
