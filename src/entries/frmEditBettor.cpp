#include "entries/frmEditBettor.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/sound_effects.h"
#include "core/text_format.h"
#include "entries/logic/participants.h"
#include "platform/control_helpers.h"
#include "platform/error_report.h"
#include "platform/main_window_api.h"

namespace qb {

namespace {

class SoundInputFilter : public QObject {
 public:
  SoundInputFilter(PoolState& pool, QObject* parent) : QObject(parent), pool_(pool) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress)
      pool_.SoundPlayed = 0;
    return false;
  }

 private:
  PoolState& pool_;
};

class SelectAllFilter : public QObject {
 public:
  explicit SelectAllFilter(QLineEdit* edit) : QObject(edit), edit_(edit) {}
  bool eventFilter(QObject*, QEvent* event) override {
    // Deferred, so the click that brought the focus does not undo the selection.
    if (event->type() == QEvent::FocusIn) {
      QLineEdit* edit = edit_;
      QTimer::singleShot(0, edit, [edit] { SelectAllText(edit); });
    }
    return false;
  }

 private:
  QLineEdit* edit_;
};

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

}  // namespace

void ClearSoundPlayedOnInput(QWidget* window, PoolState& pool) {
  auto* filter = new SoundInputFilter(pool, window);
  window->installEventFilter(filter);
  for (QWidget* w : window->findChildren<QWidget*>()) w->installEventFilter(filter);
}

void SelectAllOnFocus(QLineEdit* edit) {
  edit->installEventFilter(new SelectAllFilter(edit));
}

void ShowWindowHelp(AppContext& ctx, int helpContext, const std::string& windowName) {
  if (ctx.main)
    ctx.main->DisplayContextHelp(kHelpFile, helpContext, windowName);
  else
    ctx.help.ShowTopic(kHelpFile, helpContext, windowName);
}

frmEditBettor::frmEditBettor(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
  setObjectName("frmEditBettor");
  setWindowTitle("Edit Participant Info");
  setModal(true);

  auto makeEdit = [this](const char* name, const char* tip) {
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    e->setToolTip(tip);
    connect(e, &QLineEdit::textChanged, this, [this] { SetChanged(); });
    return e;
  };
  txtBettorName =
      makeEdit("txtBettorName", "Enter the name of the person who turned in the entry.");
  txtBettorPhone = makeEdit("txtBettorPhone", "Enter the phone number of the participant.");
  txtBettorEmail = makeEdit("txtBettorEmail", "Enter the e-mail address of the participant.");
  txtBettorInfo =
      makeEdit("txtBettorInfo", "Enter any additional info that you wish about the participant.");
  txtBettorName->setMinimumWidth(300);

  auto makeTotal = [this](const char* name) {
    auto* l = new QLabel(this);
    l->setObjectName(name);
    l->setMinimumWidth(80);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    return l;
  };
  lblEntryTotal = makeTotal("lblEntryTotal");
  lblBetTotal = makeTotal("lblBetTotal");
  lblCollectedTotal = makeTotal("lblCollectedTotal");
  lblOwedTotal = makeTotal("lblOwedTotal");

  cmdOK = MakeButton(this, "cmdOK", "OK", "Save information and close the window.",
                     [this] { cmdOK_Click(); });
  cmdCancel =
      MakeButton(this, "cmdCancel", "Cancel", "Close the window without saving the information.",
                 [this] { cmdCancel_Click(); });
  cmdHelp = MakeButton(this, "cmdHelp", "Help", "", [this] { cmdHelp_Click(); });
  cmdOK->setDefault(true);

  auto* fields = new QGridLayout;
  AddLabeledRow(fields, 0, "Participant &Name:", txtBettorName, 3);
  AddLabeledRow(fields, 1, "&Phone:", txtBettorPhone, 3);
  AddLabeledRow(fields, 2, "&E-mail:", txtBettorEmail, 3);
  AddLabeledRow(fields, 3, "Add'l &Info:", txtBettorInfo, 3);
  fields->addWidget(new QLabel("Number of Entries:", this), 4, 0);
  fields->addWidget(lblEntryTotal, 4, 1);
  fields->addWidget(new QLabel("Cost of Entries:", this), 4, 2);
  fields->addWidget(lblBetTotal, 4, 3);
  fields->addWidget(new QLabel("Collected:", this), 5, 0);
  fields->addWidget(lblCollectedTotal, 5, 1);
  fields->addWidget(new QLabel("Still Owed:", this), 5, 2);
  fields->addWidget(lblOwedTotal, 5, 3);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  buttons->addWidget(cmdHelp);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addSpacing(8);
  layout->addLayout(buttons);

  for (QLineEdit* e : {txtBettorName, txtBettorPhone, txtBettorEmail}) SelectAllOnFocus(e);
  setTabOrder(txtBettorName, txtBettorPhone);
  setTabOrder(txtBettorPhone, txtBettorEmail);
  setTabOrder(txtBettorEmail, txtBettorInfo);
  setTabOrder(txtBettorInfo, cmdOK);
  setTabOrder(cmdOK, cmdCancel);
  setTabOrder(cmdCancel, cmdHelp);
  ClearSoundPlayedOnInput(this, ctx_.pool);

  FormLoad();
}

void frmEditBettor::FormLoad() {
  PoolState& s = ctx_.pool;
  // A deleted record is never edited back to life: its entries would go
  // to whoever is typed in. Such a participant opens as a new one.
  if (!IsLiveBettor(s, s.CurrentBettor)) s.CurrentBettor = 0;
  if (s.CurrentBettor != 0) {
    const BettorRecord& b = s.Bettors[s.CurrentBettor];
    txtBettorName->setText(Q(b.Name));
    txtBettorPhone->setText(Q(b.Phone));
    txtBettorEmail->setText(Q(b.EMail));
    txtBettorInfo->setText(Q(b.Info));
    BettorEntryTotals t = ComputeBettorEntryTotals(s, s.CurrentBettor);
    lblEntryTotal->setText(Q(Str(t.Count)));
    lblBetTotal->setText(Q(Str(t.Cost.ToDouble())));
    lblCollectedTotal->setText(Q(Str(t.Collected.ToDouble())));
    lblOwedTotal->setText(Q(Str(t.Owed.ToDouble())));
  } else {
    txtBettorName->setText(Q(s.NewBettorName));
  }
  txtBettorName->setFocus();
  changed_ = false;
}

bool frmEditBettor::SaveBettor() {
  PoolState& s = ctx_.pool;
  s.DialogCancelled = false;
  const std::string name = txtBettorName->text().toStdString();
  BettorNameCheck check = CheckBettorName(s, name, s.CurrentBettor);
  if (check != BettorNameCheck::Ok) {
    ctx_.prompts.Beep();
    ctx_.prompts.Show(BettorNameMessage(check),
                      check == BettorNameCheck::Exists ? MsgIcon::Exclamation : MsgIcon::None);
    txtBettorName->setFocus();
    txtBettorName->selectAll();
    s.DialogCancelled = true;
    return false;
  }
  const bool adding = s.CurrentBettor == 0;
  s.CurrentBettor = static_cast<int16_t>(
      qb::StoreBettor(s, s.CurrentBettor, name, txtBettorPhone->text().toStdString(),
                      txtBettorEmail->text().toStdString(), txtBettorInfo->text().toStdString()));
  // A participant added with the name handed over, untouched, is a change too.
  if (changed_ || adding) {
    s.PoolChanged = true;
    PlaySoundEffect(s, ctx_.waves, "pswitch");
  } else {
    PlaySoundEffect(s, ctx_.waves, "start");
  }
  changed_ = false;
  return true;
}

void frmEditBettor::cmdOK_Click() {
  if (!SaveBettor()) return;
  closing_ = true;
  done(Accepted);
}

bool frmEditBettor::QueryUnload() {
  PoolState& s = ctx_.pool;
  bool mayClose = true;
  bool stored = false;
  if (changed_) {
    switch (AskKeepChanges(ctx_.prompts, changed_)) {
      case MsgAnswer::Yes:
        stored = SaveBettor();
        mayClose = stored;
        break;
      case MsgAnswer::No:
        PlaySoundEffect(s, ctx_.waves, "whoosh");
        break;
      default:
        PlaySoundEffect(s, ctx_.waves, "start");
        mayClose = false;
        break;
    }
  }
  // Whatever closes without storing is reported as cancelled to the caller.
  if (!stored) s.DialogCancelled = true;
  PlaySoundEffect(s, ctx_.waves, "start");
  return mayClose;
}

void frmEditBettor::cmdCancel_Click() {
  if (!QueryUnload()) return;
  closing_ = true;
  done(ctx_.pool.DialogCancelled ? Rejected : Accepted);
}

void frmEditBettor::reject() {
  cmdCancel_Click();
}

void frmEditBettor::closeEvent(QCloseEvent* event) {
  if (closing_) {
    event->accept();
    return;
  }
  if (event->spontaneous()) ctx_.pool.SoundPlayed = 0;
  if (!QueryUnload()) {
    event->ignore();
    return;
  }
  closing_ = true;
  setResult(ctx_.pool.DialogCancelled ? Rejected : Accepted);
  event->accept();
}

void frmEditBettor::cmdHelp_Click() {
  ShowWindowHelp(ctx_, kHelpContext, "frmEditBettor");
}

}  // namespace qb
