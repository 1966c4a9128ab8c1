#pragma once
// The print preview: the bracket laid out for printing, filled for the blank
// pool form, the results or one entry, and printed as it is shown. One
// preview exists at a time (PrintEntry names its document until it closes).
#include <string>

#include "bracket/bracket_windows.h"
#include "reports/logic/print_form.h"
#include "reports/logic/print_layout.h"

class QPlainTextEdit;
class QScrollArea;

namespace qb {

class PrintFormCanvas;

class frmPrintForm : public BracketWindow {
  Q_OBJECT
 public:
  explicit frmPrintForm(AppContext& ctx, QWidget* parent = nullptr);
  ~frmPrintForm() override;
  std::string windowName() const override { return "frmPrintForm"; }

  // Prints the form, shrunk to the page when it is larger; a form wider than
  // a portrait page asks to print in landscape first.
  void cmdPrint_Click() override;
  // Closes the preview and gives the focus back to the window that opened it.
  void cmdCancel_Click() override;
  // Fills the empty boxes of the blank pool form with the higher seeds.
  void cmdFill_Click() override;
  // Closing is never refused.
  bool QueryClose() override;

  // The pop-up menu of the preview (right button on the form).
  void ShowPrintPopupMenu();

  const PrintLayout& layout() const { return layout_; }
  const PrintFormContents& contents() const { return contents_; }
  QWidget* canvas() const;
  QPlainTextEdit* txtInstructions = nullptr;

 protected:
  void closeEvent(QCloseEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void Form_Unload();
  void ReturnFocusToOpener();

  PrintLayout layout_;
  PrintFormContents contents_;
  QScrollArea* scroll_ = nullptr;
  PrintFormCanvas* canvas_ = nullptr;
  bool unloaded_ = false;
};

}  // namespace qb
