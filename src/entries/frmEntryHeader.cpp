#include "entries/frmEntryHeader.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include "core/sound_effects.h"
#include "core/text_format.h"
#include "entries/frmEditBettor.h"
#include "entries/logic/entry_header.h"
#include "entries/logic/participants.h"
#include "platform/control_helpers.h"

namespace qb {

namespace {

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

bool TypesText(const QKeyEvent* key) {
  if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  const QString text = key->text();
  return !text.isEmpty() && text.at(0).isPrint();
}

}  // namespace

frmEntryHeader::frmEntryHeader(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
  setObjectName("frmEntryHeader");
  setWindowTitle("Edit Entry Header Information");
  setModal(true);

  comEntryName = new QComboBox(this);
  comEntryName->setObjectName("comEntryName");
  comEntryName->setEditable(true);
  comEntryName->setInsertPolicy(QComboBox::NoInsert);
  comEntryName->setCompleter(nullptr);  // completion is ours, so a new name can be typed
  comEntryName->setMinimumWidth(280);
  comEntryName->setMaxVisibleItems(20);
  comEntryName->setToolTip("Enter/chose the name of the person turning in the entry.");
  // Keys and the focus reach the combo; it hands them to its text box directly.
  comEntryName->installEventFilter(this);
  connect(comEntryName->lineEdit(), &QLineEdit::textEdited, this, [this] { OnNameEdited(); });
  connect(comEntryName, qOverload<int>(&QComboBox::activated), this,
          [this] { ChooseBettor(true); });

  txtBettorEntryNbr = new QLineEdit(this);
  txtBettorEntryNbr->setObjectName("txtBettorEntryNbr");
  txtBettorEntryNbr->setToolTip("Enter the number of the entry for this person.");
  txtBettorEntryNbr->setMaximumWidth(90);
  txtBettorEntryNbr->installEventFilter(this);
  connect(txtBettorEntryNbr, &QLineEdit::textChanged, this, [this] {
    if (!loading_) changed_ = true;
  });

  auto makeDetail = [this](const char* name) {
    auto* l = new QLabel(this);
    l->setObjectName(name);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
  };
  lblPhone = makeDetail("lblPhone");
  lblEmail = makeDetail("lblEmail");
  // Shown only: the participant's information is edited in the participant dialog.
  txtAddlInfo = new QLineEdit(this);
  txtAddlInfo->setObjectName("txtAddlInfo");
  txtAddlInfo->setReadOnly(true);

  cmdEditBettor = MakeButton(this, "cmdEditBettor", "Edit Participant Info",
                             "Edit the person's name, phone, email address, etc.",
                             [this] { cmdEditBettor_Click(); });
  cmdOK = MakeButton(this, "cmdOK", "OK", "Save the information shown for the entry.",
                     [this] { cmdOK_Click(); });
  cmdCancel = MakeButton(this, "cmdCancel", "Cancel", "Close window without saving any changes.",
                         [this] { cmdCancel_Click(); });
  cmdHelp = MakeButton(this, "cmdHelp", "Help", "", [this] { cmdHelp_Click(); });
  cmdOK->setDefault(true);

  auto* fields = new QGridLayout;
  AddLabeledRow(fields, 0, "&Name:", comEntryName);
  AddLabeledRow(fields, 1, "Entry N&br:", txtBettorEntryNbr);
  AddLabeledRow(fields, 2, "Phone:", lblPhone);
  AddLabeledRow(fields, 3, "E-Mail:", lblEmail);
  AddLabeledRow(fields, 4, "Add'l Info:", txtAddlInfo);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdEditBettor);
  buttons->addStretch();
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  buttons->addWidget(cmdHelp);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addSpacing(8);
  layout->addLayout(buttons);

  setTabOrder(comEntryName, txtBettorEntryNbr);
  setTabOrder(txtBettorEntryNbr, txtAddlInfo);
  setTabOrder(txtAddlInfo, cmdEditBettor);
  setTabOrder(cmdEditBettor, cmdOK);
  setTabOrder(cmdOK, cmdCancel);
  setTabOrder(cmdCancel, cmdHelp);
  ClearSoundPlayedOnInput(this, ctx_.pool);

  FormLoad();
  comEntryName->setFocus();
}

void frmEntryHeader::FormLoad() {
  PoolState& s = ctx_.pool;
  loading_ = true;
  s.SoundPlayed = 1;
  s.CurrentEntry = s.EditEntryNumber;
  s.DialogCancelled = false;
  changed_ = false;
  comEntryName->clear();
  if (!IsEntryCurrent(s, s.CurrentEntry)) {
    ctx_.prompts.Beep();
    ctx_.prompts.Beep();
    ctx_.prompts.Show(kNoEntryCurrent);
    loading_ = false;
    return;
  }
  for (const BettorListItem& item : ListedBettors(s))
    comEntryName->addItem(Q(item.Name), item.Index);
  comEntryName->setCurrentIndex(-1);
  comEntryName->setEditText("");

  const EntryRecord& entry = s.Entries[s.CurrentEntry];
  if (entry.EntryNumber > 0) txtBettorEntryNbr->setText(Q(Str(entry.EntryNumber)));
  // An entry whose participant was deleted has none; a stale choice is dropped too.
  if (int bettor = EntryBettor(s, s.CurrentEntry)) s.CurrentBettor = static_cast<int16_t>(bettor);
  if (!IsLiveBettor(s, s.CurrentBettor)) s.CurrentBettor = 0;
  ShowBettorDetails();
  loading_ = false;
}

void frmEntryHeader::ShowBettorDetails() {
  const PoolState& s = ctx_.pool;
  const int position = comEntryName->findData(static_cast<int>(s.CurrentBettor));
  if (s.CurrentBettor != 0 && position >= 0 && position != comEntryName->currentIndex()) {
    QSignalBlocker block(comEntryName);
    comEntryName->setCurrentIndex(position);
  }
  const BettorRecord* b = IsLiveBettor(s, s.CurrentBettor) ? BettorAt(s, s.CurrentBettor) : nullptr;
  lblPhone->setText(b ? Q(b->Phone) : QString());
  lblEmail->setText(b ? Q(b->EMail) : QString());
  txtAddlInfo->setText(b ? Q(b->Info) : QString());
  txtAddlInfo->setCursorPosition(0);
}

int frmEntryHeader::SelectedBettor() const {
  const QString text = comEntryName->currentText();
  const int current = comEntryName->currentIndex();
  if (current >= 0 && comEntryName->itemText(current) == text)
    return comEntryName->itemData(current).toInt();
  const int exact = comEntryName->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
  return exact >= 0 ? comEntryName->itemData(exact).toInt() : 0;
}

void frmEntryHeader::ChooseBettor(bool byClick) {
  PoolState& s = ctx_.pool;
  changed_ = true;
  s.CurrentBettor = static_cast<int16_t>(SelectedBettor());
  ShowBettorDetails();
  if (s.NewEntryMode) ProposeNumber();
  if (byClick) PlaySoundEffect(s, ctx_.waves, "start");
}

void frmEntryHeader::OnNameEdited() {
  QLineEdit* edit = comEntryName->lineEdit();
  const QString typed = edit->text();
  if (completeTyping_ && edit->cursorPosition() == typed.size()) {
    std::vector<std::string> items;
    for (int i = 0; i < comEntryName->count(); ++i)
      items.push_back(comEntryName->itemText(i).toStdString());
    const int match = TypeAheadMatch(items, typed.toStdString());
    if (match >= 0) {
      const QString full = comEntryName->itemText(match);
      QSignalBlocker block(comEntryName);
      comEntryName->setCurrentIndex(match);
      edit->setText(full);
      edit->setSelection(typed.size(), full.size() - typed.size());
    }
  }
  completeTyping_ = false;
  ChooseBettor(false);
}

void frmEntryHeader::ProposeNumber() {
  txtBettorEntryNbr->setText(Q(ProposeEntryNumber(ctx_.pool, ctx_.pool.CurrentBettor)));
}

bool frmEntryHeader::eventFilter(QObject* watched, QEvent* event) {
  if (watched == comEntryName && event->type() == QEvent::FocusIn) {
    QComboBox* combo = comEntryName;
    QTimer::singleShot(0, combo, [combo] { SelectAllText(combo); });
  } else if (watched == comEntryName && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    QLineEdit* edit = comEntryName->lineEdit();
    const bool types = TypesText(key);
    completeTyping_ = types;
    // Typing over a completion replaces it; Backspace takes it and one more character.
    if ((types || key->key() == Qt::Key_Backspace) && edit->hasSelectedText() &&
        edit->selectionEnd() == edit->text().size()) {
      edit->setText(edit->text().left(edit->selectionStart()));
      edit->setCursorPosition(edit->text().size());
    }
  } else if (watched == txtBettorEntryNbr && event->type() == QEvent::FocusIn) {
    if (txtBettorEntryNbr->text().isEmpty() && ctx_.pool.NewEntryMode) ProposeNumber();
    QLineEdit* box = txtBettorEntryNbr;
    QTimer::singleShot(0, box, [box] { SelectAllText(box); });
  }
  return QDialog::eventFilter(watched, event);
}

void frmEntryHeader::cmdEditBettor_Click() {
  PoolState& s = ctx_.pool;
  if (s.CurrentBettor == 0) s.NewBettorName = comEntryName->currentText().toStdString();
  PlaySoundEffect(s, ctx_.waves, "start");
  // The choice made here survives the participant dialog: the reload shows
  // the participant that dialog stored, or the text typed before it.
  const QString typed = comEntryName->currentText();
  const QString number = txtBettorEntryNbr->text();
  const bool wasChanged = changed_;
  const int before = s.CurrentBettor;
  {
    frmEditBettor dialog(ctx_, this);
    dialog.exec();
  }
  s.NewBettorName.clear();
  const int chosen = IsLiveBettor(s, s.CurrentBettor) ? s.CurrentBettor : 0;
  FormLoad();
  if (!IsEntryCurrent(s, s.CurrentEntry)) return;
  loading_ = true;
  s.CurrentBettor = static_cast<int16_t>(chosen);
  if (chosen == 0) comEntryName->setEditText(typed);
  txtBettorEntryNbr->setText(number);
  ShowBettorDetails();
  if (chosen != 0 && s.NewEntryMode && (chosen != before || number.isEmpty())) ProposeNumber();
  loading_ = false;
  changed_ = wasChanged || chosen != before;
}

void frmEntryHeader::cmdOK_Click() {
  PoolState& s = ctx_.pool;
  const std::string name = comEntryName->currentText().toStdString();
  HeaderCheck check = CheckEntryHeader(s, s.CurrentEntry, name, SelectedBettor(),
                                       txtBettorEntryNbr->text().toStdString());
  if (check.Refusal != HeaderRefusal::None) {
    ctx_.prompts.Beep();
    ctx_.prompts.Show(check.Message);
    if (check.Focus == HeaderFocus::Name) comEntryName->setFocus();
    if (check.Focus == HeaderFocus::Number) txtBettorEntryNbr->setFocus();
    return;
  }
  // Stored values that differ mark the pool changed, whatever the flag says.
  if (StoreEntryHeader(s, s.CurrentEntry, name, check) || changed_) s.PoolChanged = true;
  PlaySoundEffect(s, ctx_.waves, "pswitch");
  s.DialogCancelled = false;
  closing_ = true;
  done(Accepted);
}

void frmEntryHeader::cmdCancel_Click() {
  ctx_.pool.DialogCancelled = true;
  PlaySoundEffect(ctx_.pool, ctx_.waves, changed_ ? "whoosh" : "start");
  closing_ = true;
  done(Rejected);
}

void frmEntryHeader::reject() {
  cmdCancel_Click();
}

void frmEntryHeader::closeEvent(QCloseEvent* event) {
  event->accept();
  if (closing_) return;
  // The close box stores nothing; the entry editor asks for a participant
  // again when it saves an entry without one.
  if (event->spontaneous()) ctx_.pool.SoundPlayed = 0;
  PlaySoundEffect(ctx_.pool, ctx_.waves, changed_ ? "whoosh" : "start");
  closing_ = true;
  setResult(Rejected);
}

void frmEntryHeader::cmdHelp_Click() {
  ShowWindowHelp(ctx_, kHelpContext, "frmEntryHeader");
}

}  // namespace qb
