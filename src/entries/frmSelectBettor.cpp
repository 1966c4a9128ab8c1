#include "entries/frmSelectBettor.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/sound_effects.h"
#include "entries/frmEditBettor.h"
#include "entries/logic/participants.h"
#include "platform/control_helpers.h"

namespace qb {

namespace {

// Hourglass for the span of one command.
class BusyPointer {
 public:
  BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyPointer() { Restore(); }
  void Restore() {
    if (busy_) QApplication::restoreOverrideCursor();
    busy_ = false;
  }

 private:
  bool busy_ = true;
};

}  // namespace

frmSelectBettor::frmSelectBettor(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
  setObjectName("frmSelectBettor");
  setWindowTitle("Select a Participant");
  setModal(true);

  lstBettors = new QListWidget(this);
  lstBettors->setObjectName("lstBettors");
  lstBettors->setMinimumSize(260, 300);
  // One line per name: the list is laid out without measuring every name.
  lstBettors->setUniformItemSizes(true);
  connect(lstBettors, &QListWidget::itemDoubleClicked, this, [this] { cmdEdit_Click(); });

  cmdNew = MakeButton(this, "cmdNew", "&New", "Add a new participant to the file.",
                      [this] { cmdNew_Click(); });
  cmdEdit =
      MakeButton(this, "cmdEdit", "&Edit", "Edit the information for the selected participant.",
                 [this] { cmdEdit_Click(); });
  cmdDelete =
      MakeButton(this, "cmdDelete", "&Delete", "Delete the selected participant from the file.",
                 [this] { cmdDelete_Click(); });
  cmdCancel =
      MakeButton(this, "cmdCancel", "Close", "Exit this window.", [this] { cmdCancel_Click(); });
  cmdHelp = MakeButton(this, "cmdHelp", "Help", "", [this] { cmdHelp_Click(); });
  // Enter edits the selected name, as a double-click does.
  cmdEdit->setDefault(true);

  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {cmdNew, cmdEdit, cmdDelete, cmdCancel, cmdHelp}) buttons->addWidget(b);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(lstBettors, 1);
  layout->addLayout(buttons);

  setTabOrder(lstBettors, cmdNew);
  setTabOrder(cmdNew, cmdEdit);
  setTabOrder(cmdEdit, cmdDelete);
  setTabOrder(cmdDelete, cmdCancel);
  setTabOrder(cmdCancel, cmdHelp);
  ClearSoundPlayedOnInput(this, ctx_.pool);

  adjustSize();
  FormLoad();
  lstBettors->setFocus();
}

void frmSelectBettor::FormLoad() {
  CenterFormOnScreen(this);
  const PoolState& s = ctx_.pool;
  lstBettors->clear();
  std::vector<BettorListItem> items = ListedBettors(s);
  QStringList names;
  names.reserve(static_cast<qsizetype>(items.size()));
  for (const BettorListItem& item : items) names.append(QString::fromStdString(item.Name));
  lstBettors->addItems(names);  // in one go: the view lays out once
  for (int i = 0; i < static_cast<int>(items.size()); ++i)
    lstBettors->item(i)->setData(Qt::UserRole, items[i].Index);
  const int k = ListPositionOf(items, s.CurrentBettor);
  if (k >= 0) {
    // Through a row further down first, so the selected name shows with the
    // names that follow it.
    lstBettors->setCurrentRow(ScrollAheadRow(k, lstBettors->count()));
    lstBettors->setCurrentRow(k);
  }
}

void frmSelectBettor::ShowEditBettor() {
  frmEditBettor dialog(ctx_, this);
  dialog.exec();
}

void frmSelectBettor::cmdNew_Click() {
  PlaySoundEffect(ctx_.pool, ctx_.waves, "start");
  ctx_.pool.CurrentBettor = 0;
  ShowEditBettor();
  FormLoad();
}

void frmSelectBettor::cmdEdit_Click() {
  PlaySoundEffect(ctx_.pool, ctx_.waves, "start");
  BusyPointer busy;
  QListWidgetItem* item = lstBettors->currentItem();
  if (!item || !item->isSelected()) {
    ctx_.prompts.Beep();
    busy.Restore();
    ctx_.prompts.Show("Select a Bettor to Edit");
    return;
  }
  ctx_.pool.CurrentBettor = static_cast<int16_t>(item->data(Qt::UserRole).toInt());
  busy.Restore();
  ShowEditBettor();
  FormLoad();
}

void frmSelectBettor::cmdDelete_Click() {
  PoolState& s = ctx_.pool;
  BusyPointer busy;
  QListWidgetItem* item = lstBettors->currentItem();
  if (!item || !item->isSelected()) {
    ctx_.prompts.Beep();
    busy.Restore();
    ctx_.prompts.Show("Select a Bettor to Delete");
    PlaySoundEffect(s, ctx_.waves, "start");
    return;
  }
  const int bettor = item->data(Qt::UserRole).toInt();
  const std::string name = item->text().toStdString();
  ctx_.prompts.Beep();
  busy.Restore();
  ctx_.prompts.Beep();
  MsgAnswer answer = ctx_.prompts.Ask(DeleteBettorQuestion(name, CountBettorEntries(s, bettor)),
                                      MsgButtons::YesNo, MsgIcon::Question);
  PlaySoundEffect(s, ctx_.waves, "start");
  s.SoundPlayed = 0;
  if (answer == MsgAnswer::Yes) {
    const bool entriesMoved = DeleteBettor(s, bettor) > 0;
    ++s.NumDeletedBettors;
    delete lstBettors->takeItem(lstBettors->row(item));
    lstBettors->clearSelection();
    if (entriesMoved) FormLoad();  // they are now listed under "Unknown Participant"
    s.PoolChanged = true;
    PlaySoundEffect(s, ctx_.waves, "whoosh");
  }
}

void frmSelectBettor::cmdCancel_Click() {
  PlaySoundEffect(ctx_.pool, ctx_.waves, "start");
  done(Rejected);
}

void frmSelectBettor::reject() {
  cmdCancel_Click();
}

void frmSelectBettor::closeEvent(QCloseEvent* event) {
  if (event->spontaneous()) ctx_.pool.SoundPlayed = 0;
  PlaySoundEffect(ctx_.pool, ctx_.waves, "start");
  event->accept();
}

void frmSelectBettor::cmdHelp_Click() {
  ShowWindowHelp(ctx_, kHelpContext, "frmSelectBettor");
}

}  // namespace qb
