#include "reports/frmPageSetup.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/sound_effects.h"
#include "platform/control_helpers.h"
#include "platform/main_window_api.h"
#include "platform/print_surface.h"
#include "reports/logic/printer_settings.h"

namespace qb {

frmPageSetup::frmPageSetup(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
  setObjectName("frmPageSetup");
  setWindowTitle("Page Setup");

  txtFontSize_ = new QLineEdit(this);
  txtFontSize_->setObjectName("txtFontSize");
  txtFontSize_->setToolTip("Enter the font size to use for reports (8 recommended)");
  txtFontSize_->setMaxLength(8);
  txtFontSize_->installEventFilter(this);

  auto* Frame1 = new QGroupBox("Orientation", this);
  Frame1->setObjectName("Frame1");
  const QString orientationTip = "Select the direction that the paper should be printed.";
  Frame1->setToolTip(orientationTip);
  optPortrait_ = new QRadioButton("&Portrait", Frame1);
  optPortrait_->setObjectName("optPortrait");
  optPortrait_->setToolTip(orientationTip);
  optLandscape_ = new QRadioButton("&Landscape", Frame1);
  optLandscape_->setObjectName("optLandscape");
  optLandscape_->setToolTip(orientationTip);
  auto* frameLayout = new QVBoxLayout(Frame1);
  frameLayout->addWidget(optPortrait_);
  frameLayout->addWidget(optLandscape_);

  cmdPrinterSetup_ = MakeButton(this, "cmdPrinterSetup", "P&rinter Setup...",
                                "Change the printer or the printer settings.",
                                [this] { cmdPrinterSetup_Click(); });

  auto [buttons, cmdOK, cmdCancel, cmdHelp] = MakeOkCancelHelp(this);
  cmdCancel_ = cmdCancel;
  cmdOK->setToolTip("Save the page setup selections.");
  cmdCancel->setToolTip("Close the window without saving the changes.");
  connect(cmdOK, &QPushButton::clicked, this, &frmPageSetup::cmdOK_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &frmPageSetup::cmdCancel_Click);
  connect(cmdHelp, &QPushButton::clicked, this, &frmPageSetup::cmdHelp_Click);

  auto* fields = new QGridLayout;
  AddLabeledRow(fields, 0, "Report &font size:", txtFontSize_);
  fields->addWidget(Frame1, 1, 0, 1, 2);
  fields->addWidget(cmdPrinterSetup_, 2, 0, 1, 2, Qt::AlignLeft);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(buttons);

  // Form_Load: the stored choices, then nothing changed yet.
  LoadPrinterSettings(ctx.pool, ctx.settings);
  (ctx.pool.PrintOrientation == 1 ? optPortrait_ : optLandscape_)->setChecked(true);
  txtFontSize_->setText(QString::number(ctx.pool.PrintFontSize));
  connect(optPortrait_, &QRadioButton::clicked, this, [this] {
    changed_ = true;
    Play("start");
  });
  connect(optLandscape_, &QRadioButton::clicked, this, [this] {
    changed_ = true;
    Play("start");
  });
  connect(txtFontSize_, &QLineEdit::textEdited, this, [this] { changed_ = true; });
  changed_ = false;
  txtFontSize_->setFocus();
  txtFontSize_->selectAll();
}

void frmPageSetup::ShowModal(AppContext& ctx, QWidget* parent) {
  frmPageSetup dlg(ctx, parent);
  dlg.exec();
}

void frmPageSetup::Play(const char* name) { PlaySoundEffect(ctx_.pool, ctx_.waves, name); }

void frmPageSetup::cmdOK_Click() {
  SavePrinterSettings(ctx_.pool, ctx_.settings,
                      FontSizeFromText(txtFontSize_->text().toStdString()),
                      optPortrait_->isChecked() ? 1 : 2);
  Play("camera");
  accept();
}

void frmPageSetup::cmdCancel_Click() { reject(); }

void frmPageSetup::cmdHelp_Click() {
  if (ctx_.main) ctx_.main->DisplayContextHelp(kHelpFile, kHelpContext, "frmPageSetup");
}

void frmPageSetup::cmdPrinterSetup_Click() {
  Play("start");
  if (!ctx_.printer) return;
  try {
    QPrintDialog dlg(&ctx_.printer->printer(), this);
    dlg.setObjectName("dlgPrinterSetup");
    // No selection to print from here; printing to a PDF file stays offered.
    dlg.setOption(QAbstractPrintDialog::PrintSelection, false);
    dlg.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dlg.setOption(QAbstractPrintDialog::PrintToFile, true);
    dlg.exec();
  } catch (const std::exception& e) {
    ctx_.prompts.Beep();
    ctx_.prompts.Show(std::string("Error in Page Setup.") + "\n\n\r" + e.what());
  }
}

bool frmPageSetup::txtFontSize_LostFocus() {
  if (FontSizeTextInRange(txtFontSize_->text().toStdString())) return true;
  checking_ = true;
  ctx_.prompts.Beep();
  ctx_.prompts.Show("Font Size must be between 2 and 72");
  checking_ = false;
  QTimer::singleShot(0, txtFontSize_, [box = txtFontSize_] {
    box->setFocus();
    box->selectAll();
  });
  return false;
}

bool frmPageSetup::eventFilter(QObject* watched, QEvent* e) {
  if (watched == txtFontSize_) {
    if (e->type() == QEvent::FocusIn) {
      QTimer::singleShot(0, txtFontSize_, [box = txtFontSize_] { SelectAllText(box); });
    } else if (e->type() == QEvent::FocusOut && !checking_) {
      // Leaving for another control of the dialog is checked; Cancel, and
      // the focus going to another window (the message itself), are not.
      auto reason = static_cast<QFocusEvent*>(e)->reason();
      QWidget* next = QApplication::focusWidget();
      bool withinDialog = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                          reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason ||
                          reason == Qt::OtherFocusReason;
      if (withinDialog && next && next != cmdCancel_ && isAncestorOf(next)) txtFontSize_LostFocus();
    }
  }
  return QDialog::eventFilter(watched, e);
}

void frmPageSetup::done(int result) {
  // Closing plays one sound: "whoosh" after a change, else the plain close.
  Play(changed_ ? "whoosh" : "drcls3");
  Play("start");
  QDialog::done(result);
}

void frmPageSetup::closeEvent(QCloseEvent* e) {
  if (e->spontaneous()) ctx_.pool.SoundPlayed = 0;
  QDialog::closeEvent(e);
}

}  // namespace qb
