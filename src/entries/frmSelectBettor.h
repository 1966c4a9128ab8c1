#pragma once
// "Select a Participant": the list of participants with New, Edit and
// Delete. Shown modally; it changes Bettors, NumBettors and PoolChanged.
#include <QDialog>

#include "platform/app_context.h"

class QListWidget;
class QPushButton;

namespace qb {

class frmSelectBettor : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 51;

  explicit frmSelectBettor(AppContext& ctx, QWidget* parent = nullptr);

  void cmdNew_Click();
  void cmdEdit_Click();
  void cmdDelete_Click();
  void cmdCancel_Click();
  void cmdHelp_Click();
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormLoad();
  void ShowEditBettor();

  AppContext& ctx_;
  QListWidget* lstBettors;
  QPushButton* cmdNew;
  QPushButton* cmdEdit;
  QPushButton* cmdDelete;
  QPushButton* cmdCancel;
  QPushButton* cmdHelp;
};

}  // namespace qb
