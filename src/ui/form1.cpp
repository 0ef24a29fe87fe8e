#include "ui/form1.h"
#include "ui/form1_band_map.h"
#include "ui/form1_cw.h"

#include "platform/qt_settings_store.h"
#include "platform/system_clock.h"
#include "ui/contact_list_view.h"
#include "ui/form1_accessibility.h"
#include "ui/form1_band_mode.h"
#include "ui/form1_entry_panel.h"
#include "ui/form1_files.h"
#include "ui/form1_grid_map.h"
#include "ui/form1_menus.h"
#include "ui/form1_rover.h"
#include "ui/form1_score_panel.h"
#include "ui/form1_spots.h"
#include "ui/form1_voice.h"
#include "ui/log_maintenance_ui.h"
#include "ui/menu_focus.h"
#include "ui/widget_text.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QHeaderView>

namespace vantrel::ui {

namespace {

constexpr QColor kDialogColour(0, 192, 192);

}  // namespace

QString Form1::Caption() {
  return QStringLiteral("QX9ZZ's Vantrel 3.0") + QString(64, QChar(' ')) +
         QStringLiteral("https://vantrel.example.org");
}

Form1::Form1(RunState& state, Prompter& prompter, ScreenGeometry screen, QWidget* parent)
    : QMainWindow(parent), state_(state), prompter_(prompter), screen_(screen) {
  setObjectName("Form1");
  setWindowTitle(Caption());
  client_ = new QWidget(this);
  client_->setObjectName("Form1Client");
  client_->setMouseTracking(true);
  setCentralWidget(client_);
  design_ = std::make_unique<DesignForm>(this, QSize(kDesignScreenWidth, kDesignScreenHeight), 8.0);
  terminate_ = [](int code) { QCoreApplication::exit(code); };
  own_clock_ = std::make_unique<SystemClock>();
  clock_ = own_clock_.get();
  own_settings_ = std::make_unique<QtSettingsStore>();
  settings_ = own_settings_.get();
  files_ = new Form1Files(*this, state_, prompter_);
  menus_ = new Form1Menus(*this);
  BuildControls();
  KeepEntryFocusAfterMenus(this,
                           {txtCall, txtRSTR, txtSec, txtRSTS, txtPostConTime, txtPostConDate});
  contact_list_ = std::make_unique<ContactListView>(ListView1, this);
  connect(contact_list_.get(), &ContactListView::ShowEditButtons, this, [this] {
    cmdEdit->setVisible(true);
    cmdDelete->setVisible(true);
  });
  connect(contact_list_.get(), &ContactListView::EditRequested, this, &Form1::cmdEdit_Click);
  connect(cmdList, &QPushButton::clicked, this, &Form1::cmdList_Click);
  connect(cmdEdit, &QPushButton::clicked, this, &Form1::cmdEdit_Click);
  connect(cmdDelete, &QPushButton::clicked, this, &Form1::cmdDelete_Click);
  connect(mnuCopyListtoClipboard, &QAction::triggered, this,
          [this] { contact_list_->CopyToClipboard(); });
  connect(mnuArchive, &QAction::triggered, this,
          [this] { ::vantrel::ui::mnuArchive(this, state_, prompter_, MaintenanceHooks()); });
  connect(mnuRestore, &QAction::triggered, this,
          [this] { ::vantrel::ui::mnuRestore(this, state_, prompter_, MaintenanceHooks()); });
  connect(mnuRigInterface, &QAction::triggered, this, &Form1::mnuRigInterface_Click);

  Timer2 = new QTimer(this);
  Timer2->setObjectName("Timer2");
  Timer2->setInterval(1000);
  connect(Timer2, &QTimer::timeout, this, &Form1::Timer2_Tick);
  entry_ = new Form1EntryPanel(*this);
  holdTimer = entry_->holdTimer();
  rover_ = new Form1Rover(*this);
  voice_ = new Form1Voice(*this);

  connect(txtSec, &QLineEdit::textChanged, score_, &Form1ScorePanel::GridTextChanged);
  connect(cmdClear, &QPushButton::clicked, this, &Form1::cmdClear_Click);
  connect(cmdDup, &QPushButton::clicked, this, &Form1::cmdDup_Click);
  new Form1Accessibility(*this);  // a child: Qt deletes it
  // The main window sees every key first, whichever of its controls has the focus.
  QCoreApplication::instance()->installEventFilter(this);
}

void Form1::set_clock(const Clock* clock) {
  clock_ = clock ? clock : own_clock_.get();
}

void Form1::set_settings_store(SettingsStore* store) {
  settings_ = store != nullptr ? store : own_settings_.get();
}

Form1::~Form1() {
  // No key or focus event of the dying controls reaches the entry panel.
  QCoreApplication::instance()->removeEventFilter(this);
}

QLabel* Form1::AddLabel(const char* name, const QString& caption, int left, int top, int width,
                        int height, double font) {
  auto* label = new QLabel(caption, client_);
  label->setObjectName(name);
  design_->Add(label, ControlKind::kLabel, left, top, width, height, font);
  return label;
}

QPushButton* Form1::AddButton(const char* name, const QString& caption, int left, int top,
                              int width, int height, double font) {
  auto* button = new QPushButton(caption, client_);
  button->setObjectName(name);
  // Buttons never take the focus from the entry fields, so Tab and Space
  // cycle through the entry fields alone.
  button->setFocusPolicy(Qt::NoFocus);
  design_->Add(button, ControlKind::kButton, left, top, width, height, font);
  return button;
}

QLineEdit* Form1::AddTextBox(const char* name, int left, int top, int width, int height,
                             int max_length, double font) {
  auto* box = new QLineEdit(client_);
  box->setObjectName(name);
  box->setMaxLength(max_length);
  // Text arrives by typing only, through the field's key filter.
  box->setContextMenuPolicy(Qt::NoContextMenu);
  box->setAcceptDrops(false);
  design_->Add(box, ControlKind::kTextBox, left, top, width, height, font);
  return box;
}

QAction* Form1::FindAction(const QString& name) const {
  return findChild<QAction*>(name);
}

void Form1::BuildControls() {
  // Design geometry in twips of the 9600 x 7200 design screen; the client
  // area below the menu bar is about 6700 twips tall.

  // Entry row: captions above the fields, the field font large for speed.
  lblCallCaption = AddLabel("lblCallCaption", "Call", 120, 60, 1200, 240);
  txtCall = AddTextBox("txtCall", 120, 300, 1680, 420, 13);
  lblRstRCaption = AddLabel("lblRstRCaption", "Rcvd", 1920, 60, 660, 240);
  txtRSTR = AddTextBox("txtRSTR", 1920, 300, 660, 420, 3);
  lblGridCaption = AddLabel("lblGridCaption", "Grid", 2700, 60, 700, 240);
  txtSec = AddTextBox("txtSec", 2700, 300, 1200, 420, 8);
  Label3 = AddLabel("Label3", "New", 3420, 60, 480, 240);
  Label3->setAlignment(Qt::AlignCenter);
  Paint(Label3, QColor(255, 0, 0), Qt::white);
  lblRstSCaption = AddLabel("lblRstSCaption", "Sent", 4020, 60, 660, 240);
  txtRSTS = AddTextBox("txtRSTS", 4020, 300, 660, 420, 3);
  lblPostConTime = AddLabel("lblPostConTime", "Time", 4800, 60, 840, 240);
  txtPostConTime = AddTextBox("txtPostConTime", 4800, 300, 840, 420, 5);
  lblPostConDate = AddLabel("lblPostConDate", "Date", 5760, 60, 1320, 240);
  txtPostConDate = AddTextBox("txtPostConDate", 5760, 300, 1320, 420, 10);
  cmdClear = AddButton("cmdClear", "&Clear", 7200, 300, 900, 420, 9.0);
  cmdClear->setToolTip("Click to clear entry fields or press ALT C");
  Label14 = AddLabel("Label14", "Bearing", 8280, 60, 720, 300);
  Label23 = AddLabel("Label23", "0", 9000, 60, 480, 300, 10.0);
  Label22 = AddLabel("Label22", "Miles", 8280, 420, 720, 300);
  Label24 = AddLabel("Label24", "0", 9000, 420, 480, 300, 10.0);
  setTabOrder(txtCall, txtRSTR);
  setTabOrder(txtRSTR, txtSec);
  setTabOrder(txtSec, txtRSTS);
  setTabOrder(txtRSTS, txtPostConTime);
  setTabOrder(txtPostConTime, txtPostConDate);
  for (QWidget* w : {static_cast<QWidget*>(lblPostConTime), static_cast<QWidget*>(lblPostConDate),
                     static_cast<QWidget*>(txtPostConTime), static_cast<QWidget*>(txtPostConDate)})
    w->setVisible(false);

  // Status row and clocks.
  lblDialog = AddLabel("lblDialog", "", 120, 840, 6480, 300, 9.0);
  Paint(lblDialog, kDialogColour, Qt::black);
  Label11 = AddLabel("Label11", "UTC", 6720, 840, 420, 300);
  lblutctime = AddLabel("lblutctime", "UTC TIME", 7140, 840, 1080, 300, 10.0);
  lblCurTime = AddLabel("lblCurTime", "Reg Time", 8280, 840, 900, 300, 10.0);
  Label16 = AddLabel("Label16", "am", 9180, 840, 300, 300);

  // Partial matches on the left.
  lblPossDup = AddLabel("lblPossDup", "               Possible Duplicates", 120, 1200, 3600, 240);
  cmdDup = AddButton("cmdDup", "On", 3780, 1185, 540, 255);
  cmdDup->setToolTip("Displaying partial dupes slows the program on older pc's.");
  lblDupe = AddLabel("lblDupe", "", 120, 1440, 4200, 600);
  lblDupe->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblDupe->setWordWrap(true);
  SetButtonColour(lblDupe);

  // Score, rates, the station and the band view.
  score_ = new Form1ScorePanel(*this);

  // Band and mode display above the band table.
  bands_ = new Form1BandMode(*this);

  // The grid map in the band view's place, its view switch and arrows.
  map_ = new Form1GridMap(*this);
  spots_ = new Form1Spots(*this);
  band_map_ = new Form1BandMap(*this);
  cw_ = new Form1Cw(*this);

  // The contact list and its buttons on the right.
  lblRecentContacts = AddLabel("lblRecentContacts", "Recent Contacts", 3480, 2160, 1260, 300);
  cmdList = AddButton("cmdList", "Last 20", 4800, 2160, 780, 300);
  cmdList->setToolTip("List all or last 20 contacts (Listing all will slow the program)");
  cmdEdit = AddButton("cmdEdit", "Edit Contact", 5640, 2160, 960, 300);
  cmdDelete = AddButton("cmdDelete", "Delete Contact", 6660, 2160, 1020, 300);
  cmdEdit->setVisible(false);
  cmdDelete->setVisible(false);

  ListView1 = new QTreeWidget(client_);
  ListView1->setObjectName("ListView1");
  ListView1->setRootIsDecorated(false);
  ListView1->setUniformRowHeights(true);
  ListView1->setFocusPolicy(Qt::NoFocus);
  ListView1->setToolTip("Click record to edit or delete.");
  ListView1->setHeaderLabels(
      {"Rec#", "Call", "Rec", "Grid R", "Snt", "Date / Time", "Bnd", "Grid S", "Mode"});
  ListView1->header()->setStretchLastSection(false);
  ListView1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  design_->AddListView(ListView1, 3480, 2520, 6000, 6660 - 2520,
                       {560, 940, 500, 690, 500, 1050, 480, 690, 600}, 8.0);

  setFocusProxy(txtCall);
}

const GridMap& Form1::grid_map() const {
  return map_->map();
}

void Form1::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) RedrawBandMap();
  QMainWindow::changeEvent(event);
}

}  // namespace vantrel::ui
