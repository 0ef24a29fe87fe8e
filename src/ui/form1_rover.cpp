#include "ui/form1_rover.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QMenu>
#include <QTimer>

#include "common/locator.h"
#include "contest/grid_math.h"
#include "platform/gpsd_client.h"
#include "settings/settings_store.h"
#include "ui/form1.h"
#include "ui/own_grid_box.h"
#include "ui/widget_text.h"

namespace vantrel::ui {

namespace {

constexpr QColor kWarningColour(255, 140, 0);
constexpr QColor kFixColour(192, 255, 192);
constexpr QColor kNoFixColour(255, 255, 0);
constexpr QColor kNoGpsdColour(255, 0, 0);

}  // namespace

Form1Rover::Form1Rover(Form1& form) : QObject(&form), f_(form) {
  // The GPS state sits at the right of the own grid; the warning covers the
  // partial-call list, which a pending square change outranks.
  lblGps = f_.AddLabel("lblGps", "", 7860, 1830, 1620, 210, 8.0);
  lblGps->setAlignment(Qt::AlignCenter);
  lblGps->setVisible(false);
  lblRoverWarning = f_.AddLabel("lblRoverWarning", "", 120, 1185, 4200, 855, 10.0);
  lblRoverWarning->setWordWrap(true);
  lblRoverWarning->setAlignment(Qt::AlignCenter);
  QFont bold = lblRoverWarning->font();
  bold.setBold(true);
  lblRoverWarning->setFont(bold);
  Paint(lblRoverWarning, kWarningColour, Qt::black);
  lblRoverWarning->setVisible(false);
  lblRoverWarning->raise();

  for (QObject* o : f_.mnuSetup->associatedObjects()) {
    if (auto* options = qobject_cast<QMenu*>(o)) {
      mnuGpsGrid = options->addAction("Own Grid from &GPS");
      break;
    }
  }
  if (mnuGpsGrid) {
    mnuGpsGrid->setObjectName("mnuGpsGrid");
    mnuGpsGrid->setCheckable(true);
    connect(mnuGpsGrid, &QAction::triggered, this, [this](bool on) { SetGpsOn(on); });
  }
}

void Form1Rover::Start() {
  const bool on =
      f_.settings_store().Get(kSettingsApplication, kSettingsSection, kGpsOptionKey, "0") == "1";
  Follow(on);
}

void Form1Rover::SetGpsOn(bool on) {
  f_.settings_store().Save(kSettingsApplication, kSettingsSection, kGpsOptionKey, on ? "1" : "0");
  Follow(on);
}

void Form1Rover::Follow(bool on) {
  if (mnuGpsGrid) mnuGpsGrid->setChecked(on);
  if (on == GpsOn()) return;
  watch_ = OwnGridWatch(f_.state().prefs.OwnGrid);
  if (!on) {
    gps_->Stop();
    gps_->deleteLater();
    gps_ = nullptr;
    ShowState();
    return;
  }
  SettingsStore& settings = f_.settings_store();
  const QString host =
      Latin1(settings.Get(kSettingsApplication, kSettingsSection, kGpsHostKey, "localhost"));
  bool ok = false;
  uint port =
      Latin1(settings.Get(kSettingsApplication, kSettingsSection, kGpsPortKey, "2947")).toUInt(&ok);
  if (!ok || port == 0 || port > 65535) port = GpsdClient::kDefaultPort;
  gps_ = new GpsdClient(host, static_cast<quint16>(port), this);
  connect(gps_, &GpsdClient::ReportReceived, this, &Form1Rover::Report);
  connect(gps_, &GpsdClient::LinkLost, this, &Form1Rover::LinkLost);
  ShowState();
  gps_->Start();
}

void Form1Rover::Report(const GpsdReport& report) {
  // Setup or the grid box may have moved the own grid since.
  watch_.SetOwnGrid(f_.state().prefs.OwnGrid);
  if (watch_.Report(report)) {
    ++warnings_;
    f_.prompter_.Beep();
  }
  ShowState();
}

void Form1Rover::OwnGridChanged() {
  watch_.SetOwnGrid(f_.state().prefs.OwnGrid);
  ShowState();
}

void Form1Rover::LinkLost() {
  watch_.LinkLost();
  ShowState();
}

void Form1Rover::ShowState() {
  lblGps->setVisible(GpsOn());
  switch (watch_.link()) {
    case GpsLink::kFix:
      lblGps->setText("GPS " + Latin1(watch_.locator()));
      Paint(lblGps, kFixColour, Qt::black);
      break;
    case GpsLink::kNoFix:
      lblGps->setText("GPS: no fix");
      Paint(lblGps, kNoFixColour, Qt::black);
      break;
    case GpsLink::kNoGpsd:
      lblGps->setText("GPS: no gpsd");
      Paint(lblGps, kNoGpsdColour, Qt::white);
      break;
  }
  const bool ask = GpsOn() && !watch_.pending().empty();
  if (ask) {
    const QString square = Latin1(watch_.pending());
    const QString own = Latin1(f_.state().prefs.OwnGrid);
    QString where = square;
    if (watch_.locator().size() == 6 && SameGridSquare(watch_.locator(), watch_.pending()))
      where += " (" + Latin1(watch_.locator()) + ")";
    lblRoverWarning->setText("GPS: you are in " + where + ", own grid is " + own +
                             ".\nAlt+Y: own grid " + square + "      Alt+N: stay in " + own);
  }
  lblRoverWarning->setVisible(ask);
}

void Form1Rover::AcceptSquare() {
  watch_.SetOwnGrid(f_.state().prefs.OwnGrid);
  const std::optional<std::string> square = watch_.Accept();
  if (!square) return;
  f_.ApplyOwnGrid(*square);
}

void Form1Rover::DeclineSquare() {
  watch_.Decline();
  ShowState();
}

bool Form1Rover::Key(const QKeyEvent* key) {
  const int k = key->key();
  const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
  // A list with the focus keeps its own Page keys.
  if (mods == Qt::NoModifier && (k == Qt::Key_PageUp || k == Qt::Key_PageDown) &&
      !qobject_cast<QAbstractItemView*>(f_.focusWidget())) {
    const int band = StepBand(f_.state().contest.CurrentBand, k == Qt::Key_PageUp ? +1 : -1,
                              f_.state().contest.ContestId);
    if (band != 0 && band != BandIndex(f_.state().contest.CurrentBand)) f_.SelectBand(band);
    return true;
  }
  if (mods != Qt::AltModifier) return false;
  if (k >= Qt::Key_0 && k <= Qt::Key_9) {
    // Alt+1 .. Alt+9 and Alt+0: the ten bands shown on the window, in order.
    f_.SelectBand(k == Qt::Key_0 ? 10 : k - Qt::Key_0);
    return true;
  }
  switch (k) {
    case Qt::Key_S:
      OpenGridBox();
      return true;
    case Qt::Key_Y:
      AcceptSquare();
      return true;
    case Qt::Key_N:
      DeclineSquare();
      return true;
    default:
      return false;
  }
}

void Form1Rover::OpenGridBox() {
  if (box_) return;
  return_focus_ = f_.focusWidget();
  box_ = new OwnGridBox(Latin1(f_.state().prefs.OwnGrid), f_.prompter_, &f_);
  box_->setAttribute(Qt::WA_DeleteOnClose);
  connect(box_, &QDialog::finished, this, &Form1Rover::GridBoxClosed);
  box_->open();
  box_->activateWindow();
  box_->txtOwnGrid->setFocus();
}

void Form1Rover::GridBoxClosed(int result) {
  if (box_ && result == QDialog::Accepted) {
    const std::string grid = Std(box_->grid().toUpper());
    if (grid != f_.state().prefs.OwnGrid) f_.ApplyOwnGrid(grid);
  }
  box_ = nullptr;  // it deletes itself once closed
  // Back where the operator was typing, the entry as it stood, once the
  // box's own window has gone.
  QTimer::singleShot(0, this, [this] {
    f_.activateWindow();
    QApplication::setActiveWindow(&f_);
    if (return_focus_) return_focus_->setFocus();
  });
}

}  // namespace vantrel::ui

namespace vantrel::ui {

void Form1::ApplyOwnGrid(const std::string& grid) {
  ProgramPrefs& p = state_.prefs;
  // A position derived from the old grid follows the new one; a position
  // the operator typed stays, as in station setup.
  if (PositionFollowsGrid(p.OwnGrid, p.OwnLatitude, p.OwnLongitude)) {
    p.OwnLatitude = 0;
    p.OwnLongitude = 0;
  }
  p.OwnGrid = grid;
  OwnPositionFromGrid(p.OwnGrid, p.OwnLatitude, p.OwnLongitude);
  state_.shared.Set("OWN_GRID", grid, true);
  StationSetupRefresh r;
  r.list_tooltip = gridLists[0]->toolTip();
  r.Label30 = Label30->text();
  r.Label2 = Label2->text();
  r.Label4 = Latin1(grid);
  r.reload_log = state_.contest.ContestId == kCqContestId;
  RefreshAfterStation(r);
}

}  // namespace vantrel::ui
