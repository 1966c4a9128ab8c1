#include "reports/frmPrintForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QVBoxLayout>

#include "core/sound_effects.h"
#include "platform/control_helpers.h"
#include "platform/error_report.h"
#include "platform/main_window_api.h"
#include "platform/print_surface.h"
#include "platform/twips.h"
#include "reports/print_form_painter.h"

namespace qb {

// The form as the painter draws it, at screen size.
class PrintFormCanvas : public QWidget {
 public:
  PrintFormCanvas(const PrintLayout& layout, const PrintFormContents& contents)
      : layout_(layout), contents_(contents) {
    setObjectName("picForm");
    setFixedSize(TwipsToPixels(layout.width), TwipsToPixels(layout.height));
    setAutoFillBackground(false);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.scale(1.0 / kTwipsPerPixel, 1.0 / kTwipsPerPixel);
    PaintPrintForm(p, layout_, contents_);
  }

 private:
  const PrintLayout& layout_;
  const PrintFormContents& contents_;
};

frmPrintForm::frmPrintForm(AppContext& ctx, QWidget* parent) : BracketWindow(ctx, parent) {
  PoolState& s = ctx_.pool;
  setObjectName("frmPrintForm");
  setWindowTitle(kPrintFormCaption);
  escapeCancels_ = true;
  s.DialogCancelled = false;
  layout_ = ComputePrintLayout({s.NumSlots, s.NumRounds, s.Pool.DualSided, s.Pool.RePair,
                                s.NumericTiebreaker});
  if (layout_.width == 0) {
    // No bracket to lay out: the opener tells the user the form is not available.
    s.DialogCancelled = true;
    unloaded_ = true;
    return;
  }
  contents_ = LoadPrintForm(s, s.PrintEntry, ctx_.clock.Now());

  auto* box = new QVBoxLayout(this);
  box->setContentsMargins(0, 0, 0, 0);
  scroll_ = new QScrollArea(this);
  scroll_->setObjectName("scrollForm");
  scroll_->setBackgroundRole(QPalette::Dark);
  canvas_ = new PrintFormCanvas(layout_, contents_);
  canvas_->installEventFilter(this);
  canvas_->setFocusPolicy(Qt::StrongFocus);
  scroll_->setWidget(canvas_);
  box->addWidget(scroll_);

  // The instructions are typed on the form itself and print as typed.
  txtInstructions = new QPlainTextEdit(canvas_);
  txtInstructions->setObjectName("txtInstructions");
  txtInstructions->setFrameShape(QFrame::NoFrame);
  txtInstructions->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  txtInstructions->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  txtInstructions->setPlainText(QString::fromStdString(contents_.instructions));
  if (const PrintItem* i = layout_.Find(PrintPart::Instructions)) {
    const TwipRect& r = i->rect;
    txtInstructions->setGeometry(TwipsToPixels(r.left + 15, r.top + 15, r.width - 30,
                                               r.height - 30));
  }
  QFont f = txtInstructions->font();
  f.setPixelSize(TwipsToPixels(165));
  txtInstructions->setFont(f);
  txtInstructions->document()->setDocumentMargin(1);
  txtInstructions->setVisible(contents_.showInstructions);
  txtInstructions->installEventFilter(this);
  connect(txtInstructions, &QPlainTextEdit::textChanged, this, [this] {
    contents_.instructions = txtInstructions->toPlainText().toStdString();
    canvas_->update();
  });

  SizeToBracket(this, layout_.width, layout_.height);
  if (ctx_.main) ctx_.main->SetPreviewButtons();
  if (!contents_.knownDocument) {
    ctx_.prompts.Beep();
    ctx_.prompts.Show(kBadDocumentText);
  }
}

frmPrintForm::~frmPrintForm() {
  // The contents go before the child widgets that show them.
  if (txtInstructions) txtInstructions->disconnect(this);
  Form_Unload();
}

QWidget* frmPrintForm::canvas() const { return canvas_; }

void frmPrintForm::cmdPrint_Click() {
  RunGuarded(ctx_, this, false, "frmPrintForm.cmdPrint_Click", [&] {
    PoolState& s = ctx_.pool;
    int orientation = s.PrintOrientation == 1 ? 1 : 2;
    if (layout_.width > 11000 && orientation != 2) {
      ctx_.prompts.Beep();
      if (ctx_.prompts.Ask(kTooLargeForPortraitText, MsgButtons::YesNo, MsgIcon::Exclamation) ==
          MsgAnswer::Yes)
        orientation = 2;
    }
    PrintSurface surface(ctx_, this);
    if (!surface.Begin(kPrintFormCaption, orientation)) return;
    PaintPrintFormOnPage(surface.Painter(), surface.PageRect(), surface.Printer().resolution(),
                         layout_, contents_);
    if (!surface.End()) return;
    s.SoundPlayed = 0;
    PlaySoundEffect(s, ctx_.waves, "type", 2);
  });
}

void frmPrintForm::cmdFill_Click() {
  RunGuarded(ctx_, this, false, "frmPrintForm.cmdFill_Click", [&] {
    if (!FillWithHigherSeeds(ctx_.pool, contents_)) return;
    PlaySoundEffect(ctx_.pool, ctx_.waves, "start", 3);
    canvas_->update();
  });
}

void frmPrintForm::cmdCancel_Click() {
  RunGuarded(ctx_, this, false, "frmPrintForm.cmdCancel_Click", [&] { Unload(); });
}

bool frmPrintForm::QueryClose() {
  // Asked only when the user (or a file command) closes the window itself.
  ctx_.pool.SoundPlayed = 0;
  return true;
}

void frmPrintForm::ShowPrintPopupMenu() {
  RunGuarded(ctx_, this, false, "frmPrintForm.ShowPrintPopupMenu", [&] {
    MainWindowApi* main = ctx_.main;
    if (!main) return;
    for (const char* item : {"mnuEntryPopUpOK", "mnuEntryPopUpEntryInfo", "mnuEntryPopUpShowParms",
                             "mnuEntryPopUpClear", "mnuEntryPopUpCopyEntry"})
      main->SetEntryPopupItemVisible(item, false);
    main->SetEntryPopupItemVisible("mnuEntryPopUpCancel", true);
    main->SetEntryPopupItemVisible("mnuEntryPopUpBar1", true);
    // Fill invents picks: only the blank form may be filled.
    main->SetEntryPopupItemVisible("mnuEntryPopUpFill", contents_.document == kBlankPoolForm);
    // Printing is what the preview is for, whatever the last pop-up showed.
    main->SetEntryPopupItemVisible("mnuEntryPopUpPrint", true);
    main->SetSaveCancelMenu(false);  // Cancel reads "Close"
    main->PopupEntryMenu(this);
  });
}

bool frmPrintForm::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::MouseButtonPress) {
    ctx_.pool.SoundPlayed = 0;
    auto* me = static_cast<QMouseEvent*>(e);
    if (watched == canvas_ && me->button() == Qt::RightButton) {
      ShowPrintPopupMenu();
      return true;
    }
  } else if (e->type() == QEvent::KeyPress) {
    ctx_.pool.SoundPlayed = 0;
  } else if (e->type() == QEvent::FocusIn && watched == txtInstructions) {
    SelectAllText(txtInstructions);
  }
  return BracketWindow::eventFilter(watched, e);
}

void frmPrintForm::contextMenuEvent(QContextMenuEvent* e) {
  // The menu key: the right button is handled where it is pressed.
  if (e->reason() == QContextMenuEvent::Keyboard) ShowPrintPopupMenu();
  e->accept();
}

void frmPrintForm::closeEvent(QCloseEvent* e) {
  PlaySoundEffect(ctx_.pool, ctx_.waves, "drcls3");
  Form_Unload();
  BracketWindow::closeEvent(e);
  ReturnFocusToOpener();
}

void frmPrintForm::Form_Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  PoolState& s = ctx_.pool;
  StoreInstructions(s, contents_);
  if (ctx_.main) ctx_.main->HideBottomToolbar();
  s.PrintEntry = 0;
}

void frmPrintForm::ReturnFocusToOpener() {
  const char* opener = contents_.document == kBlankPoolForm ? "frmSetup"
                       : contents_.document == kResultsForm ? "frmEnterResults"
                                                            : "frmEditEntry";
  for (QWidget* w : QApplication::allWidgets()) {
    auto* child = qobject_cast<ChildWindow*>(w);
    if (!child || child == this || child->windowName() != opener) continue;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(child->parentWidget())) {
      if (QMdiArea* area = sub->mdiArea()) area->setActiveSubWindow(sub);
    }
    child->activateWindow();
    child->setFocus();
    return;
  }
}

}  // namespace qb
