#pragma once
// File > Page Setup: the report font size and paper orientation, kept in the
// settings under "Printer", and the way to the printer setup.
#include <QDialog>

#include "platform/app_context.h"

class QLineEdit;
class QRadioButton;
class QPushButton;

namespace qb {

class frmPageSetup : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 611;
  explicit frmPageSetup(AppContext& ctx, QWidget* parent = nullptr);
  static void ShowModal(AppContext& ctx, QWidget* parent);

  void cmdOK_Click();
  void cmdCancel_Click();
  void cmdHelp_Click();
  void cmdPrinterSetup_Click();
  // The field's check when the focus leaves it; false when it was refused.
  bool txtFontSize_LostFocus();
  bool PageSetupChanged() const { return changed_; }

 protected:
  void done(int result) override;
  void closeEvent(QCloseEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void Play(const char* name);

  AppContext& ctx_;
  QLineEdit* txtFontSize_;
  QRadioButton* optPortrait_;
  QRadioButton* optLandscape_;
  QPushButton* cmdPrinterSetup_;
  QPushButton* cmdCancel_;
  bool changed_ = false;
  bool checking_ = false;
};

}  // namespace qb
