#include "bracket/frmParms.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDrag>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "core/payout.h"
#include "core/sound_effects.h"
#include "core/text_format.h"
#include "platform/child_window.h"
#include "platform/control_helpers.h"
#include "platform/error_report.h"
#include "platform/main_window_api.h"

namespace qb {

namespace {

constexpr const char* kDragFormat = "application/x-qb-parms-value";
constexpr const char* kArrayProperty = "qbArray";
constexpr const char* kIndexProperty = "qbIndex";
constexpr int kHelpContext = 20;

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

QString IndexedName(const char* name, int i) { return QString("%1(%2)").arg(name).arg(i); }

QLabel* Figure(QWidget* parent, const char* name) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  l->setFrameShape(QFrame::Panel);
  l->setFrameShadow(QFrame::Sunken);
  l->setMinimumWidth(100);
  l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return l;
}

QLineEdit* Box(QWidget* parent, const QString& name, const char* tip) {
  auto* b = new QLineEdit(parent);
  b->setObjectName(name);
  b->setToolTip(tip);
  return b;
}

}  // namespace

frmParms::frmParms(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
  setObjectName("frmParms");
  setWindowTitle("Tournament Pool Parameters");
  setModal(true);

  SSTab1 = new QTabWidget(this);
  SSTab1->setObjectName("SSTab1");
  auto* general = new QWidget;
  auto* scoring = new QWidget;
  auto* payout = new QWidget;
  BuildGeneralTab(general);
  BuildScoringTab(scoring);
  BuildPayoutTab(payout);
  SSTab1->addTab(general, "General Setup");
  SSTab1->addTab(scoring, "Scoring Setup");
  SSTab1->addTab(payout, "Payout Setup");

  cmdOK = new QPushButton("OK", this);
  cmdOK->setObjectName("cmdOK");
  cmdOK->setToolTip("Save changes to pool parameters and close window.");
  cmdOK->setDefault(true);
  cmdCancel = new QPushButton("Cancel", this);
  cmdCancel->setObjectName("cmdCancel");
  cmdCancel->setToolTip("Close window without saving changes.");
  cmdHelp = new QPushButton("Help", this);
  cmdHelp->setObjectName("cmdHelp");

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  buttons->addWidget(cmdHelp);
  auto* top = new QVBoxLayout(this);
  top->addWidget(SSTab1);
  top->addLayout(buttons);

  Connect();
  for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
  Form_Load();
  // The first keys typed go into the pool's name, not to the tabs.
  txtFileName->setFocus();
}

void frmParms::BuildGeneralTab(QWidget* page) {
  auto* grid = new QGridLayout(page);
  auto caption = [&](const char* text, int row) {
    grid->addWidget(new QLabel(text, page), row, 0);
  };
  txtFileName = Box(page, "txtFileName", "Enter the name of the tournament pool.");
  txtNbrTeams = Box(page, "txtNbrTeams",
                    "Enter the number of teams or players in the tournament.");
  txtNbrTeams->setMaximumWidth(80);
  txtCostShare = Box(page, "txtCostShare",
                     "The amount which goes into the pot for each entry in the jackpot.");
  txtCostShare->setMaximumWidth(120);
  caption("Pool Name:", 0);
  grid->addWidget(txtFileName, 0, 1, 1, 2);
  caption("Nbr of Teams/Players:", 1);
  grid->addWidget(txtNbrTeams, 1, 1);
  caption("Cost per Entry:", 2);
  grid->addWidget(txtCostShare, 2, 1);

  chkDual = new QCheckBox("Use Dual-Sided Brackets", page);
  chkDual->setObjectName("chkDual");
  chkDual->setToolTip("Check if you want to show brackets coming in from both sides.");
  chkRoundByRound = new QCheckBox("Enter Picks One Round at a Time", page);
  chkRoundByRound->setObjectName("chkRoundByRound");
  chkRoundByRound->setToolTip(
      "Check to allow entry round-by-round instead of all prior to the tournament.");
  chkRePair = new QCheckBox(
      "Teams are \"Re-Paired\" after first round (such as is done for Pro Football and Hockey "
      "playoffs))",
      page);
  chkRePair->setObjectName("chkRePair");
  chkRePair->setToolTip(
      "Check if pairings for later rounds could change based on results of earlier rounds.");
  grid->addWidget(chkDual, 3, 0, 1, 3);
  grid->addWidget(chkRoundByRound, 4, 0, 1, 3);
  grid->addWidget(chkRePair, 5, 0, 1, 3);

  fraTiebreaker = new QGroupBox("Tiebreaker?", page);
  fraTiebreaker->setObjectName("fraTiebreaker");
  fraTiebreaker->setToolTip("Indicates whether or not a tiebraker will be used.");
  optTiebreakerYes = new QRadioButton("Yes", fraTiebreaker);
  optTiebreakerYes->setObjectName("optTiebreakerYes");
  OptTiebreakerNo = new QRadioButton("No", fraTiebreaker);
  OptTiebreakerNo->setObjectName("OptTiebreakerNo");
  lblTiebreaker = new QLabel("Type:", fraTiebreaker);
  lblTiebreaker->setObjectName("lblTiebreaker");
  comTiebreakerType = new QComboBox(fraTiebreaker);
  comTiebreakerType->setObjectName("comTiebreakerType");
  comTiebreakerType->setEditable(true);
  comTiebreakerType->setInsertPolicy(QComboBox::NoInsert);
  comTiebreakerType->setToolTip("Choose the item on which a tiebreaker should be based.");
  comTiebreakerType->addItems(
      {"Actual Games Picked Correctly", "Points Final Game - Both Teams", "Points in Final - Winner"});
  comTiebreakerType->setMinimumContentsLength(28);
  auto* tb = new QGridLayout(fraTiebreaker);
  tb->addWidget(optTiebreakerYes, 0, 0);
  tb->addWidget(OptTiebreakerNo, 1, 0);
  tb->addWidget(lblTiebreaker, 0, 1, Qt::AlignRight);
  tb->addWidget(comTiebreakerType, 0, 2);
  tb->setColumnStretch(2, 1);
  grid->addWidget(fraTiebreaker, 6, 0, 1, 3);
  grid->setColumnStretch(2, 1);
  grid->setRowStretch(7, 1);
}

void frmParms::BuildScoringTab(QWidget* page) {
  // The frame stands behind the seed columns of the one grid, so each round's
  // boxes stay on one line whichever rows are hidden.
  auto* grid = new QGridLayout(page);
  auto* frame = new QGroupBox("Seeding Based Scoring Options by Round", page);
  frame->setObjectName("fraSeeding");
  grid->addWidget(frame, 0, 2, kMaxRounds + 3, 4);
  grid->setRowMinimumHeight(0, 22);
  grid->setColumnMinimumWidth(1, 110);
  grid->setColumnMinimumWidth(2, 8);
  grid->setColumnMinimumWidth(5, 8);

  auto* pointsHead = new QLabel("Points per game per round", page);
  pointsHead->setWordWrap(true);
  pointsHead->setAlignment(Qt::AlignCenter);
  pointsHead->setMaximumWidth(130);
  auto* methodHead = new QLabel("Seed Scoring Formula:", page);
  auto* factorHead = new QLabel("Multiply Seed Points By:", page);
  grid->addWidget(pointsHead, 0, 1, 2, 1, Qt::AlignBottom);
  grid->addWidget(methodHead, 1, 3, Qt::AlignBottom);
  grid->addWidget(factorHead, 1, 4, Qt::AlignBottom);

  for (int r = 1; r <= kMaxRounds; ++r) {
    const int row = r + 1;
    lblPoints[r] = new QLabel(QString("Round %1").arg(r), page);
    lblPoints[r]->setObjectName(IndexedName("lblPoints", r));
    txtPoints[r] = Box(page, IndexedName("txtPoints", r),
                       "Enter the number of points awarded each winning pick in each round.");
    txtPoints[r]->setMaximumWidth(80);
    comSeedMethod[r] = new QComboBox(page);
    comSeedMethod[r]->setObjectName(IndexedName("comSeedMethod", r));
    comSeedMethod[r]->setToolTip("Select a method for seed-based scoring.");
    txtSeedFactor[r] = Box(page, IndexedName("txtSeedFactor", r),
                           "Enter a 'factor' to apply against the seed points. ");
    txtSeedFactor[r]->setText("1.00");
    txtSeedFactor[r]->setMaximumWidth(80);
    for (QWidget* w : {static_cast<QWidget*>(txtPoints[r]), static_cast<QWidget*>(comSeedMethod[r]),
                       static_cast<QWidget*>(txtSeedFactor[r])}) {
      w->setAcceptDrops(true);
      w->setProperty(kIndexProperty, r);
    }
    txtPoints[r]->setProperty(kArrayProperty, "txtPoints");
    comSeedMethod[r]->setProperty(kArrayProperty, "comSeedMethod");
    txtSeedFactor[r]->setProperty(kArrayProperty, "txtSeedFactor");
    grid->addWidget(lblPoints[r], row, 0);
    grid->addWidget(txtPoints[r], row, 1);
    grid->addWidget(comSeedMethod[r], row, 3);
    grid->addWidget(txtSeedFactor[r], row, 4, Qt::AlignLeft);
  }
  grid->setRowMinimumHeight(kMaxRounds + 2, 8);
  grid->setRowStretch(kMaxRounds + 3, 1);
  grid->setColumnStretch(6, 1);
  frame->lower();
}

void frmParms::BuildPayoutTab(QWidget* page) {
  auto* grid = new QGridLayout(page);
  grid->addWidget(new QLabel("Percent of Pot", page), 0, 1);
  grid->addWidget(new QLabel("Payout Amount", page), 0, 2);
  for (int i = 0; i <= kPayoutPlaces; ++i) {
    const int row = i == 0 ? kPayoutPlaces + 1 : i;  // the booby prize last
    const QString place = i == 0 ? QString("Booby") : Q(Trim(OrdinalText(i)));
    grid->addWidget(new QLabel(place, page), row, 0);
    txtPctPot[i] = Box(page, IndexedName("txtPctPot", i),
                       "Enter the percent of the pot given to each position.");
    txtPctPot[i]->setMaximumWidth(80);
    lblFlatAmt[i] = Figure(page, "");
    lblFlatAmt[i]->setObjectName(IndexedName("lblFlatAmt", i));
    grid->addWidget(txtPctPot[i], row, 1);
    grid->addWidget(lblFlatAmt[i], row, 2);
  }
  int row = kPayoutPlaces + 2;
  grid->addWidget(new QLabel("Percent Unallocated:", page), row, 0);
  lblPctUnalloc = Figure(page, "lblPctUnalloc");
  grid->addWidget(lblPctUnalloc, row++, 1);
  grid->addWidget(new QLabel("Total Unallocated:", page), row, 0);
  lblTotalUnalloc = Figure(page, "lblTotalUnalloc");
  grid->addWidget(lblTotalUnalloc, row++, 2);

  txtHoldbackAmt = Box(page, "txtHoldbackAmt", "Enter the amount not distributed to the winners.");
  txtHoldbackAmt->setMaximumWidth(120);
  auto* rounding = new QGroupBox("Round Payout to:", page);
  rounding->setObjectName("fraRounding");
  rounding->setToolTip("Indicates to what fraction the winnings will be calculated.");
  optRoundTo10 = new QRadioButton("10.00", rounding);
  optRoundTo10->setObjectName("optRoundTo10");
  optRoundTo1 = new QRadioButton("1.00", rounding);
  optRoundTo1->setObjectName("optRoundTo1");
  optRoundTo010 = new QRadioButton(".10", rounding);
  optRoundTo010->setObjectName("optRoundTo010");
  optRoundTo001 = new QRadioButton(".01", rounding);
  optRoundTo001->setObjectName("optRoundTo001");
  auto* rl = new QVBoxLayout(rounding);
  for (QRadioButton* b : {optRoundTo10, optRoundTo1, optRoundTo010, optRoundTo001})
    rl->addWidget(b);

  auto* side = new QGridLayout;
  side->addWidget(new QLabel("Holdback Amount:", page), 0, 0);
  side->addWidget(txtHoldbackAmt, 0, 1);
  side->addWidget(rounding, 1, 0, 1, 2);
  side->addWidget(new QLabel("Total Pot:", page), 2, 0);
  lblTotPot = Figure(page, "lblTotPot");
  side->addWidget(lblTotPot, 2, 1);
  side->addWidget(new QLabel("Entries:", page), 3, 0);
  lblTotEntries = Figure(page, "lblTotEntries");
  side->addWidget(lblTotEntries, 3, 1);
  side->setRowStretch(4, 1);
  grid->setColumnMinimumWidth(3, 24);
  grid->addLayout(side, 0, 4, row, 1);
  grid->setRowStretch(row, 1);
  grid->setColumnStretch(5, 1);
}

void frmParms::Connect() {
  auto onEdit = [this](QLineEdit* box, auto extra) {
    connect(box, &QLineEdit::textChanged, this, [this, extra] {
      if (loading_) return;
      MarkChanged();
      extra();
    });
  };
  auto nothing = [] {};
  onEdit(txtFileName, nothing);
  onEdit(txtNbrTeams, [this] { teamsTextChanged_ = true; });
  // The figures follow the cost being typed, not the stored one.
  onEdit(txtCostShare, [this] { RecalculatePayouts(); });
  for (int r = 1; r <= kMaxRounds; ++r) {
    onEdit(txtPoints[r], nothing);
    onEdit(txtSeedFactor[r], nothing);
    connect(comSeedMethod[r], &QComboBox::activated, this, [this, r] { comSeedMethod_Click(r); });
  }
  for (int i = 0; i <= kPayoutPlaces; ++i) onEdit(txtPctPot[i], [this] { RecalculatePayouts(); });
  onEdit(txtHoldbackAmt, [this] { RecalculatePayouts(); });

  // Typed or chosen from the list, a new tiebreaker type is a change to keep.
  connect(comTiebreakerType, &QComboBox::currentTextChanged, this, [this] {
    if (!loading_) MarkChanged();
  });
  connect(comTiebreakerType, &QComboBox::activated, this, [this] {
    if (!loading_) Sound("start");
  });

  connect(chkDual, &QCheckBox::toggled, this, [this] {
    if (!loading_) chkDual_Click();
  });
  for (QCheckBox* box : {chkRoundByRound, chkRePair}) {
    connect(box, &QCheckBox::toggled, this, [this] {
      if (loading_) return;
      MarkChanged();
      Sound("start");
    });
  }
  connect(optTiebreakerYes, &QRadioButton::toggled, this, [this] {
    if (loading_) return;
    ShowTiebreakerType();
    MarkChanged();
    Sound("start");
  });
  const std::pair<QRadioButton*, int16_t> rounding[] = {
      {optRoundTo10, 1}, {optRoundTo1, 0}, {optRoundTo010, -1}, {optRoundTo001, -2}};
  for (auto [button, value] : rounding) {
    connect(button, &QRadioButton::toggled, this, [this, value](bool on) {
      if (loading_ || !on) return;
      roundingChoice_ = value;
      RecalculatePayouts();
      MarkChanged();
      Sound("start");
    });
  }

  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  connect(cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
}

void frmParms::Form_Load() {
  PoolState& s = ctx_.pool;
  const PoolHeader& p = s.Pool;
  s.SoundPlayed = 1;  // loading plays no sound
  loading_ = true;

  SSTab1->setCurrentIndex(0);
  txtCostShare->setText(Q(NumberText(p.CostPerEntry.ToDouble())));
  txtNbrTeams->setText(Q(Str(p.NumTeams)));
  txtFileName->setText(Q(p.PoolName));

  chkDual->setChecked(p.DualSided);
  chkRoundByRound->setChecked(p.RoundByRound);
  chkRePair->setChecked(p.RePair);

  for (int i = 0; i <= kPayoutPlaces; ++i) {
    txtPctPot[i]->setText(Q(NumberText(p.PayoutPct[i])));
    shownAmounts_[i] = s.PayoutAmt[i];
    lblFlatAmt[i]->setText(Q(NumberText(s.PayoutAmt[i].ToDouble())));
  }
  txtHoldbackAmt->setText(Q(NumberText(p.HoldbackAmt.ToDouble())));

  SetRounding(p.PayoutRounding);

  optTiebreakerYes->setChecked(p.TiebreakerUsed);
  OptTiebreakerNo->setChecked(!p.TiebreakerUsed);
  comTiebreakerType->setEditText(Q(p.TiebreakerType));
  ShowTiebreakerType();

  for (int r = 1; r <= kMaxRounds; ++r) {
    QComboBox* combo = comSeedMethod[r];
    combo->clear();
    for (int m = 0; m <= 5; ++m) combo->addItem(Q(s.SeedMethodChoice[m]), m);
    const float method = p.SeedMethod[r];
    const bool known = method >= 0 && method <= 5 && method == static_cast<int>(method);
    if (!known || FindComboItemData(combo, static_cast<int>(method)) < 0)
      combo->setCurrentIndex(0);
    txtPoints[r]->setText(Q(Str(p.RoundPoints[r])));
    txtSeedFactor[r]->setText(Q(NumberText(p.SeedFactor[r])));
  }

  lblTotPot->setText(Q(NumberText(ComputePot(s).ToDouble())));
  lblTotEntries->setText(QString::number(s.NumEntries - s.NumDeletedEntries));
  roundCount_ = s.NumRounds;
  ShowRoundRows();

  txtNbrTeams->setEnabled(s.NumEntries == 0 && !BracketWindowsLoaded());
  RecalculatePayouts();

  loading_ = false;
  changed_ = false;
  teamsTextChanged_ = false;
}

void frmParms::SetRounding(int16_t choice) {
  roundingChoice_ = choice;
  const std::pair<QRadioButton*, int16_t> buttons[] = {
      {optRoundTo10, 1}, {optRoundTo1, 0}, {optRoundTo010, -1}, {optRoundTo001, -2}};
  // Another stored value leaves every button clear.
  for (auto [button, value] : buttons) button->setAutoExclusive(false);
  for (auto [button, value] : buttons) button->setChecked(value == choice);
  for (auto [button, value] : buttons) button->setAutoExclusive(true);
}

void frmParms::ShowRoundRows() {
  for (int r = 1; r <= kMaxRounds; ++r) {
    const bool inBracket = r <= roundCount_;
    txtPoints[r]->setVisible(inBracket);
    lblPoints[r]->setVisible(inBracket);
    comSeedMethod[r]->setVisible(inBracket);
    txtSeedFactor[r]->setVisible(inBracket && comSeedMethod[r]->currentIndex() > 0);
  }
}

void frmParms::ShowTiebreakerType() {
  const bool used = optTiebreakerYes->isChecked();
  lblTiebreaker->setVisible(used);
  comTiebreakerType->setVisible(used);
}

void frmParms::RecalculatePayouts() {
  std::array<float, kPayoutPlaces + 1> pct{};
  for (int i = 0; i <= kPayoutPlaces; ++i) pct[i] = ReadPercent(S(txtPctPot[i]->text()));
  const PayoutFigures f =
      ComputePayoutFigures(ctx_.pool, pct, ReadAmount(S(txtHoldbackAmt->text())), roundingChoice_,
                           ReadAmount(S(txtCostShare->text())));
  for (int i = 0; i <= kPayoutPlaces; ++i) {
    shownAmounts_[i] = f.Amounts[i];
    lblFlatAmt[i]->setText(Q(Str(f.Amounts[i].ToDouble())));
  }
  lblTotalUnalloc->setText(Q(Str(f.TotalUnallocated.ToDouble())));
  lblPctUnalloc->setText(Q(NumberText(f.PctUnallocated)));
  lblTotPot->setText(Q(NumberText(f.Pot.ToDouble())));
}

void frmParms::MarkChanged() { changed_ = true; }

void frmParms::Sound(const char* name) { PlaySoundEffect(ctx_.pool, ctx_.waves, name); }

bool frmParms::BracketWindowsLoaded() const {
  // Their boxes follow the slots of the bracket as it is; another team count
  // would leave them working on slots that have no box.
  for (QWidget* w : QApplication::allWidgets()) {
    auto* child = qobject_cast<ChildWindow*>(w);
    if (!child) continue;
    const std::string name = child->windowName();
    if (name == "frmSetup" || name == "frmEnterResults") return true;
  }
  return false;
}

void frmParms::Form_GotFocus() {
  PoolState& s = ctx_.pool;
  txtNbrTeams->setEnabled(s.NumEntries == s.NumDeletedEntries && !BracketWindowsLoaded());
}

void frmParms::txtNbrTeams_LostFocus() {
  if (checkingTeams_) return;
  checkingTeams_ = true;
  const double n = Val(S(txtNbrTeams->text()));
  const int rounds = RoundsForTeamCount(n);
  if (rounds == 0) {
    ctx_.prompts.Beep();
    ctx_.prompts.Show(kTeamCountRangeMessage, MsgIcon::Exclamation);
    SSTab1->setCurrentIndex(0);
    txtNbrTeams->setFocus();
    checkingTeams_ = false;
    return;
  }
  roundCount_ = rounds;
  // The box only; OK stores the option with the rest.
  switch (DualSidedForTeamCount(n, teamsTextChanged_)) {
    case DualSidedChange::Clear: chkDual->setChecked(false); break;
    case DualSidedChange::Set: chkDual->setChecked(true); break;
    case DualSidedChange::Keep: break;
  }
  teamsTextChanged_ = false;
  ShowRoundRows();
  checkingTeams_ = false;
}

void frmParms::chkDual_Click() {
  MarkChanged();
  if (chkDual->isChecked() && !DualSidedAllowed(Val(S(txtNbrTeams->text())))) {
    ctx_.prompts.Beep();
    ctx_.pool.SoundPlayed = 1;  // no click sound for the box clearing itself
    chkDual->setChecked(false);
    return;
  }
  Sound("start");
}

void frmParms::comSeedMethod_Click(int r) {
  (void)r;
  MarkChanged();
  Sound("start");
  ShowRoundRows();
}

ParmsEdit frmParms::ReadEdit() const {
  ParmsEdit e;
  e.PoolName = S(txtFileName->text());
  e.Teams = Val(S(txtNbrTeams->text()));
  e.CostPerEntry = ReadAmount(S(txtCostShare->text()));
  for (int i = 0; i <= kPayoutPlaces; ++i) {
    e.PayoutPct[i] = ReadPercent(S(txtPctPot[i]->text()));
    e.PayoutAmt[i] = shownAmounts_[i];
  }
  e.HoldbackAmt = ReadAmount(S(txtHoldbackAmt->text()));
  e.PayoutRounding = roundingChoice_;
  e.TiebreakerUsed = optTiebreakerYes->isChecked();
  e.TiebreakerType = S(comTiebreakerType->currentText());
  for (int r = 1; r <= kMaxRounds; ++r) {
    e.RoundPoints[r] = ReadSingle(S(txtPoints[r]->text()));
    e.SeedFactor[r] = ReadSingle(S(txtSeedFactor[r]->text()));
    const int index = comSeedMethod[r]->currentIndex();
    e.SeedMethod[r] = index < 0 ? -1 : comSeedMethod[r]->itemData(index).toInt();
  }
  e.DualSided = chkDual->isChecked();
  e.RoundByRound = chkRoundByRound->isChecked();
  e.RePair = chkRePair->isChecked();
  return e;
}

bool frmParms::RunOk() {
  const ParmsEdit e = ReadEdit();
  switch (RunParmsOk(ctx_.pool, ctx_.prompts, ctx_.random, e, changed_, answer_)) {
    case ParmsOkOutcome::Refused:
      SSTab1->setCurrentIndex(0);
      txtNbrTeams->setFocus();
      return false;
    case ParmsOkOutcome::Cancelled:
      return false;
    case ParmsOkOutcome::NotStored:
      Sound(changed_ ? "camera" : "drcls3");
      done(Rejected);
      return true;
    case ParmsOkOutcome::Stored:
      Sound(changed_ ? "camera" : "drcls3");
      done(Accepted);
      return true;
  }
  return false;
}

void frmParms::cmdOK_Click() { RunOk(); }

void frmParms::cmdCancel_Click() { reject(); }

void frmParms::cmdHelp_Click() {
  if (ctx_.main) {
    ctx_.main->DisplayContextHelp(kHelpFile, kHelpContext, "frmParms");
  } else {
    ctx_.help.ShowTopic(kHelpFile, kHelpContext, "frmParms");
  }
}

bool frmParms::CloseCheck() {
  const MsgAnswer a = AskKeepChanges(ctx_.prompts, changed_);
  if (a == MsgAnswer::Cancel) {
    ctx_.pool.DialogCancelled = true;
    Sound("start");
    return false;
  }
  if (a == MsgAnswer::Yes) {
    // OK closes the dialog itself; refused or cancelled, the edits stay.
    RunOk();
    return false;
  }
  Sound(changed_ ? "whoosh" : "drcls3");
  return true;
}

void frmParms::reject() {
  if (CloseCheck()) QDialog::reject();
}

void frmParms::closeEvent(QCloseEvent* e) {
  ctx_.pool.SoundPlayed = 0;
  QDialog::closeEvent(e);
}

bool frmParms::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) Form_GotFocus();
  return QDialog::event(e);
}

QMimeData* frmParms::DragDataFor(QWidget* source) const {
  auto* data = new QMimeData;
  const QString array = source->property(kArrayProperty).toString();
  const int index = source->property(kIndexProperty).toInt();
  data->setData(kDragFormat, QString("%1:%2").arg(array).arg(index).toUtf8());
  return data;
}

bool frmParms::DropOnto(QWidget* target, const QMimeData* data) {
  if (!target || !data || !data->hasFormat(kDragFormat)) return false;
  const QStringList parts = QString::fromUtf8(data->data(kDragFormat)).split(':');
  if (parts.size() != 2) return false;
  const QString array = parts[0];
  const int index = parts[1].toInt();
  if (index < 1 || index > kMaxRounds) return false;
  const QString targetArray = target->property(kArrayProperty).toString();
  if (targetArray.isEmpty()) return false;
  if (array != targetArray) {
    ctx_.prompts.Beep();
    return true;
  }
  if (array == "comSeedMethod") {
    auto* combo = qobject_cast<QComboBox*>(target);
    if (combo && DropCopyComboText(ctx_.prompts, combo, comSeedMethod[index], true)) {
      MarkChanged();
      ShowRoundRows();
      Sound("claves");
    }
    return true;
  }
  QLineEdit* source = array == "txtPoints" ? txtPoints[index] : txtSeedFactor[index];
  auto* box = qobject_cast<QLineEdit*>(target);
  // The copied text marks the dialog changed through the box's own edit.
  if (box && DropCopyText(ctx_.prompts, box, source, true)) Sound("claves");
  return true;
}

void frmParms::StartDrag(QWidget* source) {
  auto* drag = new QDrag(source);
  drag->setMimeData(DragDataFor(source));
  drag->exec(Qt::CopyAction);
}

bool frmParms::eventFilter(QObject* watched, QEvent* e) {
  auto* w = qobject_cast<QWidget*>(watched);
  const bool draggable = w && w->property(kArrayProperty).isValid();
  switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
      ctx_.pool.SoundPlayed = 0;
      break;
    default:
      break;
  }
  if (draggable) {
    auto* combo = qobject_cast<QComboBox*>(w);
    switch (e->type()) {
      case QEvent::MouseButtonPress: {
        auto* m = static_cast<QMouseEvent*>(e);
        if (m->button() == Qt::LeftButton) {
          dragStart_ = m->position().toPoint();
          dragSource_ = w;
          // A press on a list box waits: a drag copies its choice, a click opens it.
          if (combo) {
            combo->setFocus(Qt::MouseFocusReason);
            return true;
          }
        }
        break;
      }
      case QEvent::MouseMove: {
        auto* m = static_cast<QMouseEvent*>(e);
        if (dragSource_ == w && (m->buttons() & Qt::LeftButton) &&
            (m->position().toPoint() - dragStart_).manhattanLength() >=
                QApplication::startDragDistance()) {
          dragSource_ = nullptr;
          StartDrag(w);
          return true;
        }
        break;
      }
      case QEvent::MouseButtonRelease:
        if (combo && dragSource_ == w) {
          dragSource_ = nullptr;
          combo->showPopup();
          return true;
        }
        dragSource_ = nullptr;
        break;
      case QEvent::DragEnter:
      case QEvent::DragMove: {
        auto* d = static_cast<QDragMoveEvent*>(e);
        if (d->mimeData()->hasFormat(kDragFormat)) {
          d->acceptProposedAction();
          return true;
        }
        break;
      }
      case QEvent::Drop: {
        auto* d = static_cast<QDropEvent*>(e);
        if (d->mimeData()->hasFormat(kDragFormat)) {
          DropOnto(w, d->mimeData());
          d->acceptProposedAction();
          return true;
        }
        break;
      }
      default:
        break;
    }
  }
  if (e->type() == QEvent::FocusIn) {
    if (auto* box = qobject_cast<QLineEdit*>(w)) {
      // After the click that gave the focus has placed the caret.
      QTimer::singleShot(0, box, [box] { SelectAllText(box); });
    }
  }
  if (e->type() == QEvent::FocusOut && w == txtNbrTeams && !loading_) {
    const auto reason = static_cast<QFocusEvent*>(e)->reason();
    const bool windowSwitch =
        reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
    // Going for Cancel should not be held up by the box's check.
    const bool toCancel = QApplication::focusWidget() == cmdCancel;
    if (!windowSwitch && !toCancel && isVisible()) txtNbrTeams_LostFocus();
  }
  return QDialog::eventFilter(watched, e);
}

}  // namespace qb
