#include "shell/frmErrors.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/sound_effects.h"
#include "platform/twips.h"

namespace qb {

frmErrors::frmErrors(AppContext& ctx, QWidget* parent)
    : frmErrors(ctx, ctx.pool.LoadErrors, parent) {}

frmErrors::frmErrors(AppContext& ctx, const std::vector<std::string>& errors, QWidget* parent)
    : QDialog(parent), ctx_(ctx) {
  setObjectName("frmErrors");
  setWindowTitle("Errors in File");
  resize(TwipsToPixels(QSize(8400, 4800)));

  auto* lblMessage = new QLabel(
      QString("%1 problem%2 found while reading the file.\nOK uses the file as it was read; "
              "Cancel leaves it closed.")
          .arg(errors.size())
          .arg(errors.size() == 1 ? " was" : "s were"),
      this);
  lblMessage->setObjectName("lblMessage");
  lblMessage->setWordWrap(true);

  lstErrors_ = new QListWidget(this);
  lstErrors_->setObjectName("lstErrors");
  for (const auto& e : errors) lstErrors_->addItem(QString::fromStdString(e));

  auto* buttons = new QDialogButtonBox(this);
  auto* cmdOK = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
  cmdOK->setObjectName("cmdOK");
  cmdOK->setDefault(true);
  auto* cmdCancel = buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
  cmdCancel->setObjectName("cmdCancel");
  connect(cmdOK, &QPushButton::clicked, this, &frmErrors::cmdOK_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &frmErrors::cmdCancel_Click);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblMessage);
  layout->addWidget(lstErrors_);
  layout->addWidget(buttons);
  ctx.pool.DialogCancelled = true;
}

bool frmErrors::ShowModal(AppContext& ctx, QWidget* parent) {
  return ShowModal(ctx, ctx.pool.LoadErrors, parent);
}

bool frmErrors::ShowModal(AppContext& ctx, const std::vector<std::string>& errors,
                          QWidget* parent) {
  frmErrors dlg(ctx, errors, parent);
  dlg.exec();
  return !ctx.pool.DialogCancelled;
}

void frmErrors::cmdOK_Click() {
  ctx_.pool.DialogCancelled = false;
  PlaySoundEffect(ctx_.pool, ctx_.waves, "start");
  accept();
}

void frmErrors::cmdCancel_Click() {
  PlaySoundEffect(ctx_.pool, ctx_.waves, "start");
  reject();
}

void frmErrors::reject() {
  ctx_.pool.DialogCancelled = true;
  QDialog::reject();
}

}  // namespace qb
