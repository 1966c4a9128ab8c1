#include "entries/frmImportEntries.h"

#include <QScreen>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/prompts.h"
#include "core/sound_effects.h"
#include "core/text_format.h"
#include "entries/frmEditBettor.h"
#include "entries/frmImportBettors.h"
#include "entries/logic/entry_list.h"
#include "platform/control_helpers.h"
#include "platform/grid_view.h"
#include "platform/main_window_api.h"
#include "platform/twips.h"

namespace qb {

namespace {

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

constexpr int kColName = 0, kColAccept = 1, kColReplace = 2, kColUnused = 3, kColTiebreaker = 4,
              kColMissing = 5, kColCollected = 6;

constexpr const char* kCanceled = "Import canceled.  Please click on Close to continue.";

}  // namespace

frmImportEntries::frmImportEntries(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
  setObjectName("frmImportEntries");
  setWindowTitle("Summary of Entries to be Imported");
  setModal(true);

  lblInstructions = new QLabel(this);
  lblInstructions->setObjectName("lblInstructions");
  lblInstructions->setWordWrap(true);

  flxImports = new GridView(this);
  flxImports->setObjectName("flxImports");
  flxImports->setMinimumSize(TwipsToPixels(QSize(7000, 3600)));
  flxImports->installEventFilter(this);
  connect(flxImports, &GridView::Click, this, [this] {
    if (flxImports->MouseRow() < 1 || flxImports->MouseCol() < 0) return;
    flxImports_Click();
  });
  Grid& g = flxImports->grid();
  g.SetCols(7);
  g.SetRows(1);
  g.SetFixedRows(1);
  g.SetFixedCols(0);
  const char* headers[] = {"Name / Entry Nbr", "Accept / Reject", "New / Replace",
                           "Not used anymore", "Tie- breaker?",   "Missing Picks",
                           "Collected?"};
  // The column nothing fills any more stays out of sight.
  const int widths[] = {2400, 1000, 1000, 0, 1000, 1000, 1200};
  for (int c = 0; c < 7; ++c) {
    g.SetTextMatrix(0, c, headers[c]);
    g.SetColWidth(c, widths[c]);
    g.SetCellAlignmentAt(0, c, flexAlignCenterCenter);
  }
  g.SetRowHeight(0, 450);

  auto makeTotal = [this](const char* name) {
    auto* l = new QLabel(this);
    l->setObjectName(name);
    l->setMinimumWidth(TwipsToPixels(900));
    return l;
  };
  lblRejectedTotal = makeTotal("lblRejectedTotal");
  lblReplaceTotal = makeTotal("lblReplaceTotal");
  lblNewTotal = makeTotal("lblNewTotal");
  lblCollectedTotal = makeTotal("lblCollectedTotal");
  lblCostTotal = makeTotal("lblCostTotal");
  lblCollectedAmount = makeTotal("lblCollectedAmount");
  auto* totals = new QGridLayout;
  const std::pair<const char*, QLabel*> figures[] = {{"Rejected:", lblRejectedTotal},
                                                     {"Replacing:", lblReplaceTotal},
                                                     {"New:", lblNewTotal},
                                                     {"Collected:", lblCollectedTotal},
                                                     {"Cost of entries:", lblCostTotal},
                                                     {"Amount collected:", lblCollectedAmount}};
  for (int i = 0; i < 6; ++i) {
    const int row = i < 4 ? 0 : 1, col = (i % 4) * 2;
    totals->addWidget(new QLabel(figures[i].first, this), row, col);
    totals->addWidget(figures[i].second, row, col + 1);
  }
  totals->setColumnStretch(8, 1);

  cmdMarkCollected = MakeButton(this, "cmdMarkCollected", "Mark all collected", "",
                                [this] { cmdMarkCollected_Click(); });
  cmdMarkNotCollected = MakeButton(this, "cmdMarkNotCollected", "Mark all not collected", "",
                                   [this] { cmdMarkNotCollected_Click(); });
  cmdOK = MakeButton(this, "cmdOK", "OK", "", [this] { cmdOK_Click(); });
  cmdCancel = MakeButton(this, "cmdCancel", "Cancel", "", [this] { cmdCancel_Click(); });
  cmdHelp = MakeButton(this, "cmdHelp", "Help", "", [this] { cmdHelp_Click(); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdMarkCollected);
  buttons->addWidget(cmdMarkNotCollected);
  buttons->addStretch();
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  buttons->addWidget(cmdHelp);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblInstructions);
  layout->addWidget(flxImports, 1);
  layout->addLayout(totals);
  layout->addLayout(buttons);
  ClearSoundPlayedOnInput(this, ctx_.pool);

  FormLoad();
}

void frmImportEntries::FormLoad() {
  PoolState& s = ctx_.pool;
  s.DialogCancelled = true;
  s.LoadErrors.clear();
  s.NumLoadErrors = 0;
  ClearImportPool(s);
  s.ImportBettorsBase = 0;

  // With no file at all the first read says so.
  const int files = std::max<int>(1, static_cast<int>(s.ImportFileList.size()));
  bool read = true;
  for (int i = 0; i < files && read; ++i) read = ReadImportFile(s, i, ctx_.prompts);
  if (read && s.NumLoadErrors > 0) read = ShowLoadErrorList();

  Grid& g = flxImports->grid();
  if (!read) {
    // Nothing of a stopped import is offered.
    rows_.clear();
    g.SetRows(2);
    // One cell across the row.
    for (int c = 0; c < g.Cols(); ++c) g.SetTextMatrix(1, c, kCanceled);
    g.SetMergeCells(flexMergeFree);
    g.SetMergeRow(1, true);
    lblInstructions->setText(kCanceled);
    cmdOK->setEnabled(false);
    cmdMarkCollected->setEnabled(false);
    cmdMarkNotCollected->setEnabled(false);
    cmdCancel->setText("Close");
    cmdCancel->setDefault(true);
  } else {
    rows_ = FillImportRows(s);
    g.SetRows(1 + static_cast<int>(rows_.size()));
    for (int r = 1; r < g.Rows(); ++r) ShowRow(r);
    if (!rows_.empty()) {
      g.SetRow(1);
      g.SetCol(kColAccept);
    }
    lblInstructions->setText(
        "Click on the 'Reject/Accept', 'New/Replace', or 'Collected?' cells to toggle those "
        "values.");
    cmdOK->setDefault(true);
    // Each column as wide as what it shows or may come to show.
    flxImports->FitColumnToTexts(kColName);
    flxImports->FitColumnToTexts(kColAccept, {"Accept", "Reject"});
    flxImports->FitColumnToTexts(kColReplace, {"New", "Replace"});
    flxImports->FitColumnToTexts(kColCollected, {"Yes", "No", "Previously", "Unknown"});
    flxImports->setMinimumWidth(
        std::min(flxImports->ColumnsWidth(), flxImports->screen()->availableGeometry().width() * 4 / 5));
  }
  flxImports->RefreshLayout();
  ShowTotals();
  resize(sizeHint().expandedTo(TwipsToPixels(QSize(9000, 6000))));
}

bool frmImportEntries::ShowLoadErrorList() {
  PoolState& s = ctx_.pool;
  if (ctx_.main) {
    // The load-error list window lists LoadErrors and answers in DialogCancelled.
    s.DialogCancelled = false;
    ctx_.main->ShowWindowByName("frmErrors");
    const bool goOn = !s.DialogCancelled;
    s.DialogCancelled = true;
    return goOn;
  }
  std::string text;
  for (size_t i = 0; i < s.LoadErrors.size() && i < 30; ++i) text += s.LoadErrors[i] + "\n";
  if (s.LoadErrors.size() > 30) text += "...\n";
  text += "\nImport the entries anyway?";
  ctx_.prompts.Beep();
  return ctx_.prompts.Ask(text, MsgButtons::OKCancel, MsgIcon::Exclamation) == MsgAnswer::OK;
}

void frmImportEntries::ShowRow(int r) {
  const ImportEntryRow& row = rows_.at(r - 1);
  Grid& g = flxImports->grid();
  g.SetTextMatrix(r, kColName, row.nameEntry);
  g.SetTextMatrix(r, kColAccept, row.accept);
  g.SetTextMatrix(r, kColReplace, row.replace);
  g.SetTextMatrix(r, kColUnused, "");
  g.SetTextMatrix(r, kColTiebreaker, row.tiebreaker);
  g.SetTextMatrix(r, kColMissing, std::to_string(row.missingPicks));
  g.SetTextMatrix(r, kColCollected, row.collected);
  for (int c = kColAccept; c <= kColCollected; ++c)
    g.SetCellAlignmentAt(r, c, flexAlignCenterCenter);
}

void frmImportEntries::ShowTotals() {
  const ImportTotals t = UpdateImportTotals(ctx_.pool, rows_);
  lblRejectedTotal->setText(QString::number(t.rejected));
  lblReplaceTotal->setText(QString::number(t.replacing));
  lblNewTotal->setText(QString::number(t.added));
  lblCollectedTotal->setText(QString::number(t.collected));
  lblCostTotal->setText(Q(FormatMoney(t.cost)));
  lblCollectedAmount->setText(Q(FormatMoney(t.collectedAmount)));
}

void frmImportEntries::Refuse(const std::string& message) {
  ctx_.prompts.Beep();
  ctx_.prompts.Show(message, MsgIcon::Exclamation);
}

void frmImportEntries::flxImports_Click() {
  PlaySoundEffect(ctx_.pool, ctx_.waves, "start");
  const Grid& g = flxImports->grid();
  const int r = g.Row(), c = g.Col();
  if (r < 1 || r > static_cast<int>(rows_.size())) return;
  ImportEntryRow& row = rows_[r - 1];
  std::string refused;
  if (c == kColAccept)
    ClickImportAccept(row);
  else if (c == kColReplace)
    refused = ClickImportReplace(ctx_.pool, row);
  else if (c == kColCollected)
    refused = ClickImportCollected(row);
  else
    return;
  ShowRow(r);
  ShowTotals();
  if (!refused.empty()) Refuse(refused);
}

bool frmImportEntries::eventFilter(QObject* watched, QEvent* event) {
  // The space bar toggles the current cell, as a click does.
  if (watched == flxImports && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
    flxImports_Click();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void frmImportEntries::cmdMarkCollected_Click() {
  PlaySoundEffect(ctx_.pool, ctx_.waves, "start");
  MarkAllImportCollected(rows_, true);
  for (int r = 1; r <= static_cast<int>(rows_.size()); ++r) ShowRow(r);
  ShowTotals();
}

void frmImportEntries::cmdMarkNotCollected_Click() {
  PlaySoundEffect(ctx_.pool, ctx_.waves, "start");
  MarkAllImportCollected(rows_, false);
  for (int r = 1; r <= static_cast<int>(rows_.size()); ++r) ShowRow(r);
  ShowTotals();
}

void frmImportEntries::cmdOK_Click() {
  PoolState& s = ctx_.pool;
  if (!AnyImportAccepted(rows_)) return Refuse("There are no Entries in the file to import!");
  if (std::string why = CheckImportRows(s, rows_); !why.empty()) return Refuse(why);

  // The participants first, so every entry finds its participant.
  MarkImportParticipants(s, rows_);
  s.BettorImportFromEntries = true;
  {
    frmImportBettors bettors(ctx_, this);
    bettors.exec();
  }
  s.BettorImportFromEntries = false;
  if (s.DialogCancelled) return;  // nothing added; the rows stay for another try

  ApplyImportRows(s, rows_);
  KeepPayoutAmountsCurrent(s);
  s.SoundPlayed = 0;
  PlaySoundEffect(s, ctx_.waves, "slurp");
  ctx_.prompts.Show("Entries imported successfully");
  s.PoolChanged = true;
  s.DialogCancelled = false;
  done(Accepted);
}

void frmImportEntries::cmdCancel_Click() {
  done(Rejected);
}

void frmImportEntries::reject() {
  cmdCancel_Click();
}

void frmImportEntries::done(int result) {
  if (result != Accepted) ctx_.pool.DialogCancelled = true;
  PlaySoundEffect(ctx_.pool, ctx_.waves, "whoosh");
  QDialog::done(result);
}

void frmImportEntries::cmdHelp_Click() {
  ShowWindowHelp(ctx_, kHelpContext, "frmImportEntries");
}

}  // namespace qb
