#include "bracket/bracket_windows.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QStyle>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QRegularExpressionValidator>
#include <QScreen>

#include "core/sound_effects.h"
#include "platform/app_context.h"
#include "platform/error_report.h"
#include "platform/main_window_api.h"
#include "platform/twips.h"

namespace qb {

void BracketWindow::Form_Activate() {
  RunGuarded(ctx_, this, false, windowName() + ".Form_Activate", [&] {
    if (!ctx_.main) return;
    ctx_.main->SetPreviewButtons();
    ctx_.main->AdjustMenuForActiveWindow();
  });
}

void BracketWindow::Form_Deactivate() {
  if (ctx_.main) ctx_.main->HideBottomToolbar();
}

void BracketWindow::ShowEditPopupMenu() {
  if (!ctx_.main) return;
  for (const char* item : {"mnuEntryPopUpBar1", "mnuEntryPopUpEntryInfo", "mnuEntryPopUpFill",
                           "mnuEntryPopUpShowParms", "mnuEntryPopUpPrint", "mnuEntryPopUpClear",
                           "mnuEntryPopUpCopyEntry"})
    ctx_.main->SetEntryPopupItemVisible(item, false);
  ctx_.main->SetEntryPopupItemVisible("mnuEntryPopUpOK", true);
  ctx_.main->SetEntryPopupItemVisible("mnuEntryPopUpCancel", true);
  ctx_.main->SetSaveCancelMenu(true);
  ctx_.main->PopupEntryMenu(this);
}

bool BracketWindow::RefuseWithoutBracket() {
  PoolState& s = ctx_.pool;
  s.DialogCancelled = false;
  if (s.NumSlots >= 4 && s.NumRounds >= 2) return false;
  ctx_.prompts.Beep();
  ctx_.prompts.Show(
      "Number of Teams/Players must be set. \r\nPlease set this parameter using 'Jackpot "
      "Parameters'");
  s.DialogCancelled = true;
  return true;
}

// A window that closes itself (OK, Cancel after its question) takes its frame
// in the main window with it, without being asked again.
void BracketWindow::Unload() {
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
    sub->setProperty("qbNoQuery", true);
    sub->close();
  } else {
    close();
  }
}

void BracketWindow::Sound(const char* name) { PlaySoundEffect(ctx_.pool, ctx_.waves, name); }

void BracketWindow::OnFrameStateChanged(Qt::WindowStates was, Qt::WindowStates now) {
  bool active = now.testFlag(Qt::WindowActive);
  if (active && !was.testFlag(Qt::WindowActive)) Form_Activate();
  if (!active && was.testFlag(Qt::WindowActive)) Form_Deactivate();
}

bool BracketWindow::event(QEvent* e) {
  if (e->type() == QEvent::ParentChange) {
    // Inside the main window the window stands at the top left of the client
    // area, and its frame tells when it becomes active.
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
      placed_ = false;
      connect(sub, &QMdiSubWindow::windowStateChanged, this, &BracketWindow::OnFrameStateChanged,
              Qt::UniqueConnection);
    }
  } else if (e->type() == QEvent::Show && !placed_) {
    // After the main window has placed the frame. A bracket larger than the
    // client area scrolls inside the window, so the frame stays within reach.
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
      sub->move(0, 0);
      if (QMdiArea* area = sub->mdiArea()) {
        // A bracket cut in one direction gets a scroll bar across the other:
        // that one takes room of its own, where the client area has it.
        const QSize room = area->viewport()->size();
        QSize wanted = sub->size();
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        if (wanted.height() > room.height()) wanted.rwidth() += bar;
        if (wanted.width() > room.width()) wanted.rheight() += bar;
        sub->resize(wanted.boundedTo(room));
      }
    }
    placed_ = true;
  } else if (e->type() == QEvent::WindowActivate) {
    Form_Activate();
  } else if (e->type() == QEvent::WindowDeactivate) {
    Form_Deactivate();
  }
  return ChildWindow::event(e);
}

void BracketWindow::keyPressEvent(QKeyEvent* e) {
  if (escapeCancels_ && e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
    ctx_.pool.SoundPlayed = 0;
    e->accept();
    cmdCancel_Click();
    return;
  }
  ChildWindow::keyPressEvent(e);
}

void BracketWindow::closeEvent(QCloseEvent* e) {
  Form_Deactivate();
  e->accept();
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

void AcceptTiebreakerAmounts(QLineEdit* box) {
  box->setValidator(
      new QRegularExpressionValidator(QRegularExpression(R"(-?\d{0,9}(\.\d{0,4})?)"), box));
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
