#include "shell/frmAbout.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/sound_effects.h"
#include "platform/twips.h"

namespace qb {

frmAbout::frmAbout(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
  setObjectName("frmAbout");
  setWindowTitle(kCaption);
  setMinimumWidth(TwipsToPixels(5400));

  auto* lblTitle = new QLabel(kAppTitle, this);
  lblTitle->setObjectName("lblTitle");
  QFont f = lblTitle->font();
  f.setPointSize(f.pointSize() + 6);
  f.setBold(true);
  lblTitle->setFont(f);

  const QString version = QCoreApplication::applicationVersion().isEmpty()
                              ? QString("1.0")
                              : QCoreApplication::applicationVersion();
  auto* lblVersion = new QLabel("Version " + version, this);
  lblVersion->setObjectName("lblVersion");
  auto* lblDescription = new QLabel(
      "Runs an office pool on a single-elimination tournament of 4 to 64 teams: the bracket, "
      "the participants and their entries, the results, the standings and the reports.",
      this);
  lblDescription->setObjectName("lblDescription");
  lblDescription->setWordWrap(true);

  auto* cmdOK = new QPushButton("OK", this);
  cmdOK->setObjectName("cmdOK");
  cmdOK->setDefault(true);
  connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdOK);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblTitle);
  layout->addWidget(lblVersion);
  layout->addSpacing(8);
  layout->addWidget(lblDescription);
  layout->addStretch();
  layout->addLayout(buttons);
}

void frmAbout::ShowModal(AppContext& ctx, QWidget* parent) {
  frmAbout dlg(ctx, parent);
  dlg.exec();
}

void frmAbout::cmdOK_Click() {
  PlaySoundEffect(ctx_.pool, ctx_.waves, "start");
  accept();
}

}  // namespace qb
