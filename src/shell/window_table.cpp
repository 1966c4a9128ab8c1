#include "shell/window_table.h"

namespace qb {

WindowTable StandardWindows() {
  WindowTable t;
  // Child windows:  t.children["frmSetup"] = [](AppContext& c) { return new frmSetup(c); };
  // Dialogs:        t.dialogs["frmParms"] = [](AppContext& c, QWidget* p) { frmParms d(c, p); d.exec(); };
  return t;
}

}  // namespace qb
