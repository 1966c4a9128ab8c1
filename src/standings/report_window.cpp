#include "standings/report_window.h"

#include <QKeyEvent>

#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <QVBoxLayout>

#include "core/sound_effects.h"
#include "entries/frmEditEntry.h"
#include "platform/app_context.h"
#include "platform/control_helpers.h"
#include "platform/grid_view.h"
#include "platform/main_window_api.h"
#include "platform/twips.h"
#include "standings/logic/analysis_common.h"

namespace qb {

BusyCursor::BusyCursor() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
}
// The unexpected-error report may have restored the pointer already.
BusyCursor::~BusyCursor() {
  if (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
}

ReportWindow::ReportWindow(AppContext& ctx, std::string windowName, int helpContext,
                           bool PoolState::*openFlag, QWidget* parent)
    : ChildWindow(ctx, parent),
      name_(std::move(windowName)),
      helpContext_(helpContext),
      openFlag_(openFlag),
      tabs_(new QTabWidget(this)) {
  setObjectName(QString::fromStdString(name_));
  setAttribute(Qt::WA_DeleteOnClose);
  // A report lists the entries as they are now, each under its identity.
  GiveEntryIdentities(ctx_.pool);
  tabs_->setObjectName("SSTab1");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(tabs_);
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (now && now != this && isAncestorOf(now)) lastFocus_ = now;
  });
  connect(tabs_, &QTabWidget::currentChanged, this, [this] {
    // Pages chosen while the window loads are its own doing: no sound.
    if (isVisible()) Guard("SSTab1_Click", [this] { Sound("start"); });
  });
}

ReportWindow::~ReportWindow() {
  if (openFlag_) ctx_.pool.*openFlag_ = false;
}

int ReportWindow::CurrentPage() const {
  return tabs_->count() > 0 ? std::max(0, tabs_->currentIndex()) : 0;
}

QWidget* ReportWindow::AddPage(const QString& caption) {
  auto* page = new QWidget(tabs_);
  tabs_->addTab(page, caption);
  return page;
}

GridView* ReportWindow::MakeGrid(QWidget* parent, const char* name) {
  auto* view = new GridView(parent);
  view->setObjectName(name);
  // The column widths are laid out for a small report font.
  QFont f = view->font();
  f.setStretch(QFont::SemiCondensed);
  if (f.pointSizeF() > 8) f.setPointSizeF(8);
  view->setFont(f);
  return view;
}

void ReportWindow::SetOpenFlag(bool open) {
  if (openFlag_) ctx_.pool.*openFlag_ = open;
}

void ReportWindow::Sound(const char* name, int count) {
  PlaySoundEffect(ctx_.pool, ctx_.waves, name, count);
}

void ReportWindow::Unload() {
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
    sub->setProperty("qbNoQuery", true);
    sub->close();
  } else {
    close();
  }
}

void ReportWindow::SizeTwips(int width, int height) {
  resize(TwipsToPixels(width), TwipsToPixels(height));
}

void ReportWindow::MinimumTwips(int width, int height) {
  setMinimumSize(TwipsToPixels(width), TwipsToPixels(height));
}

int ListedEntryOrSayGone(AppContext& ctx, const ListedEntryIds& listed, int index) {
  const int e = listed.Find(ctx.pool, index);
  if (e == 0) {
    ctx.prompts.Beep();
    ctx.prompts.Show(kEntryGoneText, MsgIcon::Exclamation);
  }
  return e;
}

bool ReportWindow::RefuseWhileEntryOpen() {
  if (ctx_.pool.EditEntryNumber <= 0) return false;
  ctx_.prompts.Beep();
  ctx_.prompts.Show(kEntryAlreadyOpenText, MsgIcon::Information);
  return true;
}

bool ReportWindow::OpenEntry(int entry) {
  if (RefuseWhileEntryOpen()) return false;
  return OpenEntryEditor(ctx_, entry, this);
}

bool ReportWindow::OpenListedEntry(const ListedEntryIds& listed, int index) {
  if (RefuseWhileEntryOpen() || index <= 0) return false;
  const int e = ListedEntryOrSayGone(ctx_, listed, index);
  return e > 0 && OpenEntry(e);
}

void ReportWindow::Form_Activate() {
  Guard("Form_Activate", [this] {
    if (ctx_.main) ctx_.main->AdjustMenuForActiveWindow();
  });
}

void ReportWindow::OnFrameStateChanged(Qt::WindowStates was, Qt::WindowStates now) {
  if (now.testFlag(Qt::WindowActive) && !was.testFlag(Qt::WindowActive)) Form_Activate();
}

bool ReportWindow::event(QEvent* e) {
  switch (e->type()) {
    case QEvent::ParentChange:
      // Inside the main window the frame tells when the window becomes active.
      if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        placed_ = false;
        connect(sub, &QMdiSubWindow::windowStateChanged, this, &ReportWindow::OnFrameStateChanged,
                Qt::UniqueConnection);
      }
      break;
    case QEvent::Show:
      // Centred in the client area once the main window has placed the frame.
      if (!placed_) CenterFormInMain(this, ctx_.pool);
      placed_ = true;
      // After the frame has given the focus to the window as a whole.
      if (initialFocus_)
        QTimer::singleShot(0, initialFocus_, [w = initialFocus_] {
          if (w) w->setFocus();
        });
      initialFocus_ = nullptr;
      break;
    case QEvent::WindowActivate:
      Form_Activate();
      break;
    case QEvent::FocusIn:
      // Focus handed to the window as a whole (the entry editor closing)
      // goes back to the control that had it, so the keys work at once.
      if (lastFocus_ && lastFocus_->isVisible() && lastFocus_->isEnabled())
        lastFocus_->setFocus(Qt::OtherFocusReason);
      else
        focusNextChild();
      break;
    default:
      break;
  }
  return ChildWindow::event(e);
}

void ReportWindow::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
    e->accept();
    Guard("Form_KeyDown", [this] { cmdCancel_Click(); });
    return;
  }
  ChildWindow::keyPressEvent(e);
}

void ReportWindow::closeEvent(QCloseEvent* e) {
  Guard("Form_Unload", [this] {
    PlayCloseSound();
    SetOpenFlag(false);
  });
  e->accept();
}

}  // namespace qb
