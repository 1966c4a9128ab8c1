#include "entries/frmCopyEntry.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/prompts.h"
#include "core/sound_effects.h"
#include "entries/logic/entry_list.h"

namespace qb {

frmCopyEntry::frmCopyEntry(AppContext& ctx, int currentEntry, QWidget* parent)
    : QDialog(parent), ctx_(ctx) {
  setObjectName("frmCopyEntry");
  setWindowTitle("Copy Picks from another Entry");
  setModal(true);

  lstEntries = new QTreeWidget(this);
  lstEntries->setObjectName("lstEntries");
  lstEntries->setHeaderLabels({"Name", "Entry Nbr"});
  lstEntries->setRootIsDecorated(false);
  lstEntries->setSelectionMode(QAbstractItemView::SingleSelection);
  lstEntries->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  for (const EntryListItem& item : ListedEntries(ctx.pool, currentEntry)) {
    auto* row = new QTreeWidgetItem(lstEntries, {QString::fromStdString(item.Name),
                                                 QString::number(item.EntryNumber)});
    row->setData(0, Qt::UserRole, item.Index);
  }
  connect(lstEntries, &QTreeWidget::itemDoubleClicked, this, [this] { cmdOK_Click(); });

  cmdOK = new QPushButton("&Copy Picks", this);
  cmdOK->setObjectName("cmdOK");
  cmdOK->setToolTip("Copy the picks of the selected entry into the entry being edited.");
  cmdOK->setDefault(true);
  cmdCancel = new QPushButton("Cancel", this);
  cmdCancel->setObjectName("cmdCancel");
  cmdCancel->setToolTip("Close window without copying any picks.");
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Copy the picks of this entry:", this));
  layout->addWidget(lstEntries, 1);
  layout->addLayout(buttons);
  resize(360, 380);
  if (lstEntries->topLevelItemCount() > 0) lstEntries->setCurrentItem(lstEntries->topLevelItem(0));
  cmdOK->setEnabled(lstEntries->topLevelItemCount() > 0);
  lstEntries->setFocus();
}

void frmCopyEntry::SelectEntry(int entry) {
  for (int i = 0; i < lstEntries->topLevelItemCount(); ++i) {
    QTreeWidgetItem* row = lstEntries->topLevelItem(i);
    if (row->data(0, Qt::UserRole).toInt() == entry) lstEntries->setCurrentItem(row);
  }
}

void frmCopyEntry::cmdOK_Click() {
  QTreeWidgetItem* row = lstEntries->currentItem();
  if (!row) {
    ctx_.prompts.Beep();
    return;
  }
  chosen_ = row->data(0, Qt::UserRole).toInt();
  ctx_.pool.CopyFromEntry = static_cast<int16_t>(chosen_);
  accept();
}

void frmCopyEntry::cmdCancel_Click() {
  chosen_ = 0;
  PlaySoundEffect(ctx_.pool, ctx_.waves, "start");
  reject();
}

}  // namespace qb
