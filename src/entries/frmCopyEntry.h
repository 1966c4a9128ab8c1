#pragma once
// "Copy Picks from another Entry": the other entries of the pool; the one
// chosen lends its picks to the entry in the editor (nothing is stored until
// the editor's OK).
#include <QDialog>

#include "platform/app_context.h"

class QPushButton;
class QTreeWidget;

namespace qb {

class frmCopyEntry : public QDialog {
  Q_OBJECT
 public:
  frmCopyEntry(AppContext& ctx, int currentEntry, QWidget* parent = nullptr);

  void cmdOK_Click();
  void cmdCancel_Click();
  // The entry chosen by OK (also in CopyFromEntry); 0 otherwise.
  int chosenEntry() const { return chosen_; }
  void SelectEntry(int entry);

 private:
  AppContext& ctx_;
  int chosen_ = 0;
  QTreeWidget* lstEntries;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;
};

}  // namespace qb
