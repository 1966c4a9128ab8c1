#include "web/frmDownload.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "core/file_replace.h"
#include "core/sound_effects.h"
#include "platform/control_helpers.h"
#include "platform/error_report.h"
#include "platform/main_window_api.h"
#include "platform/twips.h"
#include "web/logic/email_report.h"
#include "web/logic/web_site.h"
#include "web/web_files.h"

namespace qb {
namespace {

constexpr const char* kWindowName = "frmDownload";

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Case-insensitive order, as a sorted list box keeps it.
bool Before(const std::string& a, const std::string& b) {
  return QString::compare(Q(a), Q(b), Qt::CaseInsensitive) < 0;
}

}  // namespace

frmDownload::frmDownload(AppContext& ctx, QWidget* parent)
    : QDialog(parent), ctx_(ctx), Inet1_(std::make_unique<Transfer>()) {
  setObjectName(kWindowName);
  setWindowTitle("Download from Internet");
  resize(TwipsToPixels(QSize(7200, 5400)));

  comFileType_ = new QComboBox(this);
  comFileType_->setObjectName("comFileType");
  comFileType_->setEditable(false);
  comFileType_->setToolTip("Select the type of file to download.");
  // Wide enough for the usual descriptions; a longer one shows whole in the
  // drop-down list without widening the window past the screen.
  comFileType_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  comFileType_->setMinimumContentsLength(40);
  txtTimeout_ = new QLineEdit("120", this);
  txtTimeout_->setObjectName("txtTimeout");
  txtTimeout_->setToolTip(
      "Enter the amount of time (in seconds) after which to cancel the transaction.");
  txtTimeout_->setMaximumWidth(TwipsToPixels(900));
  txtTimeout_->installEventFilter(this);
  txtMessages_ = new QPlainTextEdit(this);
  txtMessages_->setObjectName("txtMessages");
  txtMessages_->setReadOnly(true);
  txtMessages_->setLineWrapMode(QPlainTextEdit::WidgetWidth);

  cmdDownload_ = MakeButton(this, "cmdDownload", "&Download",
                            "Begin the process to download the bracket file from the Internet.",
                            [this] { cmdDownload_Click(); });
  cmdDownload_->setDefault(true);
  cmdCancel_ = MakeButton(this, "cmdCancel", "Cancel", "Close the window without downloading.",
                          [this] { cmdCancel_Click(); });
  auto* cmdHelp = MakeButton(this, "cmdHelp", "&Help", "", [this] { cmdHelp_Click(); });

  auto* grid = new QGridLayout;
  AddLabeledRow(grid, 0, "&File Type:", comFileType_, 2);
  auto* lblSeconds = new QLabel("seconds", this);
  AddLabeledRow(grid, 1, "&Time-out after:", txtTimeout_);
  grid->addWidget(lblSeconds, 1, 2);
  grid->setColumnStretch(2, 1);
  auto* lblMessages = new QLabel("&Messages:", this);
  lblMessages->setBuddy(txtMessages_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdDownload_);
  buttons->addWidget(cmdCancel_);
  buttons->addWidget(cmdHelp);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(lblMessages);
  layout->addWidget(txtMessages_, 1);
  layout->addLayout(buttons);

  connect(comFileType_, QOverload<int>::of(&QComboBox::activated), this,
          [this](int) { comFileType_Click(); });
  Inet1_->SetStateHandler([this](TransferState s) { Inet1_StateChanged(s); });
  // The fetch waits for the network; the window keeps answering meanwhile,
  // so Cancel can stop it.
  Inet1_->SetIdleHandler([] { QCoreApplication::processEvents(QEventLoop::AllEvents, 20); });

  RunGuarded(ctx_, this, false, kWindowName, [this] { Form_Load(); });
  comFileType_->setFocus();
}

frmDownload::~frmDownload() {
  // Form_Unload: a transfer still running goes without a word.
  Inet1_->Cancel();
  RestorePointer();
}

void frmDownload::ShowModal(AppContext& ctx, QWidget* parent) {
  frmDownload dlg(ctx, parent);
  dlg.exec();
}

void frmDownload::Form_Load() {
  PoolState& pool = ctx_.pool;
  transferFailed_ = false;
  resultsMismatch_ = false;
  fileTypes_.clear();

  QFile file(Q(ReadableDataFile(ctx_, kDownloadListFileName)));
  DownloadList list;
  if (file.open(QIODevice::ReadOnly)) {
    const QByteArray bytes = file.readAll();
    list = ReadDownloadList(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
  }
  if (!list.headerFound) {
    ctx_.prompts.Beep();
    ctx_.prompts.Show(kListMissingText, MsgIcon::Critical);
    return;
  }
  fileTypes_ = list.choices;
  std::vector<int> order(fileTypes_.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
    return Before(fileTypes_[a].description, fileTypes_[b].description);
  });
  for (int i : order) comFileType_->addItem(Q(fileTypes_[i].description), i + 1);
  comFileType_->setCurrentIndex(-1);

  const std::string host = ConfiguredWebSite(ctx_).host;
  const bool results = pool.DownloadType == "Results";
  setWindowTitle(Q((results ? "Download Results from " : "Download Brackets from ") + host));
  if (!list.readError.empty()) throw UnexpectedError(62, list.readError);
  if (!results) return;
  FindListText(comFileType_, Q(pool.Pool.DownloadSource));
  if (comFileType_->currentIndex() < 0) {
    ctx_.prompts.Beep();
    ctx_.prompts.Show(kNotFromDownloadText, MsgIcon::Exclamation);
  }
}

std::string frmDownload::SelectedDescription() const { return passChoice_; }

void frmDownload::comFileType_Click() {
  PlaySoundEffect(ctx_.pool, ctx_.waves, "start");
  // The mismatches listed were those of the file chosen before: another
  // choice is compared afresh.
  if (resultsMismatch_) {
    resultsMismatch_ = false;
    cmdDownload_->setText("&Download");
  }
}

void frmDownload::cmdDownload_Click() {
  if (passRunning_) return;
  PoolState& pool = ctx_.pool;
  PlaySoundEffect(pool, ctx_.waves, "start");
  pool.SoundPlayed = 0;
  fileUnusable_ = false;
  // Each pass stands on its own: a failure before does not fail this one.
  transferFailed_ = false;
  passDone_ = false;
  const int item = comFileType_->currentIndex();
  if (item < 0) {
    ctx_.prompts.Beep();
    ctx_.prompts.Show(kSelectFileTypeText);
    return;
  }
  const int n = comFileType_->itemData(item).toInt();
  const std::string address = fileTypes_.at(static_cast<size_t>(n - 1)).address;
  if (pool.DownloadPath.empty()) pool.DownloadPath = UserDataFile(ctx_, kDownloadedPoolFileName);
  if (SameFile(pool.DownloadPath, pool.PoolFilePath)) {
    ctx_.prompts.Beep();
    ctx_.prompts.Show(kDownloadOverPoolText, MsgIcon::Exclamation);
    return;
  }
  passChoice_ = comFileType_->currentText().toStdString();

  passRunning_ = true;
  hourglass_ = true;
  QApplication::setOverrideCursor(Qt::BusyCursor);
  cmdDownload_->setEnabled(false);
  // The window answers during the fetch: what the pass was started with stays put.
  comFileType_->setEnabled(false);
  txtTimeout_->setEnabled(false);
  try {
    RunPass(address);
  } catch (const std::exception& e) {
    hourglass_ = false;
    ReportUnexpectedError(ctx_, this, false, e, kWindowName);
    Inet1_->Cancel();
    passDone_ = false;
  }
  passRunning_ = false;
  if (closing_) return;  // closed while the pass ran: nothing more to show
  comFileType_->setEnabled(true);
  txtTimeout_->setEnabled(true);
  cmdDownload_->setEnabled(true);
  RestorePointer();
  if (passDone_ && !transferFailed_ && !resultsMismatch_ && !fileUnusable_) {
    pool.PoolChanged = true;
    accept();
  }
}

void frmDownload::RunPass(const std::string& address) {
  const DownloadTimeout timeout = NormalizeDownloadTimeout(txtTimeout_->text().toStdString());
  txtTimeout_->setText(Q(timeout.text));
  Inet1_->SetRequestTimeout(timeout.seconds);
  messages_.clear();
  AppendMessages("Download requested for " + address + "\r\n");
  AppendMessages("Starting...");

  FetchResult got = Inet1_->Fetch(address);
  if (closing_) return;
  if (got.ok) {
    downloaded_ = std::move(got.body);
    // Written whole or not at all, and only once the whole file has arrived.
    std::string file = downloaded_ + "\r\n";
    PoolState& pool = ctx_.pool;
    std::error_code ignored;  // a folder removed since the start comes back
    std::filesystem::create_directories(std::filesystem::path(pool.DownloadPath).parent_path(),
                                        ignored);
    if (std::error_code ec = ReplaceFileContents(pool.DownloadPath, file))
      throw std::runtime_error("The downloaded file could not be written to " +
                               pool.DownloadPath + ": " + ec.message());
  } else {
    transferFailed_ = true;
    downloaded_.clear();
    if (!got.cancelled && !got.error.empty()) AppendMessages(got.error + "\r\n");
  }
  RestorePointer();

  const std::string& type = ctx_.pool.DownloadType;
  if (type == "Results") {
    PassResults();
  } else if (type == "Bracket") {
    PassBracket();
  } else {
    ctx_.prompts.Beep();
    ctx_.prompts.Show(kDownloadTypeNotSetText, MsgIcon::Critical);
  }
}

void frmDownload::PassResults() {
  PoolState& pool = ctx_.pool;
  if (transferFailed_) {
    ctx_.prompts.Beep();
    ctx_.prompts.Show(kNotSuccessfulText);
    return;
  }
  LoadDownloadedResults();
  if (resultsMismatch_) {
    cmdDownload_->setText("&Continue");
    ctx_.prompts.Beep();
    ctx_.prompts.Show(kMismatchText, MsgIcon::Exclamation);
  } else if (!fileUnusable_) {
    PlaySoundEffect(pool, ctx_.waves, "slurp");
    ctx_.prompts.Beep();
    ctx_.prompts.Show(kResultsUpdatedText, MsgIcon::Information);
    passDone_ = true;
  }
}

void frmDownload::LoadDownloadedResults() {
  PoolState& pool = ctx_.pool;
  const bool compare = !resultsMismatch_;
  DownloadedResults r = ReadDownloadedResults(downloaded_, pool, compare);
  if (r.readError) {
    ctx_.prompts.Beep();
    ctx_.prompts.Show(DownloadReadErrorMessage(r));
    fileUnusable_ = true;
    pool.DialogCancelled = true;
    return;
  }
  resultsMismatch_ = false;
  if (!r.mismatchLines.empty()) {
    for (const std::string& line : r.mismatchLines) AppendMessages(line);
    resultsMismatch_ = true;
    return;
  }
  // Copying a file without winners would make every game not played.
  if (!r.hasWinners) {
    ctx_.prompts.Beep();
    ctx_.prompts.Show(kNoResultsInFileText, MsgIcon::Exclamation);
    fileUnusable_ = true;
    cmdDownload_->setText("&Download");
    return;
  }
  MergeDownloadedResults(pool, r);
  pool.Pool.DownloadSource = SelectedDescription();
  cmdDownload_->setText("&Download");
}

void frmDownload::PassBracket() {
  PoolState& pool = ctx_.pool;
  if (transferFailed_) {
    ctx_.prompts.Beep();
    ctx_.prompts.Show(kNotSuccessfulText);
    return;
  }
  if (!ctx_.main) throw std::logic_error("No main window to open the bracket in");
  pool.DialogCancelled = false;
  ctx_.main->InitialOpen(pool.DownloadPath);
  if (pool.DialogCancelled) {
    // The open has told the user why.
    fileUnusable_ = true;
    return;
  }
  pool.Pool.DownloadSource = SelectedDescription();
  PlaySoundEffect(pool, ctx_.waves, "slurp");
  ctx_.prompts.Beep();
  ctx_.prompts.Show(kDownloadCompletedText);
  passDone_ = true;
}

void frmDownload::Inet1_StateChanged(TransferState state) {
  if (state == TransferState::Error) transferFailed_ = true;
  AppendMessages(DownloadLogText(state));
}

void frmDownload::AppendMessages(const std::string& text) {
  if (text.empty()) return;
  messages_ += text;
  QString shown = Q(messages_);
  shown.replace("\r\n", "\n");
  txtMessages_->setPlainText(shown);
  txtMessages_->moveCursor(QTextCursor::End);
  txtMessages_->ensureCursorVisible();
}

void frmDownload::RestorePointer() {
  if (!hourglass_) return;
  hourglass_ = false;
  QApplication::restoreOverrideCursor();
}

void frmDownload::cmdCancel_Click() {
  transferFailed_ = true;
  RestorePointer();
  QDialog::reject();
}

void frmDownload::cmdHelp_Click() {
  if (ctx_.main) ctx_.main->DisplayContextHelp(kHelpFile, kHelpContext, kWindowName);
}

void frmDownload::reject() { cmdCancel_Click(); }

void frmDownload::done(int result) {
  // Closing stops a transfer in progress: an interrupted pass loads nothing.
  closing_ = true;
  Inet1_->Cancel();
  PlaySoundEffect(ctx_.pool, ctx_.waves, "drcls3");
  QDialog::done(result);
}

bool frmDownload::eventFilter(QObject* watched, QEvent* event) {
  if (watched == txtTimeout_ && event->type() == QEvent::FocusIn) {
    // After the click that gave the focus has placed the caret.
    QTimer::singleShot(0, txtTimeout_, [box = txtTimeout_] { SelectAllText(box); });
  }
  return QDialog::eventFilter(watched, event);
}

void frmDownload::closeEvent(QCloseEvent* event) {
  if (event->spontaneous()) ctx_.pool.SoundPlayed = 0;
  transferFailed_ = true;
  RestorePointer();
  QDialog::closeEvent(event);
}

}  // namespace qb
