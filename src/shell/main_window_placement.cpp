#include "shell/main_window_placement.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <algorithm>

#include "bracket/logic/bracket_geometry.h"
#include "core/bracket.h"
#include "core/prompts.h"
#include "entries/logic/editor_layout.h"
#include "platform/twips.h"
#include "shell/logic/main_placement.h"

namespace qb {

QSize LargestChildWindowSize() {
  PoolState s;
  ScriptedPrompts prompts;
  s.Pool.NumTeams = 64;  // the largest bracket
  for (int n = 1; n <= s.Pool.NumTeams; ++n) s.Teams[n].Name = "Team " + std::to_string(n);
  int width = 0, height = 0;
  for (bool dual : {false, true}) {
    s.Pool.DualSided = dual;
    SetupBracketFromParameters(s, prompts);
    const BracketGeometry setup = ComputeSetupGeometry(s.NumSlots, s.NumRounds, dual);
    const BracketGeometry results = ComputeBracketGeometry(
        {s.NumSlots, s.NumRounds, dual, false, true, BracketVariant::Results});
    const EditorLayout editor = LayoutEntryEditor(s, true);
    width = std::max({width, setup.width, results.width, editor.width});
    height = std::max({height, setup.height, results.height, editor.height});
  }
  return QSize(TwipsToPixels(width), TwipsToPixels(height));
}

namespace {

ScreenRect ToRect(const QRect& r) {
  return {r.x(), r.y(), r.width(), r.height()};
}

std::vector<ScreenRect> AvailableAreas() {
  std::vector<ScreenRect> screens;
  for (QScreen* screen : QGuiApplication::screens())
    screens.push_back(ToRect(screen->availableGeometry()));
  return screens;
}

// The frame's real edges are known once the window is shown: then it is kept
// on the screen once more, by them.
class KeepFrameOnScreen : public QObject {
 public:
  explicit KeepFrameOnScreen(QWidget* window) : QObject(window), window_(window) {
    window->installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (watched == window_ && e->type() == QEvent::Show) {
      window_->removeEventFilter(this);
      const ScreenRect frame = ToRect(window_->frameGeometry());
      const ScreenRect kept = KeepOnScreen(frame, AvailableAreas());
      if (!(kept == frame)) {
        window_->move(kept.left, kept.top);
        window_->resize(window_->width() - (frame.width - kept.width),
                        window_->height() - (frame.height - kept.height));
      }
      deleteLater();
    }
    return false;
  }

 private:
  QWidget* window_;
};

}  // namespace

void PlaceMainWindow(QMainWindow* main, const MainPlacement& stored, bool firstStart) {
  constexpr int kTwipsPerPixel = 15;
  auto px = [](int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; };
  QStyle* style = main->style();
  // The frame's title bar stands above the client area the size gives.
  const int caption = style->pixelMetric(QStyle::PM_TitleBarHeight);
  ScreenRect frame{px(stored.left), px(stored.top), px(stored.width), px(stored.height) + caption};
  if (firstStart) {
    // The child's own frame inside the client area, then the bars around it.
    const QSize child = LargestChildWindowSize();
    const int subFrame = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    int width = child.width() + 2 * subFrame + 4;
    int height = child.height() + caption + 2 * subFrame + 4;
    if (main->menuBar()) height += main->menuBar()->sizeHint().height();
    if (main->statusBar()) height += main->statusBar()->sizeHint().height();
    for (QToolBar* bar : main->findChildren<QToolBar*>()) {
      height += bar->sizeHint().height();
      width = std::max(width, bar->sizeHint().width());  // no button in the overflow
    }
    frame.width = std::max(frame.width, width);
    frame.height = std::max(frame.height, height + caption);
  }
  const std::vector<ScreenRect> screens = AvailableAreas();
  // A place saved on a screen that is no longer there: back to the default.
  bool onScreen = false;
  for (const ScreenRect& s : screens) onScreen = onScreen || OverlapArea(frame, s) > 0;
  if (!onScreen) {
    frame.left = px(1000);
    frame.top = px(1000);
  }
  frame = KeepOnScreen(frame, screens);
  main->move(frame.left, frame.top);
  main->resize(frame.width, frame.height - caption);
  if (!main->isVisible()) new KeepFrameOnScreen(main);
}

}  // namespace qb
