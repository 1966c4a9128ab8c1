#include "web/frmEMailReports.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <sstream>
#include <stdexcept>

#include "core/cp1252.h"
#include "core/file_replace.h"
#include "core/sound_effects.h"
#include "core/text_format.h"
#include "platform/control_helpers.h"
#include "platform/error_report.h"
#include "platform/main_window_api.h"
#include "platform/twips.h"
#include "reports/logic/report_catalog.h"
#include "reports/report_output.h"
#include "standings/frmDisplayRank.h"
#include "standings/report_window.h"
#include "web/logic/email_report.h"
#include "web/logic/web_site.h"
#include "web/web_files.h"

namespace qb {
namespace {

constexpr const char* kWindowName = "frmEMailReports";

// The writers of the reports, in the order of kDistributedReports.
constexpr ReportKind kKinds[8] = {
    ReportKind::ParticipantListing, ReportKind::EntryPicksSummary,
    ReportKind::CurrentRankings,    ReportKind::FinalWinnings,
    ReportKind::ScenarioWinners,    ReportKind::WinningPossibilities,
    ReportKind::PoolAnalysis,       ReportKind::UpsetAnalysis,
};

struct ReportBox {
  const char* caption;
  const char* toolTip;
  bool clickSound;
};
constexpr ReportBox kBoxes[8] = {
    {"Participant Listing", "Check to create a l;ist of all participant information.", true},
    {"Entry Picks Listing", "Check to create report of every entry's picks.", false},
    {"Current Standings", "Check to create report of the current point standings.", true},
    {"Pool Winners", "Check to create report of pool winners.", true},
    {"by Scenario", "Check to create report showing results for each remaining scenario.", true},
    {"by Participant Name", "Check to create report showing the possibilities for each entry.",
     true},
    {"Analysis by Team", "Check to create report analyzing the picks for each team.", true},
    {"Upset Analysis by Round", "Check to create report showing the number of upsets predicted.",
     true},
};

QString Q(const std::string& s) { return QString::fromStdString(s); }

std::string UpperAscii(std::string t) {
  for (char& c : t)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return t;
}

}  // namespace

frmEMailReports::frmEMailReports(AppContext& ctx, ReportWindowLookup lookup, QWidget* parent)
    : QDialog(parent),
      ctx_(ctx),
      lookup_(std::move(lookup)),
      web_(ctx.pool.OutputMode == "Web"),
      Inet1_(std::make_unique<Transfer>()) {
  setObjectName(kWindowName);
  siteName_ = ConfiguredWebSite(ctx_).host;
  BuildControls();
  upload_ = std::make_unique<ReportUpload>(
      *Inet1_,
      ReportUpload::Hooks{
          [] { QCoreApplication::processEvents(QEventLoop::AllEvents, 20); },
          [this](const std::string& text) { AppendMessages(text); },
          [this](const std::string& name, const WebPage& page) {
            for (size_t i = 0; i < kDistributedReports.size(); ++i)
              if (name == kDistributedReports[i].webName)
                return ReportText(i, ReportMode::Web, &page);
            throw std::invalid_argument("Not a report: " + name);
          }});
  RunGuarded(ctx_, this, false, std::string(kWindowName) + ".Form_Load", [this] { Form_Load(); });
  if (web_)
    txtPoolName_->setFocus();
  else
    cmdCreateReport_->setFocus();
}

frmEMailReports::~frmEMailReports() {
  // Form_Unload: a transfer still running goes without a word.
  upload_->Cancel();
  Inet1_->Cancel();
  Busy(false);
}

void frmEMailReports::BuildControls() {
  setWindowTitle("Create E-Mail Report File");
  lblInstructions_ = new QLabel(
      "A file will be created with the reports that are currently open.  De-select any "
      "unwanted reports:",
      this);
  lblInstructions_->setObjectName("lblInstructions");
  lblInstructions_->setWordWrap(true);

  auto frame = [this](const char* name, const char* caption) {
    auto* f = new QGroupBox(caption, this);
    f->setObjectName(name);
    new QVBoxLayout(f);
    return f;
  };
  fraBettor_ = frame("fraBettor", "Participant Reports");
  fraDisplayRank_ = frame("fraDisplayRank", "Ranking Reports");
  fraPossibilities_ = frame("fraPossibilities", "Possibilities Reports");
  fraPoolAnalysis_ = frame("fraPoolAnalysis", "Analysis Reports");

  chkEmails_ = new QCheckBox("List of E-mail addresses", fraBettor_);
  chkEmails_->setObjectName("chkEmails");
  chkEmails_->setToolTip(
      "Check to create a list of e-mail addresses of each pool participant.");
  fraBettor_->layout()->addWidget(chkEmails_);
  connect(chkEmails_, &QCheckBox::clicked, this,
          [this] { PlaySoundEffect(ctx_.pool, ctx_.waves, "start"); });
  QGroupBox* frames[8] = {fraBettor_,        fraBettor_,        fraDisplayRank_,
                          fraDisplayRank_,   fraPossibilities_, fraPossibilities_,
                          fraPoolAnalysis_,  fraPoolAnalysis_};
  // On screen "by Participant Name" comes before "by Scenario".
  const int shown[8] = {0, 1, 2, 3, 5, 4, 6, 7};
  for (int i : shown) {
    auto* box = new QCheckBox(kBoxes[i].caption, frames[i]);
    box->setObjectName(kDistributedReports[i].checkBox);
    box->setToolTip(kBoxes[i].toolTip);
    frames[i]->layout()->addWidget(box);
    chkReports_[i] = box;
    if (kBoxes[i].clickSound)
      connect(box, &QCheckBox::clicked, this,
              [this] { PlaySoundEffect(ctx_.pool, ctx_.waves, "start"); });
  }
  for (QGroupBox* f : {fraBettor_, fraDisplayRank_, fraPossibilities_, fraPoolAnalysis_})
    static_cast<QVBoxLayout*>(f->layout())->addStretch(1);

  lblFileName_ = new QLabel("Save to:", this);
  lblFileName_->setObjectName("lblFileName");
  lblFileName_->setToolTip("Enter the file name to which to save the reports.");
  txtFileName_ = new QLineEdit(this);
  txtFileName_->setObjectName("txtFileName");
  cmdBrowse_ = MakeButton(this, "cmdBrowse", "Browse...",
                          "Search your computer for location of the report file.",
                          [this] { cmdBrowse_Click(); });
  txtPoolName_ = new QLineEdit(this);
  txtPoolName_->setObjectName("txtPoolName");
  lblTimeOut_ = new QLabel("Time out (sec's)", this);
  lblTimeOut_->setObjectName("lblTimeOut");
  txtTimeout_ = new QLineEdit(this);
  txtTimeout_->setObjectName("txtTimeout");
  txtTimeout_->setMaximumWidth(TwipsToPixels(900));
  lblTimeOut_->setBuddy(txtTimeout_);
  lblRptFontSize_ = new QLabel("Rpt Font Size", this);
  lblRptFontSize_->setObjectName("lblRptFontSize");
  txtRptFontSize_ = new QLineEdit(this);
  txtRptFontSize_->setObjectName("txtRptFontSize");
  txtRptFontSize_->setMaximumWidth(TwipsToPixels(700));
  lblRptFontSize_->setBuddy(txtRptFontSize_);
  chkDontSend_ = new QCheckBox("Create HTML only", this);
  chkDontSend_->setObjectName("chkDontSend");
  chkDontSend_->setToolTip(Q("Check to create files of HTML, but not send to " + siteName_));
  txtMessages_ = new QPlainTextEdit(this);
  txtMessages_->setObjectName("txtMessages");
  txtMessages_->setReadOnly(true);
  txtMessages_->setMinimumHeight(TwipsToPixels(1500));
  lstEmails_ = new QListWidget(this);
  lstEmails_->setObjectName("lstEmails");
  lstEmails_->hide();

  cmdCreateReport_ = MakeButton(this, "cmdCreateReport", "Create Report",
                                "Save the reports to the specified file.",
                                [this] { cmdCreateReport_Click(); });
  cmdCreateReport_->setDefault(true);
  cmdCancel_ = MakeButton(this, "cmdCancel", "Cancel", "Close the window without saving the reports.",
                          [this] { cmdCancel_Click(); });
  auto* cmdHelp = MakeButton(this, "cmdHelp", "Help", "", [this] { cmdHelp_Click(); });

  auto* frames2 = new QGridLayout;
  frames2->addWidget(fraBettor_, 0, 0);
  frames2->addWidget(fraDisplayRank_, 0, 1);
  frames2->addWidget(fraPossibilities_, 1, 0);
  frames2->addWidget(fraPoolAnalysis_, 1, 1);
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(lblFileName_);
  fileRow->addWidget(txtFileName_, 1);
  fileRow->addWidget(txtPoolName_, 1);
  fileRow->addWidget(cmdBrowse_);
  auto* webRow = new QHBoxLayout;
  webRow->addWidget(lblTimeOut_);
  webRow->addWidget(txtTimeout_);
  webRow->addSpacing(TwipsToPixels(200));
  webRow->addWidget(lblRptFontSize_);
  webRow->addWidget(txtRptFontSize_);
  webRow->addSpacing(TwipsToPixels(200));
  webRow->addWidget(chkDontSend_);
  webRow->addStretch(1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdCreateReport_);
  buttons->addWidget(cmdCancel_);
  buttons->addWidget(cmdHelp);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblInstructions_);
  layout->addLayout(frames2);
  layout->addLayout(fileRow);
  layout->addLayout(webRow);
  layout->addWidget(txtMessages_, 1);
  layout->addLayout(buttons);

  for (QLineEdit* box : {txtFileName_, txtPoolName_, txtTimeout_, txtRptFontSize_})
    box->installEventFilter(this);
  connect(txtPoolName_, &QLineEdit::textChanged, this, [this] { txtPoolName_Change(); });
}

void frmEMailReports::Form_Load() {
  PoolState& pool = ctx_.pool;
  Busy(true);
  pool.SoundPlayed = 1;
  if (!web_) {
    if (pool.Pool.ReportFileName.empty())
      pool.Pool.ReportFileName = UserDataFile(ctx_, kDefaultReportFileName);
    txtFileName_->setText(Q(pool.Pool.ReportFileName));
    for (QWidget* w : std::initializer_list<QWidget*>{lblTimeOut_, lblRptFontSize_, txtTimeout_,
                                                      txtRptFontSize_, txtPoolName_,
                                                      chkDontSend_, txtMessages_})
      w->hide();
    chkEmails_->setChecked(true);
    resize(TwipsToPixels(QSize(6600, 4300)));
  } else {
    txtTimeout_->setText(Q(ctx_.settings.GetSetting("Options", "TimeOut", "120")));
    txtRptFontSize_->setText(Q(ctx_.settings.GetSetting("Options", "WebRptFontSize", "9")));
    lblInstructions_->setText(
        Q("Send selected reports to " + siteName_ + " web site.  Deselect any unwanted reports."));
    setWindowTitle(Q("Send Reports to " + siteName_));
    chkEmails_->setEnabled(false);
    cmdBrowse_->hide();
    txtFileName_->hide();
    lblFileName_->setText("Pool Name:");
    lblFileName_->setToolTip(
        Q("Enter a name to be used to locate your reports on " + siteName_ + ", e.g. your name"));
    lblFileName_->setBuddy(txtPoolName_);
    cmdCreateReport_->setText("Send to Internet");
    cmdCreateReport_->setToolTip(Q("Send the selected reports to " + siteName_));
    txtPoolName_->setText(Q(Trim(pool.Pool.WebPoolName.substr(0, 40))));
    resize(TwipsToPixels(QSize(6600, 6600)));
  }
  SetReportChoices();
  Busy(false);
}

void frmEMailReports::SetReportChoices() {
  const PoolState& pool = ctx_.pool;
  for (QCheckBox* box : chkReports_) {
    box->setChecked(false);
    box->setEnabled(false);
  }
  for (QGroupBox* f : {fraDisplayRank_, fraPossibilities_, fraPoolAnalysis_}) f->setEnabled(false);
  auto offer = [this](int i) {
    chkReports_[i]->setEnabled(true);
    chkReports_[i]->setChecked(true);
  };
  if (pool.DisplayRankOpen && lookup_("frmDisplayRank")) {
    fraDisplayRank_->setEnabled(true);
    offer(2);
    auto* rank = dynamic_cast<const frmDisplayRank*>(lookup_("frmDisplayRank"));
    if (rank && rank->PayoutsComputed()) offer(3);
  }
  if (const ReportWindow* w = lookup_("frmPossibilities"); pool.PossibilitiesReady && w) {
    fraPossibilities_->setEnabled(true);
    // Only a completed run has reports to give.
    if (w->ReportGrid(1)) offer(5);
    if (const Grid* scenarios = w->ReportGrid(0); scenarios && scenarios->Rows() >= 2) offer(4);
  }
  if (pool.PoolAnalysisOpen && lookup_("frmPoolAnalysis")) {
    fraPoolAnalysis_->setEnabled(true);
    offer(6);
    offer(7);
  }
  if (pool.ListBettorsOpen && lookup_("frmListBettors")) {
    offer(0);
    offer(1);
  }
}

bool frmEMailReports::NormalizePoolName() {
  const std::string name = UpperAscii(Trim(txtPoolName_->text().toStdString()));
  txtPoolName_->setText(Q(name));
  if (IsValidPoolName(name)) return true;
  ctx_.prompts.Beep();
  ctx_.prompts.Show(kInvalidPoolNameText, MsgIcon::Exclamation);
  txtPoolName_->setFocus();
  return false;
}

void frmEMailReports::cmdCreateReport_Click() {
  // One send at a time: the button comes back once it has returned.
  if (busy_ || upload_->Running() || !cmdCreateReport_->isEnabled()) return;
  bool ok = true;
  RunGuarded(ctx_, this, false, std::string(kWindowName) + ".cmdCreateReport_Click", [&] {
    try {
      if (!NormalizePoolName()) return;
      if (web_)
        SendToInternet();
      else
        CreateEmailFile();
    } catch (...) {
      ok = false;
      Busy(false);
      throw;
    }
  });
  if (!ok && !closing_) cmdCreateReport_->setEnabled(true);
}

std::string frmEMailReports::ReportText(size_t order, ReportMode mode, const WebPage* page) const {
  const ReportKind kind = kKinds[order];
  const ReportPlace place = WindowOfReport(kind);
  const ReportWindow* window = lookup_(place.window);
  WebReportSettings web;
  if (page) {
    web.fontSize = page->fontSize;
    web.pageOpen = page->pageOpen;
    web.pageClose = page->pageClose;
    web.rowLimit = page->rowLimit;
  }
  std::ostringstream out;
  if (!window || !WriteWindowReport(ctx_, *window, kind, mode, out, web))
    throw std::runtime_error(std::string("The report \"") + ReportTitle(kind) +
                             "\" is no longer open.");
  return out.str();
}

void frmEMailReports::CreateEmailFile() {
  PoolState& pool = ctx_.pool;
  const std::string file = txtFileName_->text().toStdString();
  if (Trim(file).empty()) {
    ctx_.prompts.Beep();
    ctx_.prompts.Show(kNoReportFileText, MsgIcon::Exclamation);
    txtFileName_->setFocus();
    return;
  }
  if (SameFile(file, pool.PoolFilePath)) {
    ctx_.prompts.Beep();
    ctx_.prompts.Show(kReportFileIsPoolText, MsgIcon::Exclamation);
    txtFileName_->setFocus();
    return;
  }
  Busy(true);
  cmdCreateReport_->setEnabled(false);
  std::string text;
  // The list is made afresh for every file.
  lstEmails_->clear();
  if (chkEmails_->isChecked()) {
    std::vector<std::string> addresses;
    for (int b = 1; b <= pool.NumBettors && b < static_cast<int>(pool.Bettors.size()); ++b)
      addresses.push_back(pool.Bettors[b].EMail);
    addresses = SortedAddresses(std::move(addresses));
    for (const std::string& a : addresses) lstEmails_->addItem(Q(a));
    text += EmailListText(addresses) + ReportSeparatorText();
  }
  for (size_t i = 0; i < kDistributedReports.size(); ++i)
    if (chkReports_[i]->isChecked()) text += ReportText(i, ReportMode::Email, nullptr) + ReportSeparatorText();
  // Written whole or not at all: a failure leaves the file that was there.
  if (std::error_code ec = ReplaceFileContents(file, Utf8ToCp1252(text)))
    throw std::runtime_error("The report file " + file + " cannot be written: " + ec.message());
  if (file != pool.Pool.ReportFileName) {
    pool.Pool.ReportFileName = file;
    pool.PoolChanged = true;
  }
  pool.SoundPlayed = 0;
  PlaySoundEffect(pool, ctx_.waves, "type", 2);
  Busy(false);
  accept();
}

std::string frmEMailReports::OwnerKey() {
  std::string key = ctx_.settings.GetSetting(kWebSettingsSection, kOwnerKeySetting, "");
  if (!IsOwnerKey(key)) {
    key = NewOwnerKey([this] { return ctx_.random.Next(); });
    ctx_.settings.SaveSetting(kWebSettingsSection, kOwnerKeySetting, key);
  }
  return key;
}

void frmEMailReports::SendToInternet() {
  PoolState& pool = ctx_.pool;
  if (pool.PoolChanged) {
    ctx_.prompts.Beep();
    const MsgAnswer a =
        ctx_.prompts.Ask(kSaveBeforeUploadText, MsgButtons::YesNoCancel, MsgIcon::Information);
    if (a == MsgAnswer::Cancel) return;
    if (a == MsgAnswer::Yes) {
      pool.DialogCancelled = false;
      if (ctx_.main)
        ctx_.main->SaveOpenPool();
      else
        pool.DialogCancelled = true;
      if (pool.DialogCancelled) return;
    }
  }
  const std::string name = txtPoolName_->text().toStdString();
  if (name.empty()) {
    ctx_.prompts.Beep();
    ctx_.prompts.Show(kEnterPoolNameText);
    txtPoolName_->setFocus();
    return;
  }
  Busy(true);
  cmdCreateReport_->setEnabled(false);

  const WebSite site = ConfiguredWebSite(ctx_);
  UploadRequest r;
  r.folder = UserDataFolder(ctx_);
  r.pathFileUrl = site.pathFileUrl;
  r.pathFileKey = site.pathFileKey;
  r.ownerKey = OwnerKey();
  r.poolName = name;
  r.timeout = UploadTimeoutFrom(txtTimeout_->text().toStdString());
  r.fontSize = WebFontSizeFrom(txtRptFontSize_->text().toStdString());
  r.htmlOnly = chkDontSend_->isChecked();
  for (size_t i = 0; i < kDistributedReports.size(); ++i)
    if (chkReports_[i]->isChecked()) r.reports.push_back(kDistributedReports[i].webName);
  ctx_.settings.SaveSetting("Options", "TimeOut", std::to_string(r.timeout.requestSeconds));
  ctx_.settings.SaveSetting("Options", "WebRptFontSize", txtRptFontSize_->text().toStdString());
  if (Trim(pool.Pool.WebPoolName) != name) {
    pool.Pool.WebPoolName = name;
    pool.PoolChanged = true;
  }

  const UploadOutcome outcome = upload_->Run(r);
  if (closing_) return;  // closed while it ran: the transfer is cancelled
  Busy(false);
  switch (outcome) {
    case UploadOutcome::Done:
      pool.SoundPlayed = 0;
      PlaySoundEffect(pool, ctx_.waves, "xylo_up");
      // Nothing went to the site: the user needs to know where the pages are.
      if (r.htmlOnly) ctx_.prompts.Show("The HTML reports were created in the folder:\n" + r.folder);
      accept();
      return;
    case UploadOutcome::TransferFailed:
      cmdCreateReport_->setEnabled(true);
      ctx_.prompts.Beep();
      ctx_.prompts.Show(kTransferErrorText, MsgIcon::Critical);
      return;
    case UploadOutcome::TimedOut:
      // Send stays off; Cancel closes the window.
      ctx_.prompts.Beep();
      ctx_.prompts.Show(kTimedOutText);
      return;
    case UploadOutcome::PoolNameTaken:
      cmdCreateReport_->setEnabled(true);
      ctx_.prompts.Show(kPoolNameTakenText);
      return;
    case UploadOutcome::Cancelled:
      cmdCreateReport_->setEnabled(true);
      return;
  }
}

void frmEMailReports::cmdBrowse_Click() {
  PlaySoundEffect(ctx_.pool, ctx_.waves, "start");
  auto name = ctx_.files.GetSaveFileName("Save to", kReportFileFilter,
                                         txtFileName_->text().toStdString());
  if (name && !name->empty()) txtFileName_->setText(Q(*name));
}

void frmEMailReports::cmdCancel_Click() {
  Busy(false);
  if (upload_->Running()) {
    // Ends the upload as cancelled; the window stays with its log.
    upload_->Cancel();
    return;
  }
  cmdCreateReport_->setEnabled(true);
  QDialog::reject();
}

void frmEMailReports::cmdHelp_Click() {
  if (ctx_.main) ctx_.main->DisplayContextHelp(kHelpFile, kHelpContext, kWindowName);
}

void frmEMailReports::reject() {
  // Escape is the Cancel button; the close box closes (see closeEvent).
  cmdCancel_Click();
}

void frmEMailReports::done(int result) {
  closing_ = true;
  upload_->Cancel();
  Inet1_->Cancel();
  Busy(false);
  PlaySoundEffect(ctx_.pool, ctx_.waves, "drcls3");
  QDialog::done(result);
}

void frmEMailReports::closeEvent(QCloseEvent* event) {
  if (event->spontaneous()) ctx_.pool.SoundPlayed = 0;
  // Closing the window stops an upload that runs.
  event->accept();
  done(QDialog::Rejected);
}

void frmEMailReports::txtPoolName_Change() {
  if (checkingName_) return;
  checkingName_ = true;
  const int caret = txtPoolName_->cursorPosition();
  const QString upper = txtPoolName_->text().toUpper();
  if (upper != txtPoolName_->text()) {
    txtPoolName_->setText(upper);
    txtPoolName_->setCursorPosition(caret);
  }
  LimitTextLength(ctx_.prompts, txtPoolName_, 40);
  checkingName_ = false;
}

void frmEMailReports::txtPoolName_LostFocus() {
  if (closing_ || !isVisible() || upload_->Running()) return;
  if (IsValidPoolName(txtPoolName_->text().toStdString())) return;
  ctx_.prompts.Beep();
  ctx_.prompts.Show(kInvalidPoolNameText, MsgIcon::Exclamation);
  txtPoolName_->setFocus();
}

bool frmEMailReports::eventFilter(QObject* watched, QEvent* event) {
  auto* box = qobject_cast<QLineEdit*>(watched);
  if (box && event->type() == QEvent::FocusIn) {
    // After the click that gave the focus has placed the caret.
    QTimer::singleShot(0, box, [box] { SelectAllText(box); });
  }
  if (box == txtPoolName_ && event->type() == QEvent::FocusOut) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
      QTimer::singleShot(0, this, [this] { txtPoolName_LostFocus(); });
  }
  if (box == txtPoolName_ && event->type() == QEvent::KeyPress) {
    const QString text = static_cast<QKeyEvent*>(event)->text();
    if (!text.isEmpty() && text.at(0).unicode() >= 32) {
      const char16_t c = text.at(0).unicode();
      const bool allowed = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == ' ' || c == '.' || c == '-';
      if (!allowed) {
        ctx_.prompts.Beep();
        return true;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

void frmEMailReports::AppendMessages(const std::string& text) {
  if (text.empty()) return;
  messages_ += text;
  if (closing_) return;
  QString shown = Q(messages_);
  shown.replace("\r\n", "\n");
  txtMessages_->setPlainText(shown);
  txtMessages_->moveCursor(QTextCursor::End);
  txtMessages_->ensureCursorVisible();
}

void frmEMailReports::Busy(bool on) {
  if (on == busy_) return;
  busy_ = on;
  if (on)
    QApplication::setOverrideCursor(Qt::BusyCursor);
  else
    QApplication::restoreOverrideCursor();
}

void RunEmailReports(AppContext& ctx, frmEMailReports::ReportWindowLookup lookup,
                     QWidget* parent) {
  frmEMailReports dlg(ctx, std::move(lookup), parent);
  dlg.exec();
}

}  // namespace qb
