#include "entries/frmEntryParms.h"

#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/payout.h"
#include "core/text_format.h"

namespace qb {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QTableWidget* ReadOnlyTable(QWidget* parent, const char* name, const QStringList& headings) {
  auto* t = new QTableWidget(0, headings.size(), parent);
  t->setObjectName(name);
  t->setHorizontalHeaderLabels(headings);
  t->verticalHeader()->hide();
  t->setEditTriggers(QAbstractItemView::NoEditTriggers);
  t->setSelectionMode(QAbstractItemView::NoSelection);
  t->horizontalHeader()->setStretchLastSection(true);
  return t;
}

void AddRow(QTableWidget* t, const QStringList& cells) {
  const int row = t->rowCount();
  t->insertRow(row);
  for (int c = 0; c < cells.size(); ++c) t->setItem(row, c, new QTableWidgetItem(cells[c]));
}

const char* YesNo(bool b) { return b ? "Yes" : "No"; }

}  // namespace

frmEntryParms::frmEntryParms(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
  PoolState& s = ctx.pool;
  const PoolHeader& p = s.Pool;
  // The prize money of the entries in the pool now.
  std::array<Currency, kPayoutPlaces + 1> amounts{};
  ComputePrizePool(s, p.PayoutPct, amounts, p.HoldbackAmt, p.PayoutRounding);
  setObjectName("frmEntryParms");
  setWindowTitle("Pool Parameters");
  setModal(true);

  auto* form = new QFormLayout;
  auto value = [this](const char* name, const QString& text) {
    auto* l = new QLabel(text, this);
    l->setObjectName(name);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
  };
  form->addRow("Pool name:", value("lblPoolName", Q(p.PoolName)));
  form->addRow("Teams:", value("lblNumTeams", QString::number(p.NumTeams)));
  form->addRow("Cost per entry:", value("lblCostPerEntry", Q(FormatMoney(p.CostPerEntry))));
  form->addRow("Tiebreaker:",
               value("lblTiebreakerType", p.TiebreakerUsed ? Q(p.TiebreakerType) : "None"));
  form->addRow("Picks made one round at a time:", value("lblRoundByRound", YesNo(p.RoundByRound)));
  form->addRow("Teams re-paired after round 1:", value("lblRePair", YesNo(p.RePair)));

  flxRounds = ReadOnlyTable(this, "flxRounds", {"Round", "Points", "Seed bonus"});
  for (int r = 1; r <= s.NumRounds && r <= kMaxRounds; ++r)
    AddRow(flxRounds, {QString::number(r), Q(FormatAmount(static_cast<double>(p.RoundPoints[r]))),
                       Q(s.SeedMethodDescr[r])});

  flxPayouts = ReadOnlyTable(this, "flxPayouts", {"Place", "Percent", "Amount"});
  for (int place = 1; place <= kPayoutPlaces; ++place) {
    if (p.PayoutPct[place] <= 0) continue;
    AddRow(flxPayouts, {Q(Trim(OrdinalText(place))),
                        Q(FormatAmount(static_cast<double>(p.PayoutPct[place]))) + "%",
                        Q(FormatMoney(amounts[place]))});
  }
  if (p.PayoutPct[0] > 0)
    AddRow(flxPayouts, {"Booby prize", Q(FormatAmount(static_cast<double>(p.PayoutPct[0]))) + "%",
                        Q(FormatMoney(amounts[0]))});
  if (p.HoldbackAmt.Raw() != 0) form->addRow("Held back:", value("lblHoldback", Q(FormatMoney(p.HoldbackAmt))));

  auto* instructions = new QPlainTextEdit(Q(p.PoolInstructions), this);
  instructions->setObjectName("txtInstructions");
  instructions->setReadOnly(true);
  instructions->setMaximumHeight(90);

  cmdOK = new QPushButton("OK", this);
  cmdOK->setObjectName("cmdOK");
  cmdOK->setDefault(true);
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(new QLabel("Points per round:", this));
  layout->addWidget(flxRounds);
  layout->addWidget(new QLabel("Payouts:", this));
  layout->addWidget(flxPayouts);
  if (!p.PoolInstructions.empty()) {
    layout->addWidget(new QLabel("Instructions:", this));
    layout->addWidget(instructions);
  } else {
    instructions->hide();
  }
  layout->addWidget(cmdOK, 0, Qt::AlignRight);
  resize(460, 600);
  cmdOK->setFocus();
}

}  // namespace qb
