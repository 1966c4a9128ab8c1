#include "shell/frmBackup.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <sstream>

#include "core/file_replace.h"
#include "core/pool_file_writer.h"
#include "core/sound_effects.h"
#include "platform/control_helpers.h"
#include "platform/main_window_api.h"
#include "platform/twips.h"

namespace qb {

frmBackup::frmBackup(AppContext& ctx, PoolWriter writer, QWidget* parent)
    : QDialog(parent), ctx_(ctx), writer_(std::move(writer)) {
  setObjectName("frmBackup");
  setWindowTitle("Backup Copy");
  setMinimumWidth(TwipsToPixels(6600));

  auto* lblIntro = new QLabel("Write a copy of the open pool into another folder or drive.", this);
  lblIntro->setObjectName("lblIntro");
  lblFileName_ = new QLabel(QString::fromStdString(CopyFileName()), this);
  lblFileName_->setObjectName("lblFileName");
  txtFolder_ = new QLineEdit(this);
  txtFolder_->setObjectName("txtFolder");
  auto* cmdBrowse = new QPushButton("&Browse...", this);
  cmdBrowse->setObjectName("cmdBrowse");
  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(txtFolder_, 1);
  folderRow->addWidget(cmdBrowse);

  auto* form = new QFormLayout;
  form->addRow("File:", lblFileName_);
  form->addRow("Copy to folder:", folderRow);

  auto [buttons, cmdOK, cmdCancel, cmdHelp] = MakeOkCancelHelp(this);
  connect(cmdBrowse, &QPushButton::clicked, this, &frmBackup::cmdBrowse_Click);
  connect(cmdOK, &QPushButton::clicked, this, &frmBackup::cmdOK_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &frmBackup::cmdCancel_Click);
  connect(cmdHelp, &QPushButton::clicked, this, &frmBackup::cmdHelp_Click);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblIntro);
  layout->addLayout(form);
  layout->addWidget(buttons);
  txtFolder_->setFocus();
  ctx.pool.DialogCancelled = true;
}

frmBackup::frmBackup(AppContext& ctx, QWidget* parent)
    : frmBackup(
          ctx,
          [&ctx](std::ostream& out) {
            // As a save stores them: no double quotes in the texts.
            ReplaceDoubleQuotes(ctx.pool, PoolFileLayout::Full);
            out << PoolFileText(ctx.pool, PoolFileLayout::Full, ctx.clock.Now());
          },
          parent) {}

void frmBackup::ShowModal(AppContext& ctx, QWidget* parent) {
  frmBackup dlg(ctx, parent);
  dlg.exec();
}

std::string frmBackup::CopyFileName() const {
  if (!ctx_.pool.PoolFilePath.empty())
    return QFileInfo(QString::fromStdString(ctx_.pool.PoolFilePath)).fileName().toStdString();
  const std::string& name = ctx_.pool.Pool.PoolName;
  return (name.empty() ? std::string(kAppTitle) + " file" : name) + ".qbp";
}

void frmBackup::cmdBrowse_Click() {
  PlaySoundEffect(ctx_.pool, ctx_.waves, "start");
  auto folder = ctx_.files.GetFolderName("Backup Copy to Folder", txtFolder_->text().toStdString());
  if (folder) txtFolder_->setText(QString::fromStdString(*folder));
}

void frmBackup::cmdOK_Click() {
  // A pool without its team count makes a file that cannot be read back.
  if (ctx_.pool.Pool.NumTeams < 4 || ctx_.pool.Pool.NumTeams > 64) {
    ctx_.prompts.Beep();
    ctx_.prompts.Show(
        "Cannot save file without the number of teams set.\n\r"
        "Use the 'Pool Parameter' tool to set the number of teams.",
        MsgIcon::Exclamation);
    return;
  }
  const QString folder = txtFolder_->text().trimmed();
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
    ctx_.prompts.Beep();
    ctx_.prompts.Show(folder.isEmpty() ? std::string("Please choose the folder for the copy.")
                                       : "The folder " + folder.toStdString() + " does not exist.",
                      MsgIcon::Exclamation);
    txtFolder_->setFocus();
    return;
  }
  const QString target = QDir(folder).absoluteFilePath(QString::fromStdString(CopyFileName()));
  // Writing over the pool's own file would be a save in disguise.
  if (!ctx_.pool.PoolFilePath.empty() &&
      QFileInfo(target).absoluteFilePath() ==
          QFileInfo(QString::fromStdString(ctx_.pool.PoolFilePath)).absoluteFilePath()) {
    ctx_.prompts.Beep();
    ctx_.prompts.Show(
        "This is the folder of the pool file itself.\r\n"
        "Please choose another folder for the copy.",
        MsgIcon::Exclamation);
    return;
  }
  if (QFileInfo::exists(target)) {
    ctx_.prompts.Beep();
    if (ctx_.prompts.Ask(target.toStdString() + " already exists.\r\nDo you want to replace it?",
                         MsgButtons::YesNo, MsgIcon::Question, 2) != MsgAnswer::Yes)
      return;
  }
  if (!WriteCopy(target.toStdString())) return;
  ctx_.pool.DialogCancelled = false;
  PlaySoundEffect(ctx_.pool, ctx_.waves, "camera");
  ctx_.prompts.Show("Backup copy written to " + target.toStdString(), MsgIcon::Information);
  accept();
}

bool frmBackup::WriteCopy(const std::string& path) {
  std::string error;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  try {
    std::ostringstream text;
    writer_(text);
    // Written beside the target and renamed over it, as a save is: never half
    // a file, also where the disk or the file size limit cuts the write short.
    if (std::error_code ec = ReplaceFileContents(path, text.str())) error = ec.message();
  } catch (const std::exception& e) {
    error = e.what();
  }
  QApplication::restoreOverrideCursor();
  if (error.empty()) return true;
  ctx_.prompts.Beep();
  ctx_.prompts.Show("The backup copy could not be written to " + path + ".\r\n" + error,
                    MsgIcon::Exclamation);
  return false;
}

void frmBackup::cmdCancel_Click() {
  PlaySoundEffect(ctx_.pool, ctx_.waves, "start");
  reject();
}

void frmBackup::cmdHelp_Click() {
  if (ctx_.main) ctx_.main->DisplayContextHelp(kHelpFile, kHelpContext, "frmBackup");
}

}  // namespace qb
