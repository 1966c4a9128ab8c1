#include "entries/frmEditEntry.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>

#include "core/payout.h"
#include "core/prompts.h"
#include "core/sound_effects.h"
#include "core/text_format.h"
#include "entries/entry_dialogs.h"
#include "entries/logic/editor_layout.h"
#include "entries/logic/entry_save.h"
#include "platform/control_helpers.h"
#include "platform/error_report.h"
#include "platform/main_window_api.h"
#include "platform/twips.h"

namespace qb {

namespace {

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

const char* ColourOf(PickState state) {
  switch (state) {
    case PickState::Correct:
      return "#a8e6a0";
    case PickState::Wrong:
      return "#f4a3a3";
    case PickState::Open:
      return "#ffff80";
    case PickState::Bye:
      return "#d8d8d8";
    case PickState::Empty:
      break;
  }
  return "#80ffff";
}

}  // namespace

bool OpenEntryEditor(AppContext& ctx, int entry, QWidget* caller) {
  PoolState& s = ctx.pool;
  if (s.EditEntryNumber > 0) {
    ctx.prompts.Beep();
    ctx.prompts.Show(kEntryAlreadyOpenText, MsgIcon::Information);
    return false;
  }
  if (entry < 1 || entry > s.NumEntries) return false;
  s.EditEntryNumber = static_cast<int16_t>(entry);
  ctx.EditEntryCaller = caller;
  if (ctx.main) ctx.main->ShowWindowByName("frmEditEntry");
  // A caller in a window of its own (the entries with a pick) would stand
  // over the editor: the main window comes in front, so the editor is seen whole.
  if (caller && caller->isWindow())
    if (auto* mainWindow = dynamic_cast<QWidget*>(ctx.main)) {
      mainWindow->raise();
      mainWindow->activateWindow();
    }
  return true;
}

frmEditEntry::frmEditEntry(AppContext& ctx, QWidget* parent)
    : BracketWindow(ctx, parent), dialogs_(&StandardEntryDialogs()) {
  setObjectName("frmEditEntry");
  setAttribute(Qt::WA_DeleteOnClose);
  setFocusPolicy(Qt::StrongFocus);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  view_ = new BracketView(this);
  outer->addWidget(view_);
  connect(view_, &BracketView::Dropped, this, &frmEditEntry::OnDropped);
  connect(view_, &BracketView::MousePressed, this,
          [this](BoxRef, Qt::MouseButton button) { BoxPressed(button); });
  view_->SetKeyHandler([this](BoxRef, QKeyEvent*) {
    ctx_.pool.SoundPlayed = 0;
    return false;
  });
  RunGuarded(ctx_, this, false, "frmEditEntry.Form_Load", [this] { FormLoad(); });
  loading_ = false;
}

frmEditEntry::~frmEditEntry() {
  // A window destroyed without closing (the main window going away) still
  // frees the one-entry-at-a-time mark.
  if (!unloaded_ && ctx_.pool.EditEntryNumber == entry_) ctx_.pool.EditEntryNumber = 0;
}

QWidget* frmEditEntry::canvas() const {
  return view_->widget();
}

QWidget* frmEditEntry::OwnerWindow() {
  return MainWindowWidget(ctx_, this);
}

void frmEditEntry::FormLoad() {
  PoolState& s = ctx_.pool;
  s.SoundPlayed = 1;
  entry_ = s.EditEntryNumber;
  // Refused: the opener drops the window (it is still built, so nothing in
  // it is missing until then).
  if (RefuseWithoutBracket()) {
    unloaded_ = true;
  } else if (entry_ < 1 || entry_ > s.NumEntries) {
    // Nothing to edit: the opener drops the window.
    s.DialogCancelled = true;
    unloaded_ = true;
  }
  // A refused editor leaves no entry marked open.
  if (unloaded_) s.EditEntryNumber = 0;
  s.CurrentEntry = static_cast<int16_t>(entry_);
  callerName_ = ctx_.EditEntryCaller ? ctx_.EditEntryCaller->objectName().toStdString() : "";
  caller_ = ctx_.EditEntryCaller;

  layout_ = std::make_unique<EditorLayout>(LayoutEntryEditor(s, s.NumericTiebreaker));

  // The new-entry mark is handed over by the entry selection and then kept here.
  newEntry_ = s.NewEntryMode || entry_ == 0;
  s.NewEntryMode = false;

  DrawBracket();

  const bool validEntry = entry_ >= 1 && entry_ <= s.NumEntries;
  if (validEntry && s.Entries[entry_].BettorIndex != 0) {
    const EntryRecord& e = s.Entries[entry_];
    txtTiebreakerAmt->setText(Q(NumberText(e.Tiebreaker)));
    chkCollected->setChecked(e.Collected);
  }
  board_ = validEntry ? BoardFromEntry(s, entry_) : EmptyBoard(s);
  LoadTeamsAndPicks();
  ShowEntryScoring();

  SetEditCaptions();
  if (ctx_.main) ctx_.main->SetPreviewButtons();
  AdjustHeightForScoring();
  changed_ = false;
}

void frmEditEntry::DrawBracket() {
  const PoolState& s = ctx_.pool;
  const EditorLayout& l = *layout_;
  view_->SetBracketGeometry(l.bracket);
  QFont small = view_->widget()->font();
  small.setPixelSize(10);

  // Tiebreaker frame.
  fraTiebreaker = new QGroupBox(this);
  fraTiebreaker->setObjectName("fraTiebreaker");
  fraTiebreaker->setFont(small);
  if (l.bracket.tiebreakerFrame) view_->PlaceWidget(fraTiebreaker, *l.bracket.tiebreakerFrame);
  lblTiebreaker = new QLabel("Tiebreaker:", fraTiebreaker);
  lblTiebreaker->setObjectName("lblTiebreaker");
  lblTiebreakerType = new QLabel(Q(s.Pool.TiebreakerType), fraTiebreaker);
  lblTiebreakerType->setObjectName("lblTiebreakerType");
  lblTiebreakerType->setWordWrap(true);
  txtTiebreakerAmt = new QLineEdit(fraTiebreaker);
  txtTiebreakerAmt->setObjectName("txtTiebreakerAmt");
  txtTiebreakerAmt->setToolTip("Enter the predicted amount for the tiebreaker.");
  auto* frameLayout = new QVBoxLayout(fraTiebreaker);
  frameLayout->setContentsMargins(3, 1, 3, 2);
  frameLayout->setSpacing(0);
  frameLayout->addWidget(lblTiebreaker);
  frameLayout->addWidget(lblTiebreakerType);
  frameLayout->addWidget(txtTiebreakerAmt);
  // Only a number can be typed, so the stored amount is the one shown.
  AcceptTiebreakerAmounts(txtTiebreakerAmt);
  txtTiebreakerAmt->installEventFilter(this);
  connect(txtTiebreakerAmt, &QLineEdit::textChanged, this, [this] {
    if (!loading_) changed_ = true;
  });
  fraTiebreaker->setVisible(s.NumericTiebreaker && l.bracket.tiebreakerFrame.has_value());

  chkCollected = new QCheckBox("Collected", this);
  chkCollected->setObjectName("chkCollected");
  chkCollected->setToolTip("Indicates if the funds have been collected to cover the entry.");
  view_->PlaceWidget(chkCollected, l.collected);
  connect(chkCollected, &QCheckBox::pressed, this, [this] { ctx_.pool.SoundPlayed = 0; });
  connect(chkCollected, &QCheckBox::clicked, this, [this] {
    changed_ = true;
    PlaySoundEffect(ctx_.pool, ctx_.waves, "start");
  });

  // Scoring frames: one column per round and the totals.
  fraScoring = new QGroupBox("Scoring", this);
  fraScoring->setObjectName("fraScoring");
  fraScoring->setFont(small);
  view_->PlaceWidget(fraScoring, l.scoringFrame);
  fraStats = new QGroupBox("Games with upset winner", this);
  fraStats->setObjectName("fraStats");
  fraStats->setFont(small);
  view_->PlaceWidget(fraStats, l.statsFrame);
  auto rowLabel = [](QWidget* parent, const char* text, int top) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(TwipsToPixels(100, top, 950, 250));
  };
  rowLabel(fraScoring, "Round", 250);
  rowLabel(fraScoring, "Games", 520);
  rowLabel(fraScoring, "Points", 800);
  rowLabel(fraStats, "Upsets", 250);
  rowLabel(fraStats, "% of picks", 530);
  auto figure = [](QWidget* parent, const QString& name, int left, int top) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setAlignment(Qt::AlignRight);
    box->setGeometry(TwipsToPixels(left, top, 650, 250));
    return box;
  };
  const int rounds = s.NumRounds;
  lblScoreRound.assign(rounds + 1, nullptr);
  txtRoundGames.assign(rounds + 1, nullptr);
  txtRoundPoints.assign(rounds + 1, nullptr);
  txtUpsets.assign(rounds + 1, nullptr);
  txtUpsetsPct.assign(rounds + 1, nullptr);
  for (int r = 1; r <= rounds; ++r) {
    const int left = l.scoreColumnLeft[r - 1];
    auto arrayName = [r](const char* name) { return QString("%1(%2)").arg(name).arg(r); };
    lblScoreRound[r] = new QLabel(QString::number(r), fraScoring);
    lblScoreRound[r]->setObjectName(arrayName("lblScoreRound"));
    lblScoreRound[r]->setAlignment(Qt::AlignCenter);
    lblScoreRound[r]->setGeometry(TwipsToPixels(left, 250, 650, 250));
    txtRoundGames[r] = figure(fraScoring, arrayName("txtRoundGames"), left, 520);
    txtRoundPoints[r] = figure(fraScoring, arrayName("txtRoundPoints"), left, 800);
    txtUpsets[r] = figure(fraStats, arrayName("txtUpsets"), left, 250);
    txtUpsetsPct[r] = figure(fraStats, arrayName("txtUpsetsPct"), left, 530);
  }
  const int totalLeft = l.scoreColumnLeft[rounds];
  auto* total = new QLabel("Total", fraScoring);
  total->setAlignment(Qt::AlignCenter);
  total->setGeometry(TwipsToPixels(totalLeft, 250, 650, 250));
  txtGamesWon = figure(fraScoring, "txtGamesWon", totalLeft, 520);
  txtPointsWon = figure(fraScoring, "txtPointsWon", totalLeft, 800);
  txtUpsetsTotal = figure(fraStats, "txtUpsetsTotal", totalLeft, 250);
  txtUpsetsPctTotal = figure(fraStats, "txtUpsetsPctTotal", totalLeft, 530);
}

void frmEditEntry::LoadTeamsAndPicks() {
  const PoolState& s = ctx_.pool;
  for (int t = 1; t <= s.NumSlots; ++t) {
    view_->SetText({BracketPart::TeamName, t}, Q(s.Teams[t].Name));
    view_->SetText({BracketPart::TeamSeed, t}, QString::number(s.Teams[t].Seed));
    // A Bye slot has no team to drag.
    const bool bye = IsByeSlot(s, t);
    view_->SetDraggable({BracketPart::TeamName, t}, !bye);
    // Greyed, yet still a place to drop a pick back onto.
    if (QLineEdit* box = view_->Box(BracketPart::TeamName, t)) {
      QPalette palette = box->palette();
      palette.setColor(QPalette::Text, bye ? QColor(Qt::gray) : QColor(Qt::black));
      box->setPalette(palette);
    }
  }
  ShowBoard();
}

void frmEditEntry::ShowBoard() {
  const PoolState& s = ctx_.pool;
  for (int g = 1; g <= s.NumGames; ++g) {
    const int t = g < static_cast<int>(board_.size()) ? board_[g] : 0;
    const bool picked = t >= 1 && t <= s.NumSlots;
    view_->SetText({BracketPart::Winner, g}, picked ? Q(s.Teams[t].Name) : QString(" "));
    view_->SetText({BracketPart::WinnerSeed, g},
                   picked ? QString::number(s.Teams[t].Seed) : QString(" "));
    // A Bye game's box is locked; an empty box has nothing to drag.
    view_->SetDraggable({BracketPart::Winner, g},
                        DraggedTeam(s, board_, {DragSource::Winner, g}) > 0);
    if (QWidget* box = view_->Box(BracketPart::Winner, g)) box->setProperty("Tag", t);
  }
}

void frmEditEntry::ShowEntryScoring() {
  const PoolState& s = ctx_.pool;
  score_ = ScoreBoard(s, board_, games_);
  for (int r = 1; r < static_cast<int>(txtRoundGames.size()); ++r) {
    txtRoundGames[r]->setText(QString::number(score_.score.ScoreGames[r]));
    txtRoundPoints[r]->setText(Q(FormatAmount(score_.score.ScorePoints[r])));
    txtUpsets[r]->setText(QString::number(score_.upsets[r]));
    txtUpsetsPct[r]->setText(QString::number(UpsetPercent(score_, r)) + "%");
  }
  txtGamesWon->setText(QString::number(score_.score.ScoreGames[0]));
  txtPointsWon->setText(Q(FormatAmount(score_.score.ScorePoints[0])));
  txtUpsetsTotal->setText(QString::number(score_.upsets[0]));
  txtUpsetsPctTotal->setText(QString::number(UpsetPercent(score_, 0)) + "%");
  ColourPicks();
}

void frmEditEntry::ColourPicks() {
  for (int g = 1; g <= ctx_.pool.NumGames; ++g) {
    const PickState state =
        g < static_cast<int>(score_.states.size()) ? score_.states[g] : PickState::Empty;
    const QColor colour(ColourOf(state));
    view_->SetColour({BracketPart::Winner, g}, colour);
    view_->SetColour({BracketPart::WinnerSeed, g}, colour);
    if (QWidget* box = view_->Box(BracketPart::Winner, g))
      box->setProperty("PickState", static_cast<int>(state));
  }
}

void frmEditEntry::SetEditCaptions() {
  const PoolState& s = ctx_.pool;
  std::string caption = "Edit New Entry";
  std::string scoring = "Scoring for New Entry";
  if (entry_ >= 1 && entry_ <= s.NumEntries) {
    const EntryRecord& e = s.Entries[entry_];
    const int p = e.BettorIndex;
    if (p >= 1 && p < static_cast<int>(s.Bettors.size())) {
      const BettorRecord& b = s.Bettors[p];
      const std::string rest = NumberText(static_cast<float>(e.EntryNumber)) + " for " + b.Name +
                               "  --  Phone: " + b.Phone + ", E-mail: " + b.EMail;
      caption = "Edit Entry #" + rest;
      scoring = "Scoring for entry #" + rest;
    }
  }
  setWindowTitle(Q(caption));
  fraScoring->setTitle(Q(scoring));
}

void frmEditEntry::AdjustHeightForScoring() {
  if (!layout_) return;
  const bool show = ctx_.main ? ctx_.main->ShowEntryScoringChecked() : true;
  QWidget* area = view_->widget();
  area->resize(area->width(), TwipsToPixels(HeightForScoring(*layout_, show)));
  // The window fits the drawing, kept on the screen; beyond that it scrolls.
  auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
  const QSize frame = sub ? sub->size() - size() : QSize();
  SizeToBracket(this, layout_->width, HeightForScoring(*layout_, show));
  // Inside the main window its frame follows.
  if (sub) sub->resize(size() + frame);
}

void frmEditEntry::showEvent(QShowEvent* event) {
  BracketWindow::showEvent(event);
  // A bracket taller or wider than the main window's area scrolls inside
  // the editor instead of hanging out of the area.
  auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
  if (!sub || !sub->mdiArea()) return;
  const QSize area = sub->mdiArea()->viewport()->size();
  if (sub->width() > area.width() || sub->height() > area.height()) {
    sub->resize(std::min(sub->width(), area.width()), std::min(sub->height(), area.height()));
    sub->move(0, 0);
  }
}

QWidget* frmEditEntry::FirstField() const {
  // The one box typed into; the picks are dragged.
  return txtTiebreakerAmt && !fraTiebreaker->isHidden() ? txtTiebreakerAmt : nullptr;
}

void frmEditEntry::BoxPressed(Qt::MouseButton button) {
  ctx_.pool.SoundPlayed = 0;
  if (button == Qt::RightButton) ShowEntryPopupMenu();
}

void frmEditEntry::keyPressEvent(QKeyEvent* e) {
  ctx_.pool.SoundPlayed = 0;
  BracketWindow::keyPressEvent(e);
}

bool frmEditEntry::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::MouseButtonPress && watched != txtTiebreakerAmt) {
    BoxPressed(static_cast<QMouseEvent*>(e)->button());
  } else if (watched == txtTiebreakerAmt) {
    if (e->type() == QEvent::FocusIn)
      QTimer::singleShot(0, txtTiebreakerAmt, [box = txtTiebreakerAmt] { SelectAllText(box); });
    if (e->type() == QEvent::KeyPress) ctx_.pool.SoundPlayed = 0;
  }
  return BracketWindow::eventFilter(watched, e);
}

void frmEditEntry::ShowEntryPopupMenu() {
  if (!ctx_.main) return;
  // Another window may have hidden some of them.
  for (const char* item :
       {"mnuEntryPopUpOK", "mnuEntryPopUpEntryInfo", "mnuEntryPopUpShowParms", "mnuEntryPopUpFill",
        "mnuEntryPopUpClear", "mnuEntryPopUpCopyEntry", "mnuEntryPopUpBar1"})
    ctx_.main->SetEntryPopupItemVisible(item, true);
  ctx_.main->SetSaveCancelMenu(true);
  ctx_.main->PopupEntryMenu(this);
}

namespace {

BoxRef RefOfSource(DragSource source) {
  return {source.kind == DragSource::Winner ? BracketPart::Winner : BracketPart::TeamName,
          source.index};
}

}  // namespace

QMimeData* frmEditEntry::DragData(DragSource source) const {
  return view_->DragData(RefOfSource(source));
}

bool frmEditEntry::DropOn(QWidget* target, const QMimeData* data) {
  const BoxRef ref = view_->RefOf(target);
  if (ref.part == BracketPart::None) return false;
  bool handled = false;
  auto once = connect(view_, &BracketView::Dropped, this, [&](BoxRef t, BoxRef) {
    handled = t.part == BracketPart::Winner || t.part == BracketPart::RoundCaption ||
              t.part == BracketPart::TeamName || t.part == BracketPart::TeamSeed ||
              t.part == BracketPart::TeamCaption;
  });
  view_->HandleDrop(ref, data);
  disconnect(once);
  return handled;
}

void frmEditEntry::OnDropped(BoxRef target, BoxRef sourceRef) {
  RunGuarded(ctx_, this, false, "frmEditEntry", [&] {
    DragSource source;
    if (sourceRef.part == BracketPart::Winner)
      source = {DragSource::Winner, sourceRef.index};
    else if (sourceRef.part == BracketPart::TeamName)
      source = {DragSource::TeamName, sourceRef.index};
    else
      return;  // only team names and winner boxes carry a team
    PoolState& s = ctx_.pool;
    PickDropOutcome out;
    switch (target.part) {
      case BracketPart::Winner:
        out = DropOnWinner(s, board_, source, target.index);
        break;
      case BracketPart::RoundCaption:
        out = DropOnRoundHeading(s, board_, source, target.index);
        break;
      case BracketPart::TeamName:
      case BracketPart::TeamSeed:
      case BracketPart::TeamCaption:
        out = DropOnTeamColumn(s, board_, source);
        break;
      default:
        return;
    }
    if (!out.changed) return;
    changed_ = true;
    if (out.place.refused)
      ctx_.prompts.Beep();
    else
      PlaySounds(out.place);
    ShowBoard();
    ShowEntryScoring();
  });
}

void frmEditEntry::PlaySounds(const PlaceOutcome& place) {
  // Each box that changed asks for its own sound.
  for (const std::string& name : place.sounds) {
    ctx_.pool.SoundPlayed = 0;
    PlaySoundEffect(ctx_.pool, ctx_.waves, name);
  }
}

void frmEditEntry::cmdFill_Click() {
  FillWithHigherSeeds(ctx_.pool, board_);
  ShowBoard();
  ShowEntryScoring();
  changed_ = true;
}

void frmEditEntry::ClearPicks() {
  ClearAllPicks(ctx_.pool, board_);
  ShowBoard();
  ShowEntryScoring();
  changed_ = true;
}

void frmEditEntry::CopyEntry() {
  PoolState& s = ctx_.pool;
  const int from = dialogs_->CopyFrom(ctx_, OwnerWindow(), entry_);
  if (from >= 1 && from <= s.NumEntries && from != entry_) {
    s.CopyFromEntry = static_cast<int16_t>(from);
    board_ = BoardFromEntry(s, from);
    ShowBoard();
    ShowEntryScoring();
    changed_ = true;
    s.SoundPlayed = 0;
    PlaySoundEffect(s, ctx_.waves, "claves");
  }
  activateWindow();
  setFocus();
}

void frmEditEntry::cmdEntryHeader_Click() {
  PoolState& s = ctx_.pool;
  s.EditEntryNumber = static_cast<int16_t>(entry_);
  s.CurrentEntry = static_cast<int16_t>(entry_);
  // The header proposes an entry number only while the entry is still new.
  s.NewEntryMode = newEntry_;
  if (newEntry_) s.CurrentBettor = 0;
  dialogs_->EntryHeader(ctx_, OwnerWindow());
  s.NewEntryMode = false;
  s.CurrentEntry = static_cast<int16_t>(entry_);
  SetEditCaptions();
  activateWindow();
  setFocus();
}

void frmEditEntry::cmdShowParms_Click() {
  dialogs_->EntryParms(ctx_, OwnerWindow());
  activateWindow();
  setFocus();
}

void frmEditEntry::SaveEntry() {
  PoolState& s = ctx_.pool;
  s.DialogCancelled = false;
  s.CurrentEntry = static_cast<int16_t>(entry_);
  switch (CheckEntryBeforeSave(s, entry_, board_, changed_, ctx_.prompts)) {
    case SaveCheck::NeedHeader:
      cmdEntryHeader_Click();
      s.DialogCancelled = true;
      return;
    case SaveCheck::Cancelled:
      s.DialogCancelled = true;
      return;
    case SaveCheck::Proceed:
      break;
  }
  EntryFigures figures;
  figures.tiebreaker = static_cast<float>(Val(txtTiebreakerAmt->text().toStdString()));
  figures.collected = chkCollected->isChecked();
  const std::string sound = StoreEntry(s, entry_, board_, figures, changed_);
  ComputeCollectedTotals(s);
  PlaySoundEffect(s, ctx_.waves, sound);
  changed_ = false;
  // Stored now: closing the editor no longer takes it out of the pool.
  newEntry_ = false;
}

void frmEditEntry::DiscardNewEntry() {
  if (!newEntry_) return;
  DiscardEntry(ctx_.pool, entry_);
  // The pool may have been saved with the entry in it while it was open.
  ctx_.pool.PoolChanged = true;
  newEntry_ = false;
  entry_ = 0;
}

bool frmEditEntry::QueryUnload(bool byCloseBox) {
  PoolState& s = ctx_.pool;
  if (byCloseBox) s.SoundPlayed = 0;
  switch (AskKeepChanges(ctx_.prompts, changed_)) {
    case MsgAnswer::Cancel:
      s.DialogCancelled = true;
      PlaySoundEffect(s, ctx_.waves, "start");
      return false;
    case MsgAnswer::Yes:
      SaveEntry();
      if (s.DialogCancelled) return false;
      break;
    default:
      DiscardNewEntry();
      PlaySoundEffect(s, ctx_.waves, "whoosh");
      break;
  }
  PlaySoundEffect(s, ctx_.waves, changed_ ? "whoosh" : "drcls3");
  return true;
}

bool frmEditEntry::QueryClose() {
  if (closeApproved_ || unloaded_) return true;
  closeApproved_ = QueryUnload(false);
  return closeApproved_;
}

void frmEditEntry::closeEvent(QCloseEvent* event) {
  if (unloaded_) {
    event->accept();
    return;
  }
  if (!closeApproved_ && !QueryUnload(!unloading_)) {
    event->ignore();
    return;
  }
  // Form_Unload: the next entry may be opened.
  unloaded_ = true;
  ctx_.pool.EditEntryNumber = 0;
  BracketWindow::closeEvent(event);
  // Closed by its close box or Ctrl+F4: the report that opened it comes back.
  if (!unloading_ && callerName_ != "frmSelectEntry") FocusCaller();
}

bool frmEditEntry::Unload() {
  unloading_ = true;
  BracketWindow::Unload();
  unloading_ = false;
  return unloaded_;
}

void frmEditEntry::FocusCaller() {
  QPointer<QWidget> caller = caller_;
  auto bring = [caller] {
    if (!caller || !caller->isVisible()) return;
    auto* sub = qobject_cast<QMdiSubWindow*>(caller->parentWidget());
    if (sub && sub->mdiArea()) sub->mdiArea()->setActiveSubWindow(sub);
    caller->window()->raise();
    caller->activateWindow();
    caller->setFocus();
  };
  bring();
  // Once this window's frame is gone the main window makes another of its
  // windows active; the caller, maybe a window of its own, comes back after.
  QTimer::singleShot(0, qApp, bring);
}

void frmEditEntry::ReturnToCaller() {
  PoolState& s = ctx_.pool;
  if (callerName_ != "frmSelectEntry") {
    FocusCaller();
    return;
  }
  // Entries are entered one after the other: the selection comes back, once
  // this window's close has run its course.
  s.EditEntryNumber = 0;
  if (MainWindowApi* main = ctx_.main)
    QTimer::singleShot(0, qApp, [main] { main->ShowWindowByName("frmSelectEntry"); });
}

void frmEditEntry::cmdOK_Click() {
  PoolState& s = ctx_.pool;
  s.DialogCancelled = false;
  SaveEntry();
  if (s.DialogCancelled || keepOpen_) return;
  // Only a real unload hands back to the caller.
  if (Unload() && !s.DialogCancelled) ReturnToCaller();
}

void frmEditEntry::cmdCancel_Click() {
  PoolState& s = ctx_.pool;
  s.DialogCancelled = false;
  if (Unload() && !s.DialogCancelled) ReturnToCaller();
}

void frmEditEntry::PrintPreview() {
  PoolState& s = ctx_.pool;
  if (s.PrintEntry != 0) {
    ctx_.prompts.Beep();
    ctx_.prompts.Show(kPreviewOpenText, MsgIcon::Exclamation);
    return;
  }
  // A cancel left over from an earlier command must not stop this one.
  s.DialogCancelled = false;
  if (changed_) {
    keepOpen_ = false;
    ctx_.prompts.Beep();
    const MsgAnswer a =
        ctx_.prompts.Ask(kSaveBeforePreviewText, MsgButtons::YesNoCancel, MsgIcon::Question);
    if (a == MsgAnswer::Cancel) return;
    if (a == MsgAnswer::Yes) {
      keepOpen_ = true;
      cmdOK_Click();
      keepOpen_ = false;
    }
  }
  if (s.DialogCancelled) return;
  dialogs_->PrintForm(ctx_, entry_);
}

}  // namespace qb
