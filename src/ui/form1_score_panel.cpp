#include "ui/form1_score_panel.h"

#include <QListWidget>
#include <QTimer>

#include "contest/bands.h"
#include "contest/grid_math.h"
#include "ui/form1.h"
#include "ui/widget_text.h"

namespace vantrel::ui {

namespace {

constexpr QColor kNavy(0, 0, 128);
constexpr QColor kMaroon(128, 0, 0);

}  // namespace

Form1ScorePanel::Form1ScorePanel(Form1& form) : QObject(&form), f_(form) {
  setObjectName("Form1ScorePanel");
  // Score and rates on the right of the partial matches, the station below.
  f_.Label5 = f_.AddLabel("Label5", "Total Contacts ............", 4440, 1200, 1800, 210);
  f_.lblTotCon = f_.AddLabel("lblTotCon", "0", 6240, 1200, 600, 210);
  f_.Label13 = f_.AddLabel("Label13", "Total QSO Points ........", 4440, 1410, 1800, 210);
  f_.lblTotSec = f_.AddLabel("lblTotSec", "0", 6240, 1410, 600, 210);
  f_.Label6 = f_.AddLabel("Label6", "Total Multipliers ...........", 4440, 1620, 1800, 210);
  f_.lblsectogo = f_.AddLabel("lblsectogo", "0", 6240, 1620, 600, 210);
  f_.Label7 = f_.AddLabel("Label7", "Total Score..................", 6960, 1200, 1800, 210);
  f_.lblTotScore = f_.AddLabel("lblTotScore", "0", 8760, 1200, 720, 210);
  f_.Label8 = f_.AddLabel("Label8", "QSOs / Hr (last 20 min)", 6960, 1410, 1800, 210);
  f_.lblAQSO20 = f_.AddLabel("lblAQSO20", "0", 8760, 1410, 720, 210);
  f_.Label9 = f_.AddLabel("Label9", "QSOs / Hr (last 60 min)", 6960, 1620, 1800, 210);
  f_.lblAQSO60 = f_.AddLabel("lblAQSO60", "0", 8760, 1620, 720, 210);
  f_.Label2 = f_.AddLabel("Label2", "CALL", 4440, 1830, 2400, 210, 8.0);
  f_.Label4 = f_.AddLabel("Label4", "Grid", 6960, 1830, 2520, 210, 8.0);
  for (QLabel* l : {f_.Label2, f_.Label4}) {
    QFont font = l->font();
    font.setBold(true);
    l->setFont(font);
  }

  // Band view: the ten multiplier lists side by side, then the band table.
  for (int i = 0; i < 10; ++i) {
    auto* list = new QListWidget(f_.client());
    list->setObjectName(QString("List%1").arg(i + 1));
    list->setFocusPolicy(Qt::NoFocus);
    // The columns are narrow: no scroll bars eating into them (the wheel
    // still scrolls) and a thin frame.
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setFrameShape(QFrame::Box);
    list->setLineWidth(1);
    list->setTextElideMode(Qt::ElideNone);
    f_.gridLists[static_cast<size_t>(i)] = list;
    f_.design().Add(list, ControlKind::kListBox, 120 + i * 324, 2520, 312, 4200 - 2520, 6.5);
  }
  f_.Label10 = f_.AddLabel("Label10", "#Contacts / #Grids", 1500, 4200, 1860, 240);
  for (int i = 0; i < 10; ++i) {
    const int top = 4470 + i * 216;
    const BandInfo& info = kBands[static_cast<size_t>(i)];
    QLabel* name = f_.AddLabel(std::string(info.name_label).c_str(), Latin1(info.name_caption), 120,
                               top, 1320, 204);
    QLabel* count =
        f_.AddLabel(std::string(info.count_label).c_str(), "1000 / 100", 1500, top, 1860, 204);
    for (QLabel* l : {name, count}) {
      l->setCursor(Qt::PointingHandCursor);
      Paint(l, kNavy, Qt::white);
      l->setAlignment(Qt::AlignCenter);
    }
    f_.bandNameLabels[static_cast<size_t>(i)] = name;
    f_.bandCountLabels[static_cast<size_t>(i)] = count;
  }

  f_.Timer1 = new QTimer(&f_);
  f_.Timer1->setObjectName("Timer1");
  f_.Timer1->setInterval(60000);
  connect(f_.Timer1, &QTimer::timeout, this, &Form1ScorePanel::TimeStats);
}

void Form1ScorePanel::ShowTallies() {
  const Tallies& tallies = f_.tallies();
  for (size_t i = 0; i < f_.gridLists.size(); ++i) {
    QListWidget* list = f_.gridLists[i];
    list->clear();
    const BandTally* band = tallies.Band(static_cast<int>(i) + 1);
    if (!band) continue;
    QStringList keys;
    keys.reserve(band->MultiplierCount());
    for (const std::string& key : band->Multipliers.keys()) keys << Latin1(key);
    list->addItems(keys);
  }
  TimeStats();
  Labeldisplay();
}

void Form1ScorePanel::AddMultiplier(int band, const QString& key) {
  if (band >= 1 && band <= static_cast<int>(f_.gridLists.size()))
    f_.gridLists[static_cast<size_t>(band - 1)]->addItem(key);
}

void Form1ScorePanel::Labeldisplay() {
  const ContestState& contest = f_.state().contest;
  const auto texts = vantrel::Labeldisplay(f_.tallies(), contest.ContestId, contest.RoverStation);
  if (!texts) return;
  f_.lblTotCon->setText(Latin1(texts->TotCon));
  f_.lblTotSec->setText(Latin1(texts->TotSec));
  f_.lblsectogo->setText(Latin1(texts->sectogo));
  f_.lblTotScore->setText(Latin1(texts->TotScore));
  for (size_t i = 0; i < f_.bandCountLabels.size(); ++i)
    f_.bandCountLabels[i]->setText(Latin1(texts->band_counts[i]));
}

void Form1ScorePanel::TimeStats() {
  const RunState& state = f_.state();
  const auto rates = vantrel::TimeStats(state.log, UtcNow(f_.clock(), state.prefs.UtcOffsetHours));
  if (!rates) return;
  f_.lblAQSO20->setText(Latin1(rates->AQSO20));
  f_.lblAQSO60->setText(Latin1(rates->AQSO60));
}

void Form1ScorePanel::GridTextChanged() {
  UpdateNewIndicator();
  if (f_.txtSec->text().size() < 2) {
    f_.Label23->clear();
    f_.Label24->clear();
  } else {
    ShowBearingDistance();
  }
}

void Form1ScorePanel::UpdateNewIndicator() {
  const RunState& state = f_.state();
  f_.Label3->setVisible(IsNewMultiplier(f_.tallies(), Std(f_.txtSec->text()),
                                        state.contest.CurrentBand, state.contest.ContestId,
                                        state.contest.RoverStation, state.prefs.OwnGrid));
}

void Form1ScorePanel::ShowBearingDistance() {
  const ProgramPrefs& prefs = f_.state().prefs;
  const auto texts =
      vantrel::ShowBearingDistance(Std(f_.txtSec->text()), prefs.OwnLatitude, prefs.OwnLongitude);
  if (!texts) return;
  f_.Label23->setText(Latin1(texts->bearing));
  f_.Label24->setText(Latin1(texts->distance));
}

void Form1ScorePanel::PaintBandLabels(int highlighted_band) {
  for (size_t i = 0; i < f_.bandNameLabels.size(); ++i) {
    const QColor c = static_cast<int>(i) + 1 == highlighted_band ? kMaroon : kNavy;
    SetBackground(f_.bandNameLabels[i], c);
    SetBackground(f_.bandCountLabels[i], c);
  }
}

void Form1ScorePanel::ShowBandView(bool shown) {
  for (QListWidget* l : f_.gridLists) l->setVisible(shown);
  for (QLabel* l : f_.bandNameLabels) l->setVisible(shown);
  for (QLabel* l : f_.bandCountLabels) l->setVisible(shown);
  f_.Label10->setVisible(shown);
}

void Form1ScorePanel::ShowStation(const QString& call, const QString& grid,
                                  const QString& list_tooltip) {
  f_.gridLists[0]->setToolTip(list_tooltip);
  f_.gridLists[1]->setToolTip(list_tooltip);
  f_.Label2->setText(call);
  f_.Label4->setText(grid);
}

bool Form1ScorePanel::ListClicked(QWidget* widget) {
  for (int i : {0, 1}) {
    QListWidget* list = f_.gridLists[static_cast<size_t>(i)];
    if (widget == list || widget->parentWidget() == list) {
      ReduceRoverListFont(i);
      return true;
    }
  }
  return false;
}

int Form1ScorePanel::BandOfLabel(const QWidget* widget) const {
  for (size_t i = 0; i < f_.bandNameLabels.size(); ++i)
    if (widget == f_.bandNameLabels[i] || widget == f_.bandCountLabels[i])
      return static_cast<int>(i) + 1;
  return 0;
}

void Form1ScorePanel::ReduceRoverListFont(int list_index) {
  // A rover's grid pairs are long; the operator shrinks the list to see them.
  const ContestState& contest = f_.state().contest;
  if (!IsCqRover(contest.ContestId, contest.RoverStation)) return;
  QListWidget* list = f_.gridLists[static_cast<size_t>(list_index)];
  QFont font = list->font();
  font.setPointSizeF(font.pointSizeF() * 0.9);
  list->setFont(font);
  QRect g = list->geometry();
  g.setHeight(f_.gridLists[2]->height());
  list->setGeometry(g);
  f_.mnuopen2();
}

}  // namespace vantrel::ui
