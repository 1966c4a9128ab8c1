#pragma once
// The problems found while reading a file, one per line. OK uses the file as
// read (DialogCancelled False); Cancel or the close box abandons it (True).
#include <QDialog>
#include <string>
#include <vector>

#include "platform/app_context.h"

class QListWidget;

namespace qb {

class frmErrors : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 240;
  // Lists the pool's LoadErrors, or the messages given.
  explicit frmErrors(AppContext& ctx, QWidget* parent = nullptr);
  frmErrors(AppContext& ctx, const std::vector<std::string>& errors, QWidget* parent = nullptr);
  // Shows the list modally; sets DialogCancelled from the answer and returns
  // true when the file is to be used.
  static bool ShowModal(AppContext& ctx, QWidget* parent);
  static bool ShowModal(AppContext& ctx, const std::vector<std::string>& errors, QWidget* parent);

  void cmdOK_Click();
  void cmdCancel_Click();

 protected:
  void reject() override;  // Escape and the close box abandon the file too

 private:
  AppContext& ctx_;
  QListWidget* lstErrors_;
};

}  // namespace qb
