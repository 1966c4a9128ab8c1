#include "shell/frmOptions.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/sound_effects.h"
#include "platform/control_helpers.h"
#include "platform/main_window_api.h"

namespace qb {

frmOptions::frmOptions(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
  setObjectName("frmOptions");
  setWindowTitle("Options");

  auto* fraSound = new QGroupBox("Sound Effects", this);
  fraSound->setObjectName("fraSound");
  optSoundOn_ = new QRadioButton("&On: play every sound effect", fraSound);
  optSoundOn_->setObjectName("optSoundOn");
  optSoundClick_ = new QRadioButton("&Click: a click in place of every sound", fraSound);
  optSoundClick_->setObjectName("optSoundClick");
  optSoundOff_ = new QRadioButton("O&ff: no sounds", fraSound);
  optSoundOff_->setObjectName("optSoundOff");
  auto* soundLayout = new QVBoxLayout(fraSound);
  soundLayout->addWidget(optSoundOn_);
  soundLayout->addWidget(optSoundClick_);
  soundLayout->addWidget(optSoundOff_);

  const std::string& status = ctx.pool.SoundStatus;
  (status == "Off"     ? optSoundOff_
   : status == "Click" ? optSoundClick_
                       : optSoundOn_)
      ->setChecked(true);

  auto [buttons, cmdOK, cmdCancel, cmdHelp] = MakeOkCancelHelp(this);
  connect(cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &frmOptions::cmdCancel_Click);
  connect(cmdHelp, &QPushButton::clicked, this, &frmOptions::cmdHelp_Click);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(fraSound);
  layout->addWidget(buttons);
  ctx.pool.DialogCancelled = true;
}

void frmOptions::ShowModal(AppContext& ctx, QWidget* parent) {
  frmOptions dlg(ctx, parent);
  dlg.exec();
}

std::string frmOptions::ChosenStatus() const {
  if (optSoundOff_->isChecked()) return "Off";
  if (optSoundClick_->isChecked()) return "Click";
  return "On";
}

void frmOptions::cmdOK_Click() {
  ctx_.pool.SoundStatus = ChosenStatus();
  ctx_.settings.SaveSetting("Options", "SoundStatus", ctx_.pool.SoundStatus);
  ctx_.pool.DialogCancelled = false;
  PlaySoundEffect(ctx_.pool, ctx_.waves, "start");
  accept();
}

void frmOptions::cmdCancel_Click() {
  ctx_.pool.DialogCancelled = true;
  PlaySoundEffect(ctx_.pool, ctx_.waves, "start");
  reject();
}

void frmOptions::cmdHelp_Click() {
  if (ctx_.main) ctx_.main->DisplayContextHelp(kHelpFile, kHelpContext, "frmOptions");
}

}  // namespace qb
