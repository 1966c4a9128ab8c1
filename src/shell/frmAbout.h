#pragma once
// Help > About: the product's name and version.
#include <QDialog>

#include "platform/app_context.h"

namespace qb {

class frmAbout : public QDialog {
  Q_OBJECT
 public:
  static constexpr const char* kCaption = "About Quorvel Brakkon";
  explicit frmAbout(AppContext& ctx, QWidget* parent = nullptr);
  static void ShowModal(AppContext& ctx, QWidget* parent);
  void cmdOK_Click();

 private:
  AppContext& ctx_;
};

}  // namespace qb
