#pragma once
// Reports > Create Reports for Emailing and Send Reports: the reports of the
// open report windows, chosen by check boxes. "Email" mode writes them, after
// the participants' e-mail addresses, into one text file for the pool manager
// to mail; "Web" mode writes them as HTML pages and uploads them under a pool
// name (ReportUpload). OutputMode chooses the mode; anything but "Web" is
// "Email".
#include <QDialog>
#include <functional>
#include <memory>
#include <string>

#include "platform/app_context.h"
#include "reports/logic/report_writer.h"
#include "web/logic/report_upload.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace qb {

class ReportWindow;

inline constexpr const char* kInvalidPoolNameText =
    "Invalid pool name, plese use only characters, numbers, or dashes!";
inline constexpr const char* kEnterPoolNameText = "Please enter a pool name!";
inline constexpr const char* kSaveBeforeUploadText =
    "Do you wish to save your changes\r\nprior to uploading reports?";
inline constexpr const char* kNoReportFileText = "Please enter the name of the report file!";
inline constexpr const char* kReportFileIsPoolText =
    "The reports cannot be saved in the open pool file!\r\nPlease choose another file name.";
inline constexpr const char* kReportFileFilter = "Quorvel Brakkon Report Files (*.txt)";

class frmEMailReports : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 720;
  // The open report window of that name ("frmDisplayRank", ...), or null.
  using ReportWindowLookup = std::function<const ReportWindow*(const std::string&)>;

  frmEMailReports(AppContext& ctx, ReportWindowLookup lookup, QWidget* parent = nullptr);
  ~frmEMailReports() override;

  bool WebMode() const { return web_; }
  void cmdCreateReport_Click();
  void cmdCancel_Click();
  void cmdBrowse_Click();
  void cmdHelp_Click();
  // The transfer log as the system writes it (CR LF line ends).
  const std::string& Messages() const { return messages_; }
  bool Sending() const { return upload_->Running(); }

 protected:
  void reject() override;
  void done(int result) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void Form_Load();
  void SetReportChoices();
  bool NormalizePoolName();
  void CreateEmailFile();
  void SendToInternet();
  std::string ReportText(size_t order, ReportMode mode, const WebPage* page) const;
  std::string OwnerKey();
  void AppendMessages(const std::string& text);
  void txtPoolName_Change();
  void txtPoolName_LostFocus();
  void Busy(bool on);

  AppContext& ctx_;
  ReportWindowLookup lookup_;
  bool web_ = false;
  std::string siteName_;
  std::unique_ptr<Transfer> Inet1_;
  std::unique_ptr<ReportUpload> upload_;
  std::string messages_;
  bool closing_ = false;
  bool busy_ = false;
  bool checkingName_ = false;

  QLabel* lblInstructions_;
  QGroupBox* fraBettor_;
  QGroupBox* fraDisplayRank_;
  QGroupBox* fraPossibilities_;
  QGroupBox* fraPoolAnalysis_;
  QCheckBox* chkEmails_;
  QCheckBox* chkReports_[8];  // in the order of kDistributedReports
  QLabel* lblFileName_;
  QLineEdit* txtFileName_;
  QPushButton* cmdBrowse_;
  QLineEdit* txtPoolName_;
  QLabel* lblTimeOut_;
  QLineEdit* txtTimeout_;
  QLabel* lblRptFontSize_;
  QLineEdit* txtRptFontSize_;
  QCheckBox* chkDontSend_;
  QPlainTextEdit* txtMessages_;
  QListWidget* lstEmails_;
  QPushButton* cmdCreateReport_;
  QPushButton* cmdCancel_;
};

// Shows the window modally over the main window, finding the open report
// windows among its children.
void RunEmailReports(AppContext& ctx, frmEMailReports::ReportWindowLookup lookup,
                     QWidget* parent);

}  // namespace qb
