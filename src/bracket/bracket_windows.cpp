#include "bracket/bracket_windows.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QScreen>

#include "platform/app_context.h"
#include "platform/child_window.h"
#include "platform/main_window_api.h"
#include "platform/twips.h"

namespace qb {

void UnloadChild(ChildWindow* window) {
  if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget())) {
    sub->setProperty("qbNoQuery", true);
    sub->close();
  } else {
    window->close();
  }
}

void ShowSaveCancelPopup(AppContext& ctx, QWidget* over) {
  if (!ctx.main) return;
  ctx.main->SetSaveCancelMenu(true);
  ctx.main->PopupEntryMenu(over);
}

namespace {

bool PrintFormLoaded() {
  for (QWidget* w : QApplication::allWidgets()) {
    auto* child = qobject_cast<ChildWindow*>(w);
    if (child && child->windowName() == "frmPrintForm") return true;
  }
  return false;
}

}  // namespace

void OpenPrintForm(AppContext& ctx, int document) {
  ctx.pool.PrintEntry = static_cast<int16_t>(document);
  if (ctx.main) ctx.main->ShowWindowByName("frmPrintForm");
  if (PrintFormLoaded()) return;
  ctx.pool.PrintEntry = 0;
  ctx.prompts.Beep();
  ctx.prompts.Show("The print form is not available.", MsgIcon::Exclamation);
}

void SizeToBracket(QWidget* window, int widthTwips, int heightTwips) {
  QSize size(TwipsToPixels(widthTwips), TwipsToPixels(heightTwips));
  // Room for the scroll area's frame, so a bracket that fits shows no scroll bars.
  size += QSize(4, 4);
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QSize room = screen->availableGeometry().size() * 0.85;
    size = size.boundedTo(room);
  }
  window->resize(size);
}

}  // namespace qb
