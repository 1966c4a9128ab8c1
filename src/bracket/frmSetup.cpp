#include "bracket/frmSetup.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "bracket/bracket_windows.h"
#include "core/bracket.h"
#include "core/text_format.h"
#include "platform/control_helpers.h"
#include "platform/error_report.h"
#include "platform/main_window_api.h"

namespace qb {

namespace {

const QColor kFilled(0, 255, 255);  // cyan
const QColor kEmpty(255, 255, 255);
const QColor kDuplicate(255, 0, 0);

constexpr const char* kTooManyByes = "Too many Bye games -- not a valid tournament format.";

bool IsBye(const QString& name) {
  return name.toUpper() == "BYE";
}

int16_t SeedValue(const QString& text) {
  double v = Val(text.toStdString());
  if (!std::isfinite(v)) return 0;
  return static_cast<int16_t>(std::clamp(std::trunc(v), -32768.0, 32767.0));
}

}  // namespace

frmSetup::frmSetup(AppContext& ctx, QWidget* parent) : BracketWindow(ctx, parent) {
  PoolState& s = ctx_.pool;
  setObjectName("frmSetup");
  setWindowTitle("Bracket Setup");
  escapeCancels_ = true;
  if (RefuseWithoutBracket()) return;
  slots_ = s.NumSlots;

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  view_ = new BracketView(this);
  layout->addWidget(view_);
  BracketGeometry g = ComputeSetupGeometry(s.NumSlots, s.NumRounds, s.Pool.DualSided);
  view_->SetBracketGeometry(g);
  view_->SetEditable(BracketPart::TeamName, true);
  view_->SetEditable(BracketPart::TeamSeed, true);

  for (int slot = 1; slot <= slots_; ++slot) {
    QLineEdit* seed = view_->Box(BracketPart::TeamSeed, slot);
    // A seed is a whole number; anything else would be stored as 0 unseen.
    seed->setValidator(new QRegularExpressionValidator(QRegularExpression("\\d{0,4}"), seed));
    view_->SetDraggable({BracketPart::TeamName, slot}, true);
    const TeamRecord& team = s.Teams[slot];
    view_->SetText({BracketPart::TeamName, slot}, QString::fromStdString(team.Name));
    view_->SetText({BracketPart::TeamSeed, slot},
                   team.Seed != 0 ? QString::number(team.Seed) : QString());
    ColourSlot(slot);
  }
  SizeToBracket(this, g.width, g.height);

  connect(view_, &BracketView::Dropped, this, &frmSetup::OnDropped);
  connect(view_, &BracketView::MousePressed, this, &frmSetup::OnMousePressed);
  connect(view_, &BracketView::TextEdited, this, [this] { changed_ = true; });
  connect(view_, &BracketView::FocusEntered, this, [this](BoxRef box) {
    // After the click that gave the focus has placed the caret.
    if (QLineEdit* e = view_->Box(box.part, box.index))
      QTimer::singleShot(0, e, [e] { SelectAllText(e); });
  });
  connect(view_, &BracketView::FocusLeft, this, &frmSetup::ColourBox);
  view_->SetKeyHandler([this](BoxRef box, QKeyEvent* e) {
    ctx_.pool.SoundPlayed = 0;
    return box.part == BracketPart::TeamName && txtTeamName_KeyDown(box.index, e);
  });
  changed_ = false;
}

frmSetup::~frmSetup() {
  // The boxes outlive this part of the window and lose the focus as they go:
  // what they signal then must not reach it.
  if (view_) view_->disconnect(this);
}

QWidget* frmSetup::FirstField() const {
  return view_ ? view_->Box(BracketPart::TeamName, 1) : nullptr;
}

QString frmSetup::NameText(int slot) const {
  return view_->Text({BracketPart::TeamName, slot});
}
QString frmSetup::SeedText(int slot) const {
  return view_->Text({BracketPart::TeamSeed, slot});
}

void frmSetup::SetSlot(int slot, const QString& name, const QString& seed) {
  view_->SetText({BracketPart::TeamName, slot}, name);
  view_->SetText({BracketPart::TeamSeed, slot}, seed);
  ColourSlot(slot);
}

void frmSetup::ColourBox(BoxRef box) {
  if (box.part != BracketPart::TeamName && box.part != BracketPart::TeamSeed) return;
  view_->SetColour(box, view_->Text(box).isEmpty() ? kEmpty : kFilled);
}

void frmSetup::ColourSlot(int slot) {
  ColourBox({BracketPart::TeamName, slot});
  ColourBox({BracketPart::TeamSeed, slot});
}

void frmSetup::txtTeamName_DragDrop(int target, BoxRef source) {
  if (source.part != BracketPart::TeamName || source.index == target) return;
  if (target < 1 || target > slots_ || NameText(target).isEmpty()) return;
  int from = source.index;
  QString name = NameText(target), seed = SeedText(target);
  SetSlot(target, NameText(from), SeedText(from));
  SetSlot(from, name, seed);
  Sound("claves");
  changed_ = true;
}

bool frmSetup::txtTeamName_KeyDown(int slot, QKeyEvent* e) {
  if (!(e->modifiers() & Qt::AltModifier)) return false;
  if (e->key() == Qt::Key_Insert) {
    // The last slot would fall off the end: refuse rather than lose its team.
    if (!NameText(slots_).isEmpty() || !SeedText(slots_).isEmpty()) {
      ctx_.prompts.Beep();
      return true;
    }
    for (int i = slots_; i > slot; --i) SetSlot(i, NameText(i - 1), SeedText(i - 1));
    SetSlot(slot, QString(), QString());
    changed_ = true;
    return true;
  }
  if (e->key() == Qt::Key_Delete) {
    for (int i = slot; i < slots_; ++i) SetSlot(i, NameText(i + 1), SeedText(i + 1));
    SetSlot(slots_, QString(), QString());
    changed_ = true;
    return true;
  }
  return false;
}

int frmSetup::ConfirmTeamChange() {
  const PoolState& s = ctx_.pool;
  confirmAnswer_ = 0;
  bool liveEntries = false;
  for (int e = 1; e <= s.NumEntries && e < static_cast<int>(s.Entries.size()); ++e)
    if (s.Entries[e].BettorIndex != 0) liveEntries = true;
  if (!liveEntries) return confirmAnswer_;
  bool differs = false;
  for (int slot = 1; slot <= slots_; ++slot) {
    if (NameText(slot).toStdString() != s.Teams[slot].Name ||
        SeedValue(SeedText(slot)) != s.Teams[slot].Seed)
      differs = true;
  }
  if (!differs) return confirmAnswer_;
  ctx_.prompts.Beep();
  MsgAnswer a = ctx_.prompts.Ask(
      "WARNING!  Entries have already been entered!\r\n"
      "Are you sure you want to change the teams/players?",
      MsgButtons::YesNoCancel, MsgIcon::None);
  confirmAnswer_ = a == MsgAnswer::Yes ? 6 : a == MsgAnswer::No ? 7 : 2;
  return confirmAnswer_;
}

bool frmSetup::Save() {
  if (!view_) return false;  // the window refused to open
  PoolState& s = ctx_.pool;
  Prompts& prompts = ctx_.prompts;
  s.DialogCancelled = true;

  int byes = 0;
  bool incomplete = false;
  for (int i = 1; i <= slots_; ++i) {
    QString name = NameText(i);
    if (IsBye(name)) {
      ++byes;
    } else if (!name.isEmpty()) {
      for (int j = i + 1; j <= slots_; ++j) {
        if (name != NameText(j)) continue;
        prompts.Beep();
        prompts.Show("Duplicate team names '" + name.toStdString() +
                     "' not allowed.  Please correct.");
        view_->SetColour({BracketPart::TeamName, i}, kDuplicate);
        view_->SetColour({BracketPart::TeamName, j}, kDuplicate);
        return false;
      }
    } else {
      incomplete = true;
    }
  }

  if (incomplete) {
    prompts.Beep();
    if (prompts.Ask("Bracket not completed.  Save anyway?", MsgButtons::YesNo, MsgIcon::None) ==
        MsgAnswer::No)
      return false;
  }

  // A game of two Byes has no team to play on.
  for (int g = 1; g <= slots_ / 2; ++g) {
    if (IsBye(NameText(2 * g - 1)) && IsBye(NameText(2 * g))) {
      prompts.Beep();
      prompts.Show(kTooManyByes);
      return false;
    }
  }

  if (byes != s.NumSlots - s.Pool.NumTeams) {
    prompts.Beep();
    if (byes < slots_ / 2 && slots_ - byes >= 4) {
      if (prompts.Ask("Number of 'Bye' games not consistent with \n\r"
                      "number of teams/players specified when setting jackpot parameters\n\r"
                      "Change number of teams/players parameter?",
                      MsgButtons::YesNo, MsgIcon::None) == MsgAnswer::No)
        return false;
    } else {
      prompts.Beep();
      prompts.Show(kTooManyByes);
      return false;
    }
  }

  int answer = ConfirmTeamChange();
  s.DialogCancelled = false;
  if (answer == 2) {
    s.DialogCancelled = true;
    return false;
  }
  if (answer != 7) {
    for (int i = 1; i <= slots_; ++i) {
      s.Teams[i].Name = NameText(i).toStdString();
      s.Teams[i].Seed = SeedValue(SeedText(i));
    }
    s.Pool.NumTeams = static_cast<int16_t>(slots_ - byes);
    SetupBracketFromParameters(s, prompts);
    FillByes(s);
    if (changed_) s.PoolChanged = true;
    changed_ = false;
  }
  if (ctx_.main) ctx_.main->AdjustMenuForParameters();
  s.DialogCancelled = false;
  return true;
}

void frmSetup::cmdOK_Click() {
  Ok();
}

bool frmSetup::Ok() {
  if (!Save()) return false;
  if (savingForPreview_) return true;
  Sound("pswitch");
  // Inside the close question the close goes on by itself.
  if (!closing_) Unload();
  return true;
}

void frmSetup::cmdCancel_Click() {
  if (QueryClose()) Unload();
}

bool frmSetup::QueryClose() {
  PoolState& s = ctx_.pool;
  MsgAnswer answer = AskKeepChanges(ctx_.prompts, changed_);
  if (answer == MsgAnswer::Cancel) {
    s.DialogCancelled = true;
    Sound("start");
    return false;
  }
  if (answer == MsgAnswer::Yes) {
    closing_ = true;
    bool saved = Ok();
    closing_ = false;
    // Refused or cancelled: what was typed stays in the window.
    if (!saved) return false;
  }
  Sound(changed_ ? "whoosh" : "drcls3");
  return true;
}

void frmSetup::PrintPreview() {
  if (!view_) return;
  PoolState& s = ctx_.pool;
  Sound("start");
  if (s.PrintEntry != 0) {
    ctx_.prompts.Beep();
    ctx_.prompts.Show(kPreviewOpenText, MsgIcon::Exclamation);
    return;
  }
  if (changed_) {
    ctx_.prompts.Beep();
    MsgAnswer answer =
        ctx_.prompts.Ask(kSaveBeforePreviewText, MsgButtons::YesNoCancel, MsgIcon::None);
    if (answer == MsgAnswer::Cancel) return;
    if (answer == MsgAnswer::Yes) {
      savingForPreview_ = true;
      bool saved = Save();
      savingForPreview_ = false;
      if (!saved) return;
    }
  }
  OpenPrintForm(ctx_, -2);
}

void frmSetup::OnDropped(BoxRef target, BoxRef source) {
  if (target.part == BracketPart::TeamName) txtTeamName_DragDrop(target.index, source);
}

void frmSetup::OnMousePressed(BoxRef, Qt::MouseButton button) {
  ctx_.pool.SoundPlayed = 0;
  if (button == Qt::RightButton) ShowEditPopupMenu();
}

}  // namespace qb
