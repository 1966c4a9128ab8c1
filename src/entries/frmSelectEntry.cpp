#include "entries/frmSelectEntry.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <functional>

#include "core/payout.h"
#include "core/prompts.h"
#include "core/sound_effects.h"
#include "core/text_format.h"
#include "entries/entry_dialogs.h"
#include "entries/frmEditBettor.h"
#include "entries/frmEditEntry.h"
#include "entries/logic/entry_list.h"
#include "entries/logic/entry_save.h"
#include "platform/control_helpers.h"
#include "platform/main_window_api.h"
#include "platform/services.h"

namespace qb {

namespace {

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

// Every column as wide as its widest text, the names' column included (it
// takes what room is left), up to most of the screen.
void FitColumnsToTexts(QTreeWidget* list) {
  const int cols = list->columnCount();
  const QFontMetrics fm(list->font());
  const QFontMetrics heading(list->header()->font());
  const int pad = 2 * list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 10;
  std::vector<int> widest(static_cast<size_t>(cols), 0);
  for (int c = 0; c < cols; ++c)
    widest[c] = heading.horizontalAdvance(list->headerItem()->text(c)) + 6;
  // Laying out each of 32,767 names is slow: each is first estimated by the
  // widths of its letters, and only those near the widest are measured.
  std::array<int, 256> letter{};
  letter.fill(-1);
  auto estimate = [&](const QString& text) {
    int w = 0;
    for (QChar ch : text) {
      const ushort u = ch.unicode();
      if (u > 255) {
        w += fm.horizontalAdvance(ch);
      } else {
        if (letter[u] < 0) letter[u] = fm.horizontalAdvance(ch);
        w += letter[u];
      }
    }
    return w;
  };
  std::vector<std::pair<int, int>> names;  // estimate, row
  std::vector<int> longest(static_cast<size_t>(cols), 0), figures(static_cast<size_t>(cols), 0);
  for (int i = 0; i < list->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* row = list->topLevelItem(i);
    const int e = estimate(row->text(0));
    names.emplace_back(e, i);
    // Figures: measured only where they are longest (digits are of one width).
    for (int c = 1; c < cols; ++c) {
      const QString text = row->text(c);
      if (text.size() < longest[c]) continue;
      if (text.size() > longest[c]) figures[c] = 0;
      longest[c] = static_cast<int>(text.size());
      figures[c] = std::max(figures[c], fm.horizontalAdvance(text));
    }
  }
  for (int c = 1; c < cols; ++c) widest[c] = std::max(widest[c], figures[c]);
  // Widest estimate first; kerning moves a name by a few pixels at most.
  std::sort(names.begin(), names.end(), std::greater<>());
  int measured = 0;
  for (const auto& [e, i] : names) {
    if (e + 4 < measured) break;
    measured = std::max(measured, fm.horizontalAdvance(list->topLevelItem(i)->text(0)));
  }
  widest[0] = std::max(widest[0], measured);
  int total = 2 * list->frameWidth() + list->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  for (int c = 0; c < cols; ++c) {
    if (c > 0) list->setColumnWidth(c, widest[c] + pad);
    total += widest[c] + pad;
  }
  if (const QScreen* screen = list->screen())
    total = std::min(total, screen->availableGeometry().width() * 3 / 5);
  list->setMinimumWidth(std::max(total, 380));
}

}  // namespace

frmSelectEntry::frmSelectEntry(AppContext& ctx, QWidget* parent)
    : QDialog(parent), ctx_(ctx), dialogs_(&StandardEntryDialogs()) {
  setObjectName("frmSelectEntry");
  setWindowTitle("Select an Entry");
  setModal(true);

  lstEntries = new QTreeWidget(this);
  lstEntries->setObjectName("lstEntries");
  lstEntries->setHeaderLabels({"Name", "Entry Nbr", "Points", "Collected"});
  lstEntries->setRootIsDecorated(false);
  lstEntries->setSelectionMode(QAbstractItemView::SingleSelection);
  lstEntries->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  lstEntries->header()->setStretchLastSection(false);
  lstEntries->setMinimumSize(380, 300);
  // One line per entry: End, Home and type-to-find need not measure every row.
  lstEntries->setUniformRowHeights(true);
  lstEntries->installEventFilter(this);
  connect(lstEntries, &QTreeWidget::itemDoubleClicked, this, [this] { cmdEdit_Click(); });

  lblTotals = new QLabel(this);
  lblTotals->setObjectName("lblTotals");

  cmdNew = MakeButton(this, "cmdNew", "&New", "Add a new entry.", [this] { cmdNew_Click(); });
  cmdEdit = MakeButton(this, "cmdEdit", "&Edit", "Edit the picks of the selected entry.",
                       [this] { cmdEdit_Click(); });
  cmdDelete = MakeButton(this, "cmdDelete", "&Delete", "Delete the selected entry.",
                         [this] { cmdDelete_Click(); });
  cmdCancel =
      MakeButton(this, "cmdCancel", "Close", "Exit this window.", [this] { cmdCancel_Click(); });
  cmdHelp = MakeButton(this, "cmdHelp", "Help", "", [this] { cmdHelp_Click(); });
  // Enter edits the selected entry, as a double-click does.
  cmdEdit->setDefault(true);
  for (QPushButton* b : {cmdNew, cmdEdit, cmdDelete, cmdCancel, cmdHelp})
    b->installEventFilter(this);

  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {cmdNew, cmdEdit, cmdDelete, cmdCancel, cmdHelp}) buttons->addWidget(b);
  buttons->addStretch();
  auto* top = new QHBoxLayout;
  top->addWidget(lstEntries, 1);
  top->addLayout(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(lblTotals);

  setTabOrder(lstEntries, cmdNew);
  setTabOrder(cmdNew, cmdEdit);
  setTabOrder(cmdEdit, cmdDelete);
  setTabOrder(cmdDelete, cmdCancel);
  setTabOrder(cmdCancel, cmdHelp);
  installEventFilter(this);

  FormLoad();
  adjustSize();
  CenterFormInMain(this, ctx_.pool);
  lstEntries->setFocus();
}

void frmSelectEntry::FormLoad() {
  PoolState& s = ctx_.pool;
  const int keep = SelectedEntry() ? SelectedEntry() : s.CurrentEntry;
  lstEntries->clear();
  const std::vector<EntryListItem> items = ListedEntries(s);
  QList<QTreeWidgetItem*> rows;
  rows.reserve(static_cast<qsizetype>(items.size()));
  for (const EntryListItem& item : items) {
    auto* row = new QTreeWidgetItem({Q(item.Name), QString::number(item.EntryNumber),
                                     Q(FormatAmount(static_cast<double>(item.Points))),
                                     item.Collected ? "Yes" : "No"});
    row->setData(0, Qt::UserRole, item.Index);
    row->setTextAlignment(1, Qt::AlignRight);
    row->setTextAlignment(2, Qt::AlignRight);
    rows.append(row);
  }
  lstEntries->addTopLevelItems(rows);  // in one go: the view lays out once
  FitColumnsToTexts(lstEntries);
  SelectEntry(keep);
  if (!lstEntries->currentItem() && lstEntries->topLevelItemCount() > 0)
    lstEntries->setCurrentItem(lstEntries->topLevelItem(0));
  ComputeCollectedTotals(s);
  lblTotals->setText(QString("Entries: %1     Collected: %2     Owed: %3")
                         .arg(items.size())
                         .arg(Q(FormatMoney(s.CollectedTotal)))
                         .arg(Q(FormatMoney(s.OwedTotal))));
  const bool any = !items.empty();
  cmdEdit->setEnabled(any);
  cmdDelete->setEnabled(any);
}

void frmSelectEntry::SelectEntry(int entry) {
  for (int i = 0; i < lstEntries->topLevelItemCount(); ++i) {
    QTreeWidgetItem* row = lstEntries->topLevelItem(i);
    if (row->data(0, Qt::UserRole).toInt() == entry) {
      lstEntries->setCurrentItem(row);
      lstEntries->scrollToItem(row);
    }
  }
}

int frmSelectEntry::SelectedEntry() const {
  QTreeWidgetItem* row = lstEntries->currentItem();
  return row ? row->data(0, Qt::UserRole).toInt() : 0;
}

bool frmSelectEntry::EditorFree() {
  if (ctx_.pool.EditEntryNumber <= 0) return true;
  ctx_.prompts.Beep();
  ctx_.prompts.Show(kEntryAlreadyOpenText, MsgIcon::Information);
  return false;
}

void frmSelectEntry::cmdNew_Click() {
  PoolState& s = ctx_.pool;
  if (!EditorFree()) return;
  PlaySoundEffect(s, ctx_.waves, "start");
  const int e = AppendNewEntry(s);
  s.EditEntryNumber = static_cast<int16_t>(e);
  s.CurrentEntry = static_cast<int16_t>(e);
  s.NewEntryMode = true;
  s.CurrentBettor = 0;
  s.DialogCancelled = false;
  dialogs_->EntryHeader(ctx_, this);
  s.EditEntryNumber = 0;
  if (s.DialogCancelled) {
    // Cancel at the header: the entry never was.
    DiscardEntry(s, e);
    s.NewEntryMode = false;
    FormLoad();
    return;
  }
  // NewEntryMode stays set: the editor takes the entry as a new one.
  chosen_ = e;
  accept();
}

void frmSelectEntry::cmdEdit_Click() {
  PoolState& s = ctx_.pool;
  const int e = SelectedEntry();
  if (e == 0) {
    ctx_.prompts.Beep();
    ctx_.prompts.Show(kSelectEntryText);
    return;
  }
  if (!EditorFree()) return;
  PlaySoundEffect(s, ctx_.waves, "start");
  s.NewEntryMode = false;
  s.CurrentEntry = static_cast<int16_t>(e);
  chosen_ = e;
  accept();
}

void frmSelectEntry::cmdDelete_Click() {
  PoolState& s = ctx_.pool;
  const int e = SelectedEntry();
  if (e == 0) {
    ctx_.prompts.Beep();
    ctx_.prompts.Show(kSelectEntryToDeleteText);
    return;
  }
  if (e == s.EditEntryNumber) {
    ctx_.prompts.Beep();
    ctx_.prompts.Show(kEntryOpenInEditorText, MsgIcon::Information);
    return;
  }
  EntryListItem item;
  for (const EntryListItem& i : ListedEntries(s))
    if (i.Index == e) item = i;
  ctx_.prompts.Beep();
  const MsgAnswer a = ctx_.prompts.Ask("Delete the entry " + EntryLabel(item) + "?",
                                       MsgButtons::YesNo, MsgIcon::Question, 2);
  s.SoundPlayed = 0;
  if (a != MsgAnswer::Yes) {
    PlaySoundEffect(s, ctx_.waves, "start");
    return;
  }
  DeleteEntry(s, e);
  PlaySoundEffect(s, ctx_.waves, "whoosh");
  FormLoad();
}

void frmSelectEntry::cmdCancel_Click() {
  PlaySoundEffect(ctx_.pool, ctx_.waves, "start");
  chosen_ = 0;
  done(Rejected);
}

void frmSelectEntry::reject() {
  cmdCancel_Click();
}

void frmSelectEntry::closeEvent(QCloseEvent* event) {
  if (event->spontaneous()) ctx_.pool.SoundPlayed = 0;
  chosen_ = 0;
  event->accept();
}

void frmSelectEntry::cmdHelp_Click() {
  ShowWindowHelp(ctx_, kHelpContext, "frmSelectEntry");
}

bool frmSelectEntry::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress)
    ctx_.pool.SoundPlayed = 0;
  if (watched == lstEntries && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Delete) {
      cmdDelete_Click();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void RunSelectEntry(AppContext& ctx, QWidget* owner, EntryDialogs* dialogs) {
  frmSelectEntry dialog(ctx, owner);
  if (dialogs) dialog.SetDialogs(dialogs);
  dialog.exec();
  const int e = dialog.chosenEntry();
  if (e > 0) OpenEntryEditor(ctx, e, &dialog);
}

}  // namespace qb
