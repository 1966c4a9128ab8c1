#include "bracket/frmEnterResults.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "bracket/bracket_windows.h"
#include "core/bracket.h"
#include "core/scoring.h"
#include "core/text_format.h"
#include "platform/control_helpers.h"
#include "platform/error_report.h"
#include "platform/main_window_api.h"

namespace qb {

namespace {

const QColor kUndecided(0, 255, 255);  // cyan
const QColor kDecided(255, 255, 0);    // yellow

QString SeedText(int seed) {
  return seed > 0 ? QString::number(seed) : QString();
}

}  // namespace

frmEnterResults::frmEnterResults(AppContext& ctx, QWidget* parent)
    : BracketWindow(ctx, parent), board_(ctx.pool) {
  PoolState& s = ctx_.pool;
  setObjectName("frmEnterResults");
  setWindowTitle("Enter Results");
  escapeCancels_ = true;
  if (RefuseWithoutBracket()) return;
  numericTiebreaker_ =
      s.Pool.TiebreakerUsed && s.Pool.TiebreakerType != "Actual Games Picked Correctly";

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  view_ = new BracketView(this);
  layout->addWidget(view_);
  BracketGeometry g =
      ComputeBracketGeometry({s.NumSlots, s.NumRounds, s.Pool.DualSided, s.Pool.RePair,
                              numericTiebreaker_, BracketVariant::Results});
  view_->SetBracketGeometry(g);

  fraTiebreaker = new QFrame;
  fraTiebreaker->setObjectName("fraTiebreaker");
  fraTiebreaker->setFrameShape(QFrame::Box);
  auto* frameLayout = new QVBoxLayout(fraTiebreaker);
  frameLayout->setContentsMargins(3, 1, 3, 2);
  frameLayout->setSpacing(0);
  lblTiebreaker = new QLabel("Tiebreaker:");
  lblTiebreaker->setObjectName("lblTiebreaker");
  lblTiebreakerType = new QLabel(QString::fromStdString(s.Pool.TiebreakerType));
  lblTiebreakerType->setObjectName("lblTiebreakerType");
  lblTiebreakerType->setWordWrap(true);
  txtTiebreakerAmt = new QLineEdit(QString::fromStdString(NumberText(s.Pool.TiebreakerActual)));
  txtTiebreakerAmt->setObjectName("txtTiebreakerAmt");
  txtTiebreakerAmt->setToolTip("Enter the actual amount for the tiebreaker.");
  // A plain amount only, so what is stored is what was typed.
  AcceptTiebreakerAmounts(txtTiebreakerAmt);
  for (QWidget* w : {static_cast<QWidget*>(lblTiebreaker), static_cast<QWidget*>(lblTiebreakerType),
                     static_cast<QWidget*>(txtTiebreakerAmt)}) {
    QFont f = w->font();
    f.setPixelSize(10);
    w->setFont(f);
    frameLayout->addWidget(w);
    w->installEventFilter(this);
  }
  fraTiebreaker->installEventFilter(this);
  if (g.tiebreakerFrame)
    view_->PlaceWidget(fraTiebreaker, *g.tiebreakerFrame);
  else
    fraTiebreaker->setParent(this);
  connect(txtTiebreakerAmt, &QLineEdit::textChanged, this, [this] { changed_ = true; });

  LoadTeamsAndResults();
  ShowTiebreakerEntry();
  ColourWinnerBoxes();
  SizeToBracket(this, g.width, g.height);

  connect(view_, &BracketView::Dropped, this, &frmEnterResults::OnDropped);
  connect(view_, &BracketView::MousePressed, this, &frmEnterResults::OnMousePressed);
  view_->SetKeyHandler([this](BoxRef, QKeyEvent*) {
    ctx_.pool.SoundPlayed = 0;
    return false;
  });
  if (ctx_.main) ctx_.main->SetPreviewButtons();
  changed_ = false;
}

QWidget* frmEnterResults::FirstField() const {
  // The one box typed into; the winners are dragged.
  return view_ && numericTiebreaker_ ? txtTiebreakerAmt : nullptr;
}

void frmEnterResults::LoadTeamsAndResults() {
  const PoolState& s = ctx_.pool;
  for (int slot = 1; slot <= s.NumSlots; ++slot) {
    const TeamRecord& team = s.Teams[slot];
    view_->SetText({BracketPart::TeamName, slot}, QString::fromStdString(team.Name));
    view_->SetText({BracketPart::TeamSeed, slot}, SeedText(team.Seed));
    bool draggable = !board_.IsByeSlot(slot);
    view_->SetDraggable({BracketPart::TeamName, slot}, draggable);
    view_->SetDraggable({BracketPart::TeamSeed, slot}, draggable);
  }
  board_.Load(s.Pool);
  for (int g = 1; g <= board_.gameCount(); ++g) ShowWinner(g);
}

void frmEnterResults::ShowWinner(int game) {
  int slot = board_.Winner(game);
  bool decided = slot >= 1 && slot <= ctx_.pool.NumSlots;
  const TeamRecord* team = decided ? &ctx_.pool.Teams[slot] : nullptr;
  view_->SetText({BracketPart::Winner, game},
                 decided ? QString::fromStdString(team->Name) : QString(" "));
  view_->SetText({BracketPart::WinnerSeed, game}, decided ? SeedText(team->Seed) : QString(" "));
  view_->SetDraggable({BracketPart::Winner, game}, decided);
  view_->SetDraggable({BracketPart::WinnerSeed, game}, decided);
}

void frmEnterResults::ColourWinnerBoxes() {
  for (int g = 1; g <= board_.gameCount(); ++g) {
    const QColor& c = board_.Decided(g) ? kDecided : kUndecided;
    view_->SetColour({BracketPart::Winner, g}, c);
    view_->SetColour({BracketPart::WinnerSeed, g}, c);
  }
}

void frmEnterResults::ShowTiebreakerEntry() {
  fraTiebreaker->setVisible(numericTiebreaker_);
  lblTiebreaker->setVisible(numericTiebreaker_);
  lblTiebreakerType->setVisible(numericTiebreaker_);
  txtTiebreakerAmt->setVisible(numericTiebreaker_);
}

std::optional<BoardSource> frmEnterResults::SourceOf(BoxRef ref) const {
  switch (ref.part) {
    case BracketPart::TeamName:
    case BracketPart::TeamSeed:
      return BoardSource::Team(ref.index);
    case BracketPart::Winner:
    case BracketPart::WinnerSeed:
      return BoardSource::Winner(ref.index);
    default:
      return std::nullopt;
  }
}

void frmEnterResults::Apply(const DropOutcome& outcome) {
  if (outcome.kind == DropOutcome::Kind::Refused) {
    ctx_.prompts.Beep();
    return;
  }
  if (!outcome.accepted()) return;
  ShowWinner(outcome.game);
  for (int g : outcome.clearedGames) ShowWinner(g);
  for (const auto& sound : outcome.sounds) Sound(sound.c_str());
  ColourWinnerBoxes();
  ShowTiebreakerEntry();
  changed_ = true;
}

void frmEnterResults::txtWinner_DragDrop(int game, BoxRef source) {
  auto src = SourceOf(source);
  if (!src) return;
  Apply(board_.Place(game, *src));
}

void frmEnterResults::lblRound_DragDrop(int index, BoxRef source) {
  auto src = SourceOf(source);
  if (!src) return;
  Apply(board_.PlaceInRound(RoundOfCaption(index, board_.roundCount()), *src));
}

void frmEnterResults::TeamColumn_DragDrop(BoxRef source) {
  auto src = SourceOf(source);
  // Only a winner box is taken back; a team box dropped on its own column does nothing.
  if (!src || src->kind != BoardSource::Kind::WinnerBox || !board_.Decided(src->number)) return;
  Apply(board_.TakeBack(*src));
}

void frmEnterResults::OnDropped(BoxRef target, BoxRef source) {
  RunGuarded(ctx_, this, false, "frmEnterResults", [&] {
    switch (target.part) {
      case BracketPart::Winner:
      case BracketPart::WinnerSeed:
        txtWinner_DragDrop(target.index, source);
        break;
      case BracketPart::RoundCaption:
        lblRound_DragDrop(target.index, source);
        break;
      case BracketPart::TeamName:
      case BracketPart::TeamSeed:
      case BracketPart::TeamCaption:
        TeamColumn_DragDrop(source);
        break;
      default:
        break;
    }
  });
}

void frmEnterResults::OnMousePressed(BoxRef, Qt::MouseButton button) {
  ctx_.pool.SoundPlayed = 0;
  if (button == Qt::RightButton) ShowEditPopupMenu();
}

bool frmEnterResults::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::MouseButtonPress) {
    OnMousePressed({}, static_cast<QMouseEvent*>(e)->button());
    if (static_cast<QMouseEvent*>(e)->button() == Qt::RightButton) return true;
  } else if (e->type() == QEvent::KeyPress) {
    ctx_.pool.SoundPlayed = 0;
  } else if (e->type() == QEvent::FocusIn && watched == txtTiebreakerAmt) {
    // After the click that gave the focus has placed the caret.
    QTimer::singleShot(0, txtTiebreakerAmt, [box = txtTiebreakerAmt] { SelectAllText(box); });
  }
  return ChildWindow::eventFilter(watched, e);
}

void frmEnterResults::cmdOK_Click() {
  if (!view_) return;  // the window refused to open
  PoolState& s = ctx_.pool;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  std::vector<int16_t> results = board_.Results();
  for (int g = 1; g <= board_.gameCount() && g <= kMaxGames; ++g) s.Pool.Results[g] = results[g];
  ResetTeamAdvance(s);
  ScoreAllEntries(s);  // every list of entries shows the points as they now stand
  s.Pool.TiebreakerActual = static_cast<float>(Val(txtTiebreakerAmt->text().toStdString()));
  if (changed_) s.PoolChanged = true;
  changed_ = false;
  s.DialogCancelled = false;
  Sound("pswitch");
  QApplication::restoreOverrideCursor();
  if (!previewing_ && !closing_) Unload();
}

void frmEnterResults::cmdCancel_Click() {
  if (QueryClose()) Unload();
}

bool frmEnterResults::QueryClose() {
  PoolState& s = ctx_.pool;
  s.SoundPlayed = 0;
  MsgAnswer answer = AskKeepChanges(ctx_.prompts, changed_);
  if (answer == MsgAnswer::Cancel) {
    s.DialogCancelled = true;
    Sound("start");
    return false;
  }
  if (answer == MsgAnswer::Yes) {
    closing_ = true;
    cmdOK_Click();
    closing_ = false;
  }
  Sound(changed_ ? "whoosh" : "drcls3");
  return true;
}

void frmEnterResults::PrintPreview() {
  if (!view_) return;
  PoolState& s = ctx_.pool;
  if (s.PrintEntry != 0) {
    ctx_.prompts.Beep();
    ctx_.prompts.Show(kPreviewOpenText, MsgIcon::Exclamation);
    return;
  }
  if (changed_) {
    MsgAnswer answer =
        ctx_.prompts.Ask(kSaveBeforePreviewText, MsgButtons::YesNoCancel, MsgIcon::None);
    if (answer == MsgAnswer::Cancel) return;
    if (answer == MsgAnswer::Yes) {
      previewing_ = true;
      cmdOK_Click();
      previewing_ = false;
    }
  }
  OpenPrintForm(ctx_, -1);
}

}  // namespace qb
