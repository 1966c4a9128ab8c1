#pragma once
// Tools > Download Bracket and Tools > Download Results: fetches one file of
// the download list from the web site, then opens it as a new pool (bracket
// mode) or checks its teams against the open pool and copies its game
// results in (results mode). DownloadType chooses the mode.
#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "platform/app_context.h"
#include "web/logic/download.h"
#include "web/logic/transfer.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace qb {

class frmDownload : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 710;

  explicit frmDownload(AppContext& ctx, QWidget* parent = nullptr);
  ~frmDownload() override;
  static void ShowModal(AppContext& ctx, QWidget* parent);

  void cmdDownload_Click();
  void cmdCancel_Click();
  void cmdHelp_Click();
  void comFileType_Click();
  void Inet1_StateChanged(TransferState state);

  // The transfer log as the system writes it (CR LF line ends).
  const std::string& Messages() const { return messages_; }
  bool TransferFailed() const { return transferFailed_; }
  bool ResultsMismatch() const { return resultsMismatch_; }
  bool FileUnusable() const { return fileUnusable_; }

 protected:
  void reject() override;
  void done(int result) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Form_Load();
  void RunPass(const std::string& address);
  void PassResults();
  void PassBracket();
  void LoadDownloadedResults();
  void AppendMessages(const std::string& text);
  void RestorePointer();
  std::string SelectedDescription() const;

  AppContext& ctx_;
  std::unique_ptr<Transfer> Inet1_;
  QComboBox* comFileType_;
  QLineEdit* txtTimeout_;
  QPlainTextEdit* txtMessages_;
  QPushButton* cmdDownload_;
  QPushButton* cmdCancel_;

  std::vector<DownloadChoice> fileTypes_;  // pairs 1..FileTypeCount at 0..
  std::string messages_;
  std::string downloaded_;  // the fetched text, as written to the file
  std::string passChoice_;  // the description of the file the pass fetches
  bool transferFailed_ = false;
  bool resultsMismatch_ = false;
  bool fileUnusable_ = false;
  bool passDone_ = false;  // the pass opened the bracket or copied the results
  bool passRunning_ = false;
  bool closing_ = false;
  bool hourglass_ = false;
};

}  // namespace qb
