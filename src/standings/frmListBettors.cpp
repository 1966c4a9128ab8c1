#include "standings/frmListBettors.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include "entries/frmEditBettor.h"
#include "platform/app_context.h"
#include "platform/grid_view.h"
#include "platform/twips.h"

namespace qb {
namespace {

// Text measured in the grid's font.
class FontMeasure : public TextMeasure {
 public:
  explicit FontMeasure(const QFont& font) : metrics_(font) {}
  int Width(const std::string& text) const override {
    return static_cast<int>(
        PixelsToTwips(metrics_.horizontalAdvance(QString::fromStdString(text))));
  }
  int LineHeight() const override { return static_cast<int>(PixelsToTwips(metrics_.height())); }

 private:
  QFontMetrics metrics_;
};

}  // namespace

frmListBettors::frmListBettors(AppContext& ctx, QWidget* parent)
    : ReportWindow(ctx, "frmListBettors", kHelpListBettors, &PoolState::ListBettorsOpen, parent) {
  setWindowTitle("List Participants and Entry Picks");

  QWidget* bettorPage = AddPage("&Participant Listing");
  auto* bettorLayout = new QVBoxLayout(bettorPage);
  auto* controls = new QHBoxLayout;
  auto* label = new QLabel("Sort By:", bettorPage);
  label->setToolTip("Chose the column on which to sort the report.");
  comSortBy = new QComboBox(bettorPage);
  comSortBy->setObjectName("comSortBy");
  comSortBy->setToolTip(label->toolTip());
  label->setBuddy(comSortBy);
  controls->addWidget(label);
  controls->addWidget(comSortBy);
  controls->addStretch();
  bettorLayout->addLayout(controls);
  flxBettor = MakeGrid(bettorPage, "flxBettor");
  bettorLayout->addWidget(flxBettor, 1);

  QWidget* entryPage = AddPage("&Entry Picks Listing");
  auto* entryLayout = new QVBoxLayout(entryPage);
  flxEntries = MakeGrid(entryPage, "flxEntries");
  entryLayout->addWidget(flxEntries, 1);

  connect(comSortBy, &QComboBox::activated, this, [this] {
    Guard("comSortBy_Click", [this] {
      Sound("start");
      SortBettorGrid();
    });
  });
  connect(flxEntries, &GridView::Click, this,
          [this] { Guard("flxEntries_Click", [this] { flxEntries_Click(); }); });

  ClearSoundPlayedOnInput(this, ctx_.pool);
  Guard("Form_Load", [this] { FormLoad(); });
}

const Grid* frmListBettors::ReportGrid(int page) const {
  if (page == 0) return &flxBettor->grid();
  if (page == 1) return &flxEntries->grid();
  return nullptr;
}

void frmListBettors::FormLoad() {
  BusyCursor busy;
  const PoolState& s = ctx_.pool;
  SSTab1()->setCurrentIndex(0);
  MinimumTwips(6000, 3500);
  SizeTwips(s.MainWidth >= 6400 ? s.MainWidth - 400 : 6000,
            s.MainHeight >= 5500 ? s.MainHeight - 1800 : 3500);

  {
    const QSignalBlocker quiet(comSortBy);
    for (const BettorSortChoice& c : kBettorSortChoices) comSortBy->addItem(c.Text, c.Column);
  }
  listed_ = ListedEntryIds(ctx_.pool);
  FillBettorGrid(flxBettor->grid(), s, ComputeBettorTotals(s));
  // The rows are fitted to the grid's width as they are filled, so a grid
  // of many rows is laid out once.
  listing_.Fill(flxEntries->grid(), s, FontMeasure(flxEntries->font()), EntryGridWidth());
  {
    const QSignalBlocker quiet(comSortBy);
    comSortBy->setCurrentIndex(0);
  }
  SortBettorGrid();
  SetOpenFlag(true);
}

void frmListBettors::SortBettorGrid() {
  const int k = comSortBy->currentIndex();
  if (k < 0) return;
  qb::SortBettorGrid(flxBettor->grid(), comSortBy->itemData(k).toInt(),
                     comSortBy->itemText(k).toStdString());
}

void frmListBettors::flxEntries_Click() {
  const Grid& g = flxEntries->grid();
  const int row = flxEntries->MouseRow();
  if (row < 1 || row >= g.Rows()) return;
  if (RefuseWhileEntryOpen()) return;
  const int e = static_cast<int>(GridNumber(g.TextMatrix(row, 0)));
  OpenListedEntry(listed_, e);  // only a block's first row holds its entry
}

void frmListBettors::resizeEvent(QResizeEvent* e) {
  ReportWindow::resizeEvent(e);
  ScheduleFit();
}

int frmListBettors::EntryGridWidth() const {
  // The entry grid is as wide as the window less 800 twips: known while the
  // window loads, before its pages are laid out, so the rows are fitted once.
  return std::max(static_cast<int>(PixelsToTwips(width())) - 800, 0);
}

void frmListBettors::ScheduleFit() {
  if (fitQueued_) return;
  fitQueued_ = true;
  QTimer::singleShot(0, this, [this] {
    fitQueued_ = false;
    Guard("Form_Resize", [this] { listing_.FitToWidth(flxEntries->grid(), EntryGridWidth()); });
  });
}

void frmListBettors::PlayCloseSound() {
  ctx_.pool.SoundPlayed = 0;
  Sound("start");
}

}  // namespace qb
