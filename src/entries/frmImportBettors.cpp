#include "entries/frmImportBettors.h"

#include <QScreen>
#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <sstream>

#include "core/prompts.h"
#include "core/sound_effects.h"
#include "entries/frmEditBettor.h"
#include "platform/grid_view.h"
#include "platform/twips.h"

namespace qb {

namespace {

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

constexpr int kColName = 0, kColAction = 1, kColIBR = 2, kColEMail = 3, kColInfo = 5, kColBR = 6;

constexpr const char* kPoolFileFilter = "Quorvel Brakkon Files (*.qbp *.qbe *.qbi);;All files (*)";
constexpr const char* kCsvFilter = "Comma-delimited files (*.csv *.txt);;All files (*)";

constexpr const char* kInstructions =
    "Click on Action, E-mail, Phone, or Info flag to toggle those values."
    "    'Y' indicates to overlay, 'N' do not overlay, 'ND' indicates that new data will replace "
    "an "
    "empty data field, and ' * ' indicates that the current data will not be affected.";

}  // namespace

frmImportBettors::frmImportBettors(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
  setObjectName("frmImportBettors");
  setWindowTitle("Bring in Participants from Another File");
  setModal(true);

  fraLocate = new QGroupBox("Select Type of File to Process", this);
  fraLocate->setObjectName("fraLocate");
  optQBFile = new QRadioButton("Quorvel Brakkon file", fraLocate);
  optQBFile->setObjectName("optQBFile");
  optQBFile->setChecked(true);
  optCDF = new QRadioButton("Comma-delimited file", fraLocate);
  optCDF->setObjectName("optCDF");
  cmdLocate = new QPushButton("Locate File...", fraLocate);
  cmdLocate->setObjectName("cmdLocate");
  cmdLocate->setAutoDefault(false);
  connect(cmdLocate, &QPushButton::clicked, this, [this] { cmdLocate_Click(); });
  auto* locate = new QHBoxLayout(fraLocate);
  locate->addWidget(optQBFile);
  locate->addWidget(optCDF);
  locate->addStretch();
  locate->addWidget(cmdLocate);

  fraData = new QGroupBox("Participant data to be brought in:", this);
  fraData->setObjectName("fraData");
  lblInstructions2 = new QLabel(fraData);
  lblInstructions2->setObjectName("lblInstructions2");
  lblInstructions2->setWordWrap(true);
  flxBettor = new GridView(fraData);
  flxBettor->setObjectName("flxBettor");
  flxBettor->setMinimumSize(TwipsToPixels(QSize(4400, 3000)));
  flxBettor->installEventFilter(this);
  connect(flxBettor, &GridView::Click, this, [this] {
    // A click on the headings changes nothing.
    if (flxBettor->MouseRow() < 1 || flxBettor->MouseCol() < 0) return;
    flxBettor_Click();
  });
  auto* data = new QVBoxLayout(fraData);
  data->addWidget(lblInstructions2);
  data->addWidget(flxBettor, 1);

  Grid& g = flxBettor->grid();
  g.SetCols(7);
  g.SetRows(1);
  g.SetFixedRows(1);
  g.SetFixedCols(0);
  const char* headers[] = {"Participant Name", "Action", "IBR", "E-m", "Ph", "Info", "BR"};
  // Wide enough for the captions and actions in the screen font.
  const int widths[] = {1800, 1200, 0, 500, 500, 500, 0};
  for (int c = 0; c < 7; ++c) {
    g.SetTextMatrix(0, c, headers[c]);
    g.SetColWidth(c, widths[c]);
    g.SetCellAlignmentAt(0, c, flexAlignCenterCenter);
  }
  g.SetRowHeight(0, 450);

  cmdOK = new QPushButton("Add to File", this);
  cmdOK->setObjectName("cmdOK");
  cmdCancel = new QPushButton("Cancel", this);
  cmdCancel->setObjectName("cmdCancel");
  cmdHelp = new QPushButton("Help", this);
  cmdHelp->setObjectName("cmdHelp");
  for (QPushButton* b : {cmdOK, cmdCancel, cmdHelp}) b->setAutoDefault(false);
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  connect(cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  buttons->addWidget(cmdHelp);

  auto* layout = new QVBoxLayout(this);
  fraLocate->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
  layout->addWidget(fraLocate);
  layout->addWidget(fraData, 1);
  layout->addStretch(0);  // takes the room while no data is shown
  layout->addLayout(buttons);
  ClearSoundPlayedOnInput(this, ctx_.pool);

  FormLoad();
}

void frmImportBettors::FormLoad() {
  PoolState& s = ctx_.pool;
  s.DialogCancelled = true;
  if (s.BettorImportFromEntries) {
    fraLocate->hide();
    FillBettorGrid();
  } else {
    // Nothing of an earlier import is offered: the user chooses the file.
    ClearImportBettors(s);
    fraLocate->show();
    ShowData(false);
    adjustSize();
  }
}

void frmImportBettors::ShowData(bool shown) {
  fraData->setVisible(shown);
  cmdOK->setEnabled(shown);
  cmdOK->setDefault(shown);
}

void frmImportBettors::cmdLocate_Click() {
  PlaySoundEffect(ctx_.pool, ctx_.waves, "start");
  const bool poolFile = optQBFile->isChecked();
  auto name = ctx_.files.GetOpenFileName("Locate File", poolFile ? kPoolFileFilter : kCsvFilter,
                                         ctx_.pool.ImportBettorsPath);
  LoadBettorFile(name.value_or(""));
}

void frmImportBettors::LoadBettorFile(const std::string& path) {
  PoolState& s = ctx_.pool;
  if (path.empty()) {
    ctx_.prompts.Beep();
    ctx_.prompts.Show("No file selected");
    return;
  }
  // Each file starts a list of its own: nothing of the file before is offered.
  ClearImportBettors(s);
  rows_.clear();
  ShowData(false);
  s.ImportBettorsPath = path;
  std::string bytes, error;
  if (!ReadImportFileBytes(path, bytes, error)) {
    ctx_.prompts.Beep();
    ctx_.prompts.Show("Unable to read file " + path + "\n\n" + error, MsgIcon::Exclamation);
    return;
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  bool read = true;
  if (optQBFile->isChecked()) {
    QApplication::restoreOverrideCursor();  // the reader may ask
    read = ReadPoolFileBettors(bytes, s, ctx_.prompts);
  } else {
    std::istringstream in(CsvTextAsUtf8(bytes));
    ReadCsvBettors(in, s);
    QApplication::restoreOverrideCursor();
  }
  if (const std::string why = read ? UnstorableImportText(s) : ""; !why.empty()) {
    ctx_.prompts.Beep();
    ctx_.prompts.Show(why, MsgIcon::Exclamation);
    read = false;
  }
  if (!read) {
    ClearImportBettors(s);
    return;
  }
  FillBettorGrid();
}

void frmImportBettors::FillBettorGrid() {
  PoolState& s = ctx_.pool;
  lblInstructions2->setText(kInstructions);
  rows_ = FillBettorRows(s);
  Grid& g = flxBettor->grid();
  g.SetRows(1 + static_cast<int>(rows_.size()));
  for (int r = 1; r < g.Rows(); ++r) ShowRow(r);
  if (!rows_.empty()) {
    g.SetRow(1);
    g.SetCol(kColAction);
  } else {
    std::string text = "No new bettor data in the import file!\r\n\r\n";
    if (s.BettorImportFromEntries) {
      text += "Click on 'Continue' to process entries.";
      cmdOK->setText("Continue");
    } else {
      text += "Nothing will be processed!";
    }
    lblInstructions2->setText(Q(text));
  }
  s.DialogCancelled = true;
  // Each column as wide as what it shows or may come to show.
  flxBettor->FitColumnToTexts(kColName);
  flxBettor->FitColumnToTexts(kColAction, {"Add as new", "Overlay", "New Data", "Keep current"});
  flxBettor->setMinimumWidth(
      std::min(flxBettor->ColumnsWidth(), flxBettor->screen()->availableGeometry().width() * 4 / 5));
  flxBettor->RefreshLayout();
  ShowData(true);
  // Never smaller than what the frame and its grid need, so no edge is hidden.
  resize(size().expandedTo(sizeHint()).expandedTo(TwipsToPixels(QSize(6600, 5600))));
}

void frmImportBettors::ShowRow(int r) {
  const BettorImportRow& row = rows_.at(r - 1);
  Grid& g = flxBettor->grid();
  g.SetTextMatrix(r, kColName, row.name);
  g.SetTextMatrix(r, kColAction, row.action);
  g.SetTextMatrix(r, kColIBR, std::to_string(row.importIndex));
  for (int f = 0; f < 3; ++f) {
    g.SetTextMatrix(r, kColEMail + f, row.marks[f]);
    g.SetCellAlignmentAt(r, kColEMail + f, flexAlignCenterCenter);
  }
  g.SetTextMatrix(r, kColBR, std::to_string(row.poolIndex));
}

void frmImportBettors::flxBettor_Click() {
  PlaySoundEffect(ctx_.pool, ctx_.waves, "start");
  const Grid& g = flxBettor->grid();
  const int r = g.Row(), c = g.Col();
  if (r < 1 || r > static_cast<int>(rows_.size())) return;
  BettorImportRow& row = rows_[r - 1];
  if (c == kColAction)
    ClickBettorAction(ctx_.pool, row);
  else if (c >= kColEMail && c <= kColInfo)
    ClickBettorMark(ctx_.pool, row, c - kColEMail);
  else
    return;
  ShowRow(r);
}

bool frmImportBettors::eventFilter(QObject* watched, QEvent* event) {
  // The space bar toggles the current cell, as a click does.
  if (watched == flxBettor && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
    flxBettor_Click();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void frmImportBettors::cmdOK_Click() {
  PoolState& s = ctx_.pool;
  if (std::string why = CheckBettorRows(s, rows_); !why.empty()) {
    ctx_.prompts.Beep();
    ctx_.prompts.Show(why, MsgIcon::Exclamation);
    return;
  }
  ApplyBettorRows(s, rows_);
  if (!rows_.empty()) {
    PlaySoundEffect(s, ctx_.waves, "slurp");
    ctx_.prompts.Beep();
    ctx_.prompts.Show("Bettors imported successfully.");
  }
  s.PoolChanged = true;
  s.DialogCancelled = false;
  done(Accepted);
}

void frmImportBettors::cmdCancel_Click() {
  done(Rejected);
}

void frmImportBettors::reject() {
  cmdCancel_Click();
}

void frmImportBettors::done(int result) {
  // Every way out but OK leaves DialogCancelled set.
  if (result != Accepted) ctx_.pool.DialogCancelled = true;
  PlaySoundEffect(ctx_.pool, ctx_.waves, "whoosh");
  QDialog::done(result);
}

void frmImportBettors::cmdHelp_Click() {
  ShowWindowHelp(ctx_, kHelpContext, "frmImportBettors");
}

}  // namespace qb
