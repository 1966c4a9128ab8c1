#include "standings/frmEntriesWithPick.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/sound_effects.h"
#include "entries/frmEditBettor.h"
#include "entries/frmEditEntry.h"
#include "platform/control_helpers.h"
#include "platform/error_report.h"
#include "platform/grid_view.h"
#include "platform/main_window_api.h"
#include "platform/services.h"
#include "platform/twips.h"
#include "standings/report_window.h"

namespace qb {

template <class F>
void frmEntriesWithPick::Guard(const char* handler, F&& f) {
  RunGuarded(ctx_, this, false, std::string("frmEntriesWithPick.") + handler, std::forward<F>(f));
}

frmEntriesWithPick::frmEntriesWithPick(AppContext& ctx, QWidget* parent)
    : QWidget(parent, Qt::Window), ctx_(ctx) {
  setObjectName("frmEntriesWithPick");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("Entries with Pick");

  auto* layout = new QVBoxLayout(this);
  lblHeader = new QLabel("Entries with xxxx advancing to the xth round.", this);
  lblHeader->setObjectName("lblHeader");
  lblHeader->setTextFormat(Qt::PlainText);  // team names such as "<Big Ten>" are no markup
  lblHeader->setWordWrap(true);
  layout->addWidget(lblHeader);
  flxEntries = new GridView(this);
  flxEntries->setObjectName("flxEntries");
  // Focus handed to the window as a whole (the entry editor closing) goes to
  // the list, where the keys choose the next entry.
  setFocusProxy(flxEntries);
  layout->addWidget(flxEntries, 1);
  auto* buttons = new QHBoxLayout;
  cmdShow = MakeButton(this, "cmdShow", "Show Entry", "Display the selected entry.",
                       [this] { Guard("cmdShow_Click", [this] { cmdShow_Click(); }); });
  cmdCancel = MakeButton(this, "cmdCancel", "Close", "Close this window.",
                         [this] { Guard("cmdCancel_Click", [this] { cmdCancel_Click(); }); });
  cmdHelp = MakeButton(this, "cmdHelp", "Help", "",
                       [this] { Guard("cmdHelp_Click", [this] { cmdHelp_Click(); }); });
  buttons->addWidget(cmdShow);
  buttons->addStretch();
  buttons->addWidget(cmdCancel);
  buttons->addWidget(cmdHelp);
  layout->addLayout(buttons);
  connect(flxEntries, &GridView::DblClick, this,
          [this] { Guard("flxEntries_DblClick", [this] { flxEntries_DblClick(); }); });

  ClearSoundPlayedOnInput(this, ctx_.pool);

  resize(TwipsToPixels(5400), TwipsToPixels(5000));
  Guard("Form_Load", [this] { FormLoad(); });
}

frmEntriesWithPick* frmEntriesWithPick::Loaded() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* f = qobject_cast<frmEntriesWithPick*>(w))
      if (f->isVisible()) return f;  // a closed one only waits to be deleted
  return nullptr;
}

frmEntriesWithPick* frmEntriesWithPick::ShowFor(AppContext& ctx) {
  frmEntriesWithPick* f = Loaded();
  if (!f) {
    f = new frmEntriesWithPick(ctx);
    CenterFormInMain(f, ctx.pool);
  }
  f->show();
  f->raise();
  f->activateWindow();
  return f;
}

void frmEntriesWithPick::FormLoad() {
  BusyCursor busy;
  listed_ = ListedEntryIds(ctx_.pool);
  const PoolState& s = ctx_.pool;
  lblHeader->setText(
      QString::fromStdString(EntriesWithPickHeading(s, s.AnalysisTeam, s.AnalysisRound)));
  layout()->activate();  // the grid's width, before the window is first shown
  FillEntriesWithPickGrid(flxEntries->grid(),
                          FindEntriesWithPick(s, s.AnalysisTeam, s.AnalysisRound),
                          GridWidthTwips());
}

int frmEntriesWithPick::GridWidthTwips() const {
  return static_cast<int>(PixelsToTwips(flxEntries->width()));
}

void frmEntriesWithPick::Sound(const char* name) {
  PlaySoundEffect(ctx_.pool, ctx_.waves, name);
}

void frmEntriesWithPick::cmdShow_Click() {
  Sound("start");
  const Grid& g = flxEntries->grid();
  if (g.Row() < 1 || g.Row() >= g.Rows()) return;
  const int e = static_cast<int>(GridNumber(g.TextMatrix(g.Row(), 0)));
  if (e <= 0) return;
  // The list was made from the pool as it was: an entry deleted since, or a
  // pool opened in its place, must not open another entry in its stead.
  if (ctx_.pool.EditEntryNumber <= 0) {
    const int now = ListedEntryOrSayGone(ctx_, listed_, e);
    if (now > 0) OpenEntryEditor(ctx_, now, this);
    return;
  }
  OpenEntryEditor(ctx_, e, this);  // which says that another entry is open
}

void frmEntriesWithPick::flxEntries_DblClick() {
  const Grid& g = flxEntries->grid();
  const int row = flxEntries->MouseRow(), col = flxEntries->MouseCol();
  if (row < 0 || col < 0) return;
  if (row == 0) {
    SortPickGrid(flxEntries->grid(), col, PickGridHeaderSort(col));
    return;
  }
  if (row < g.Rows()) cmdShow_Click();
}

void frmEntriesWithPick::cmdCancel_Click() {
  close();
}

void frmEntriesWithPick::cmdHelp_Click() {
  if (ctx_.main)
    ctx_.main->DisplayContextHelp(kHelpFile, kHelpEntriesWithPick, "frmEntriesWithPick");
  else
    ctx_.help.ShowTopic(kHelpFile, kHelpEntriesWithPick, "frmEntriesWithPick");
}

void frmEntriesWithPick::closeEvent(QCloseEvent* e) {
  // From the close box: a new sound action.
  if (e->spontaneous()) ctx_.pool.SoundPlayed = 0;
  Sound("start");
  e->accept();
}

void frmEntriesWithPick::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  Grid& g = flxEntries->grid();
  if (g.Cols() >= 3) g.SetColWidth(1, std::max(GridWidthTwips() - 1100, 0));
}

}  // namespace qb
