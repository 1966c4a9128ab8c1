#pragma once
// File > Backup to Diskette: writes a copy of the open pool into another
// folder. The pool keeps its own file name and its changed flag; the copy
// holds the pool as it is now, unsaved changes included.
#include <QDialog>
#include <functional>
#include <ostream>
#include <string>

#include "platform/app_context.h"

class QLabel;
class QLineEdit;

namespace qb {

class frmBackup : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 220;
  // Writes the open pool in the pool file format; throws when it cannot.
  using PoolWriter = std::function<void(std::ostream&)>;

  // The copy is the full pool file of the open pool.
  explicit frmBackup(AppContext& ctx, QWidget* parent = nullptr);
  frmBackup(AppContext& ctx, PoolWriter writer, QWidget* parent = nullptr);
  // Shows the window modally; DialogCancelled is False only after a copy was written.
  static void ShowModal(AppContext& ctx, QWidget* parent);

  // Name of the copy: the pool file's own name, else the pool's name + ".qbp".
  std::string CopyFileName() const;
  void cmdBrowse_Click();
  void cmdOK_Click();
  void cmdCancel_Click();
  void cmdHelp_Click();

 private:
  // False (after telling the user) when the copy could not be written.
  bool WriteCopy(const std::string& path);
  AppContext& ctx_;
  PoolWriter writer_;
  QLabel* lblFileName_;
  QLineEdit* txtFolder_;
};

}  // namespace qb
