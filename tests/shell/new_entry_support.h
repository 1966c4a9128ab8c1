#pragma once
// Edit > Input/Edit Entry, New, and the entry header answered with a
// participant's name and entry number 1, as a user does: the editor opens.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "entries/frmEntryHeader.h"
#include "entries/frmSelectEntry.h"
#include "shell/frmMain.h"
#include "support/modal_answer.h"

namespace qb::test {

inline void NewEntryThroughTheWindows(frmMain& main, const QString& name) {
  OnNextModal<frmSelectEntry>([name](frmSelectEntry* selection) {
    OnNextModal<frmEntryHeader>([name](frmEntryHeader* header) {
      QTest::keyClicks(header->findChild<QComboBox*>("comEntryName"), name);
      header->findChild<QLineEdit*>("txtBettorEntryNbr")->setText("1");
      QTest::mouseClick(header->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    });
    QTest::mouseClick(selection->findChild<QPushButton*>("cmdNew"), Qt::LeftButton);
  });
  main.MenuItem("mnuEditEntry")->trigger();
}

}  // namespace qb::test
