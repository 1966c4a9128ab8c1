#include "entries/frmEditEntry.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDrag>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QScrollArea>
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

constexpr const char* kPreviewOpenText =
    "Print Preview already open for another print form!\r\nPlease close it and then try "
    "printing this one again.";
constexpr const char* kSaveBeforePreviewText =
    "Do you want to save your changes before previewing the print form?";

QRect Px(const TwipRect& r) { return TwipsToPixels(r.left, r.top, r.width, r.height); }

QString Q(const std::string& s) { return QString::fromStdString(s); }

const char* ColourOf(PickState state) {
  switch (state) {
    case PickState::Correct: return "#a8e6a0";
    case PickState::Wrong: return "#f4a3a3";
    case PickState::Open: return "#ffff80";
    case PickState::Bye: return "#d8d8d8";
    case PickState::Empty: break;
  }
  return "#80ffff";
}

}  // namespace

// The drawing area: boxes and captions stand on it at fixed places; the
// connector lines are painted on it.
class EditorCanvas : public QWidget {
 public:
  EditorCanvas(frmEditEntry* editor, QWidget* parent) : QWidget(parent), editor_(editor) {}
  std::vector<BracketLine> lines;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setPen(QPen(palette().color(QPalette::WindowText), 1));
    for (const BracketLine& l : lines)
      p.drawLine(TwipsToPixels(l.x1), TwipsToPixels(l.y1), TwipsToPixels(l.x2),
                 TwipsToPixels(l.y2));
  }

 private:
  frmEditEntry* editor_;
};

// One member of the editor's control arrays. Team names and winner boxes start
// a drag when pressed and moved; winner boxes, round headings and the team
// column take drops.
class BracketBox : public QLabel {
 public:
  enum Kind { TeamId, TeamName, TeamSeed, Winner, WinnerSeed, RoundHeading, BottomHeading,
              TeamHeading };
  BracketBox(frmEditEntry* editor, Kind kind, int index, QWidget* parent)
      : QLabel(parent), editor_(editor), kind_(kind), index_(index) {
    const bool acceptsDrops =
        kind == Winner || kind == RoundHeading || kind == TeamName || kind == TeamSeed ||
        kind == TeamHeading;
    setAcceptDrops(acceptsDrops);
    if (kind == TeamName || kind == TeamSeed || kind == Winner || kind == WinnerSeed) {
      setFrameShape(QFrame::Box);
      setAutoFillBackground(true);
      setIndent(2);
    }
    if (kind == TeamSeed || kind == WinnerSeed || kind == TeamId)
      setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (kind == RoundHeading || kind == BottomHeading || kind == TeamHeading)
      setAlignment(Qt::AlignCenter);
  }
  Kind kind() const { return kind_; }
  int index() const { return index_; }
  bool draggable = false;

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    editor_->BoxPressed(e->button());
    if (e->button() == Qt::LeftButton) pressPos_ = e->position().toPoint();
    pressed_ = e->button() == Qt::LeftButton;
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    if (!pressed_ || !draggable) return;
    if ((e->position().toPoint() - pressPos_).manhattanLength() < QApplication::startDragDistance())
      return;
    pressed_ = false;
    DragSource source{kind_ == Winner ? DragSource::Winner : DragSource::TeamName, index_};
    auto* drag = new QDrag(this);
    drag->setMimeData(frmEditEntry::DragData(source));
    QPixmap picture = grab();
    drag->setPixmap(picture);
    drag->setHotSpot(pressPos_);
    drag->exec(Qt::CopyAction);
  }
  void mouseReleaseEvent(QMouseEvent*) override { pressed_ = false; }
  void dragEnterEvent(QDragEnterEvent* e) override {
    if (e->mimeData()->hasFormat(kPickMimeType)) e->acceptProposedAction();
  }
  void dragMoveEvent(QDragMoveEvent* e) override {
    if (e->mimeData()->hasFormat(kPickMimeType)) e->acceptProposedAction();
  }
  void dropEvent(QDropEvent* e) override {
    // The drop is handled after the drag's own loop has ended, so a refusal's
    // beep or a message never runs inside it.
    QPointer<BracketBox> self(this);
    auto* data = new QMimeData;
    data->setData(kPickMimeType, e->mimeData()->data(kPickMimeType));
    e->acceptProposedAction();
    QTimer::singleShot(0, editor_, [self, data, editor = editor_] {
      if (self) editor->DropOn(self, data);
      delete data;
    });
  }

 private:
  frmEditEntry* editor_;
  Kind kind_;
  int index_;
  QPoint pressPos_;
  bool pressed_ = false;
};

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
  return true;
}

frmEditEntry::frmEditEntry(AppContext& ctx, QWidget* parent)
    : ChildWindow(ctx, parent), dialogs_(&StandardEntryDialogs()) {
  setObjectName("frmEditEntry");
  setAttribute(Qt::WA_DeleteOnClose);
  setFocusPolicy(Qt::StrongFocus);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  scroll_ = new QScrollArea(this);
  scroll_->setWidgetResizable(false);
  outer->addWidget(scroll_);
  canvas_ = new EditorCanvas(this, nullptr);
  canvas_->setObjectName("canvas");
  QFont small = canvas_->font();
  small.setPixelSize(10);
  canvas_->setFont(small);
  canvas_->installEventFilter(this);
  scroll_->setWidget(canvas_);
  RunGuarded(ctx_, this, false, "frmEditEntry.Form_Load", [this] { FormLoad(); });
  loading_ = false;
}

frmEditEntry::~frmEditEntry() {
  // A window destroyed without closing (the main window going away) still
  // frees the one-entry-at-a-time mark.
  if (!unloaded_ && ctx_.pool.EditEntryNumber == entry_) ctx_.pool.EditEntryNumber = 0;
}

QWidget* frmEditEntry::canvas() const { return canvas_; }

QWidget* frmEditEntry::OwnerWindow() { return MainWindowWidget(ctx_, this); }

void frmEditEntry::FormLoad() {
  PoolState& s = ctx_.pool;
  s.SoundPlayed = 1;
  entry_ = s.EditEntryNumber;
  if (entry_ < 1 || entry_ > s.NumEntries) {
    // Nothing to edit: the opener drops the window.
    s.DialogCancelled = true;
    unloaded_ = true;
  }
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
  move(0, 0);
  changed_ = false;
}

void frmEditEntry::DrawBracket() {
  const PoolState& s = ctx_.pool;
  const EditorLayout& l = *layout_;
  canvas_->resize(TwipsToPixels(l.width), TwipsToPixels(l.height));
  canvas_->lines = l.bracket.lines;

  auto make = [this](BracketBox::Kind kind, int index, const QString& name, const TwipRect& r) {
    auto* b = new BracketBox(this, kind, index, canvas_);
    b->setObjectName(name);
    b->setGeometry(Px(r));
    return b;
  };
  auto member = [](const char* name, int index) { return QString("%1(%2)").arg(name).arg(index); };
  auto slot = [](std::vector<BracketBox*>& array, int index) -> BracketBox*& {
    if (index >= static_cast<int>(array.size())) array.resize(index + 1, nullptr);
    return array[index];
  };
  lblTeamId.assign(s.NumSlots + 1, nullptr);
  txtTeamName.assign(s.NumSlots + 1, nullptr);
  txtTeamSeed.assign(s.NumSlots + 1, nullptr);
  txtWinner.assign(s.NumGames + 1, nullptr);
  txtWinnerSeed.assign(s.NumGames + 1, nullptr);
  lblRound.assign(1, nullptr);
  lblBottomRound.assign(1, nullptr);
  lblRound0.clear();
  for (const BracketItem& item : l.bracket.items) {
    const int i = item.index;
    switch (item.part) {
      case BracketPart::TeamId:
        slot(lblTeamId, i) = make(BracketBox::TeamId, i, member("lblTeamId", i), item.rect);
        lblTeamId[i]->setText(Q(item.text));
        break;
      case BracketPart::TeamName:
        slot(txtTeamName, i) = make(BracketBox::TeamName, i, member("txtTeamName", i), item.rect);
        break;
      case BracketPart::TeamSeed:
        slot(txtTeamSeed, i) = make(BracketBox::TeamSeed, i, member("txtTeamSeed", i), item.rect);
        break;
      case BracketPart::Winner:
        slot(txtWinner, i) = make(BracketBox::Winner, i, member("txtWinner", i), item.rect);
        txtWinner[i]->draggable = true;
        break;
      case BracketPart::WinnerSeed:
        slot(txtWinnerSeed, i) =
            make(BracketBox::WinnerSeed, i, member("txtWinnerSeed", i), item.rect);
        break;
      case BracketPart::RoundCaption:
        slot(lblRound, i) = make(BracketBox::RoundHeading, i, member("lblRound", i), item.rect);
        lblRound[i]->setText(Q(item.text));
        break;
      case BracketPart::BottomRoundCaption:
        slot(lblBottomRound, i) =
            make(BracketBox::BottomHeading, i, member("lblBottomRound", i), item.rect);
        lblBottomRound[i]->setText(Q(item.text));
        break;
      case BracketPart::TeamCaption:
        lblRound0.push_back(make(BracketBox::TeamHeading, 0,
                                 i == 1 ? "lblRound0" : "lblRound0Right", item.rect));
        lblRound0.back()->setText(Q(item.text));
        break;
      case BracketPart::Heading: {
        auto* label = new QLabel(Q(item.text), canvas_);
        label->setGeometry(Px(item.rect));
        label->setAlignment(Qt::AlignCenter);
        break;
      }
      default:
        break;
    }
  }
  // Every member a game or slot needs exists, whatever the geometry gave.
  for (int t = 1; t <= s.NumSlots; ++t) {
    if (!txtTeamName[t]) txtTeamName[t] = make(BracketBox::TeamName, t, member("txtTeamName", t), {});
    if (!txtTeamSeed[t]) txtTeamSeed[t] = make(BracketBox::TeamSeed, t, member("txtTeamSeed", t), {});
  }
  for (int g = 1; g <= s.NumGames; ++g) {
    if (!txtWinner[g]) txtWinner[g] = make(BracketBox::Winner, g, member("txtWinner", g), {});
    if (!txtWinnerSeed[g])
      txtWinnerSeed[g] = make(BracketBox::WinnerSeed, g, member("txtWinnerSeed", g), {});
  }

  // Tiebreaker frame.
  fraTiebreaker = new QGroupBox(canvas_);
  fraTiebreaker->setObjectName("fraTiebreaker");
  if (l.bracket.tiebreakerFrame) fraTiebreaker->setGeometry(Px(*l.bracket.tiebreakerFrame));
  lblTiebreaker = new QLabel("Tiebreaker:", fraTiebreaker);
  lblTiebreaker->setObjectName("lblTiebreaker");
  lblTiebreaker->setGeometry(TwipsToPixels(100, 120, 1100, 200));
  lblTiebreakerType = new QLabel(Q(s.Pool.TiebreakerType), fraTiebreaker);
  lblTiebreakerType->setObjectName("lblTiebreakerType");
  lblTiebreakerType->setWordWrap(true);
  lblTiebreakerType->setGeometry(TwipsToPixels(100, 300, 1100, 420));
  txtTiebreakerAmt = new QLineEdit(fraTiebreaker);
  txtTiebreakerAmt->setObjectName("txtTiebreakerAmt");
  txtTiebreakerAmt->setToolTip("Enter the predicted amount for the tiebreaker.");
  txtTiebreakerAmt->setGeometry(TwipsToPixels(100, 730, 1000, 240));
  // Only a number can be typed, so the stored amount is the one shown.
  txtTiebreakerAmt->setValidator(new QRegularExpressionValidator(
      QRegularExpression(R"(-?\d{0,9}(\.\d{0,4})?)"), txtTiebreakerAmt));
  txtTiebreakerAmt->installEventFilter(this);
  connect(txtTiebreakerAmt, &QLineEdit::textChanged, this, [this] {
    if (!loading_) changed_ = true;
  });
  const bool numeric = s.NumericTiebreaker;
  fraTiebreaker->setVisible(numeric);

  chkCollected = new QCheckBox("Collected", canvas_);
  chkCollected->setObjectName("chkCollected");
  chkCollected->setToolTip("Indicates if the funds have been collected to cover the entry.");
  chkCollected->setGeometry(Px(l.collected));
  connect(chkCollected, &QCheckBox::pressed, this, [this] { ctx_.pool.SoundPlayed = 0; });
  connect(chkCollected, &QCheckBox::clicked, this, [this] {
    changed_ = true;
    PlaySoundEffect(ctx_.pool, ctx_.waves, "start");
  });

  // Scoring frames: one column per round and the totals.
  fraScoring = new QGroupBox("Scoring", canvas_);
  fraScoring->setObjectName("fraScoring");
  fraScoring->setGeometry(Px(l.scoringFrame));
  fraStats = new QGroupBox("Games with upset winner", canvas_);
  fraStats->setObjectName("fraStats");
  fraStats->setGeometry(Px(l.statsFrame));
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
  for (int t = 1; t < static_cast<int>(txtTeamName.size()); ++t) {
    txtTeamName[t]->setText(Q(s.Teams[t].Name));
    txtTeamSeed[t]->setText(QString::number(s.Teams[t].Seed));
    // A Bye slot has no team to drag.
    txtTeamName[t]->draggable = !IsByeSlot(s, t);
    txtTeamName[t]->setEnabled(!IsByeSlot(s, t));
  }
  ShowBoard();
}

void frmEditEntry::ShowBoard() {
  const PoolState& s = ctx_.pool;
  for (int g = 1; g < static_cast<int>(txtWinner.size()); ++g) {
    const int t = g < static_cast<int>(board_.size()) ? board_[g] : 0;
    if (t >= 1 && t <= s.NumSlots) {
      txtWinner[g]->setText(Q(s.Teams[t].Name));
      txtWinnerSeed[g]->setText(QString::number(s.Teams[t].Seed));
    } else {
      txtWinner[g]->setText(" ");
      txtWinnerSeed[g]->setText(" ");
    }
    txtWinner[g]->setProperty("Tag", t);
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
  for (int g = 1; g < static_cast<int>(txtWinner.size()); ++g) {
    const PickState state =
        g < static_cast<int>(score_.states.size()) ? score_.states[g] : PickState::Empty;
    const QString style = QString("background-color: %1; color: black;").arg(ColourOf(state));
    txtWinner[g]->setStyleSheet(style);
    txtWinnerSeed[g]->setStyleSheet(style);
    txtWinner[g]->setProperty("PickState", static_cast<int>(state));
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
  const bool show = ctx_.main ? ctx_.main->ShowEntryScoringChecked() : true;
  const int height = TwipsToPixels(HeightForScoring(*layout_, show));
  canvas_->resize(canvas_->width(), height);
  // The window fits the drawing; the scroll area takes over when the main
  // window is smaller.
  const int frame = 2 * scroll_->frameWidth();
  resize(canvas_->width() + frame, height + frame);
}

void frmEditEntry::showEvent(QShowEvent* event) {
  ChildWindow::showEvent(event);
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

void frmEditEntry::BoxPressed(Qt::MouseButton button) {
  ctx_.pool.SoundPlayed = 0;
  if (button == Qt::RightButton) ShowEntryPopupMenu();
}

void frmEditEntry::mousePressEvent(QMouseEvent* e) { BoxPressed(e->button()); }

void frmEditEntry::keyPressEvent(QKeyEvent* e) {
  ctx_.pool.SoundPlayed = 0;
  ChildWindow::keyPressEvent(e);
}

bool frmEditEntry::eventFilter(QObject* watched, QEvent* e) {
  if (watched == canvas_ && e->type() == QEvent::MouseButtonPress) {
    BoxPressed(static_cast<QMouseEvent*>(e)->button());
  } else if (watched == txtTiebreakerAmt) {
    if (e->type() == QEvent::FocusIn)
      QTimer::singleShot(0, txtTiebreakerAmt, [box = txtTiebreakerAmt] { SelectAllText(box); });
    if (e->type() == QEvent::KeyPress) ctx_.pool.SoundPlayed = 0;
  }
  return ChildWindow::eventFilter(watched, e);
}

void frmEditEntry::ShowEntryPopupMenu() {
  if (!ctx_.main) return;
  // Another window may have hidden some of them.
  for (const char* item : {"mnuEntryPopUpOK", "mnuEntryPopUpEntryInfo", "mnuEntryPopUpShowParms",
                           "mnuEntryPopUpFill", "mnuEntryPopUpClear", "mnuEntryPopUpCopyEntry",
                           "mnuEntryPopUpBar1"})
    ctx_.main->SetEntryPopupItemVisible(item, true);
  ctx_.main->SetSaveCancelMenu(true);
  ctx_.main->PopupEntryMenu(this);
}

QMimeData* frmEditEntry::DragData(DragSource source) {
  auto* data = new QMimeData;
  const char kind = source.kind == DragSource::Winner ? 'W' : 'T';
  data->setData(kPickMimeType, QByteArray(1, kind) + ":" + QByteArray::number(source.index));
  return data;
}

bool frmEditEntry::DropOn(QWidget* target, const QMimeData* data) {
  auto* box = dynamic_cast<BracketBox*>(target);
  if (!box || box->window() != window() || !data || !data->hasFormat(kPickMimeType)) return false;
  const QByteArray raw = data->data(kPickMimeType);
  if (raw.size() < 3 || raw[1] != ':' || (raw[0] != 'W' && raw[0] != 'T')) return false;
  bool ok = false;
  const int index = raw.mid(2).toInt(&ok);
  if (!ok) return false;
  DragSource source{raw[0] == 'W' ? DragSource::Winner : DragSource::TeamName, index};

  PoolState& s = ctx_.pool;
  PickDropOutcome out;
  switch (box->kind()) {
    case BracketBox::Winner:
      out = DropOnWinner(s, board_, source, box->index());
      break;
    case BracketBox::RoundHeading:
      out = DropOnRoundHeading(s, board_, source, box->index());
      break;
    case BracketBox::TeamName:
    case BracketBox::TeamSeed:
    case BracketBox::TeamHeading:
      out = DropOnTeamColumn(s, board_, source);
      break;
    default:
      return false;
  }
  if (!out.changed) return true;
  changed_ = true;
  if (out.place.refused)
    ctx_.prompts.Beep();
  else
    PlaySounds(out.place);
  ShowBoard();
  ShowEntryScoring();
  return true;
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
  if (ctx_.main) ctx_.main->HideBottomToolbar();
  event->accept();
}

bool frmEditEntry::Unload() {
  unloading_ = true;
  bool closed;
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
    closed = sub->close();
  else
    closed = close();
  unloading_ = false;
  return closed && unloaded_;
}

void frmEditEntry::ReturnToCaller() {
  PoolState& s = ctx_.pool;
  if (callerName_ != "frmSelectEntry") {
    if (caller_) {
      caller_->activateWindow();
      caller_->setFocus();
    }
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
  s.PrintEntry = static_cast<int16_t>(entry_);
  if (!dialogs_->PrintForm(ctx_, OwnerWindow())) {
    s.PrintEntry = 0;
    ctx_.prompts.Beep();
    ctx_.prompts.Show(kNoPrintFormText, MsgIcon::Information);
  }
}

}  // namespace qb
