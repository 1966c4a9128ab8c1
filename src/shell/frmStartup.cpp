#include "shell/frmStartup.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/sound_effects.h"
#include "platform/control_helpers.h"
#include "platform/main_window_api.h"
#include "platform/twips.h"

namespace qb {

namespace {
constexpr int kKindRole = Qt::UserRole;
constexpr int kPathRole = Qt::UserRole + 1;
}  // namespace

std::vector<std::string> RecentFilesFromSettings(const SettingsStore& settings) {
  std::vector<std::string> out;
  for (int i = 0; i < 4; ++i) {
    std::string p = settings.GetSetting("Settings", "MRU" + std::to_string(i), "");
    if (!p.empty()) out.push_back(p);
  }
  return out;
}

frmStartup::frmStartup(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
  setObjectName("frmStartup");
  setWindowTitle(kAppTitle);
  resize(TwipsToPixels(QSize(6600, 4200)));

  auto* lblPrompt = new QLabel("What would you like to do?", this);
  lblPrompt->setObjectName("lblPrompt");
  lstChoices_ = new QListWidget(this);
  lstChoices_->setObjectName("lstChoices");

  auto add = [this](const QString& text, StartupChoice::Kind kind, const std::string& path,
                    const QString& tip) {
    auto* item = new QListWidgetItem(text, lstChoices_);
    item->setData(kKindRole, static_cast<int>(kind));
    item->setData(kPathRole, QString::fromStdString(path));
    item->setToolTip(tip);
  };
  for (const auto& path : RecentFilesFromSettings(ctx.settings)) {
    const QString qpath = QString::fromStdString(path);
    add(qpath, StartupChoice::Kind::RecentFile, path, "Open " + QFileInfo(qpath).fileName());
  }
  add(kMoreFilesText, StartupChoice::Kind::MoreFiles, {}, "Choose a pool file to open");
  add(kNewFileText, StartupChoice::Kind::NewFile, {}, "Set up a new pool");
  add(kDownloadText, StartupChoice::Kind::DownloadBracket, {},
      "Start a new pool from a bracket file on the web site");
  lstChoices_->setCurrentRow(0);

  auto [buttons, cmdOK, cmdCancel, cmdHelp] = MakeOkCancelHelp(this);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblPrompt);
  layout->addWidget(lstChoices_);
  layout->addWidget(buttons);

  connect(cmdOK, &QPushButton::clicked, this, &frmStartup::cmdOK_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &frmStartup::cmdCancel_Click);
  connect(cmdHelp, &QPushButton::clicked, this, &frmStartup::cmdHelp_Click);
  connect(lstChoices_, &QListWidget::itemActivated, this, &frmStartup::cmdOK_Click);
  lstChoices_->setFocus();
}

StartupChoice frmStartup::Ask(AppContext& ctx, QWidget* parent) {
  frmStartup dlg(ctx, parent);
  dlg.exec();
  return dlg.Choice();
}

void frmStartup::cmdOK_Click() {
  QListWidgetItem* item = lstChoices_->currentItem();
  if (!item) {
    ctx_.prompts.Beep();
    return;
  }
  choice_.kind = static_cast<StartupChoice::Kind>(item->data(kKindRole).toInt());
  choice_.path = item->data(kPathRole).toString().toStdString();
  PlaySoundEffect(ctx_.pool, ctx_.waves, "start");
  accept();
}

void frmStartup::cmdCancel_Click() {
  choice_ = {};
  PlaySoundEffect(ctx_.pool, ctx_.waves, "start");
  reject();
}

void frmStartup::cmdHelp_Click() {
  if (ctx_.main) ctx_.main->DisplayContextHelp(kHelpFile, kHelpContext, "frmStartup");
}

}  // namespace qb
