#pragma once
// The problems found while reading a file, one per line. OK uses the file as
// read (DialogCancelled False); Cancel or the close box abandons it (True).
#include <QDialog>

#include "platform/app_context.h"

class QListWidget;

namespace qb {

class frmErrors : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 240;
  explicit frmErrors(AppContext& ctx, QWidget* parent = nullptr);
  // Shows LoadErrors modally; sets DialogCancelled from the answer.
  static void ShowModal(AppContext& ctx, QWidget* parent);

  void cmdOK_Click();
  void cmdCancel_Click();

 protected:
  void reject() override;  // Escape and the close box abandon the file too

 private:
  AppContext& ctx_;
  QListWidget* lstErrors_;
};

}  // namespace qb
