#include "ui/form1.h"

#include "contest/bands.h"
#include "platform/qt_settings_store.h"
#include "platform/system_clock.h"
#include "ui/adif_export.h"
#include "ui/contact_list_view.h"
#include "ui/form1_entry_panel.h"
#include "ui/form2.h"
#include "ui/form5.h"
#include "ui/frm_band_plan.h"
#include "ui/graph_qso.h"
#include "ui/log_maintenance_ui.h"
#include "ui/menu_focus.h"
#include "ui/widget_text.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QHeaderView>
#include <QMenuBar>

namespace vantrel::ui {

namespace {

constexpr QColor kNavy(0, 0, 128);
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
  BuildMenus();
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
  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setInterval(60000);
  connect(Timer1, &QTimer::timeout, this, &Form1::TimeStats);
  entry_ = new Form1EntryPanel(*this);
  holdTimer = entry_->holdTimer();

  Label30->setCursor(Qt::PointingHandCursor);
  connect(txtSec, &QLineEdit::textChanged, this, [this] { txtSec_Change(); });
  connect(cmdClear, &QPushButton::clicked, this, &Form1::cmdClear_Click);
  connect(cmdDup, &QPushButton::clicked, this, &Form1::cmdDup_Click);
  connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, [this] { ShiftGridMap(&GridMap::ShiftNorth); });
  connect(Command4, &QPushButton::clicked, this, [this] { ShiftGridMap(&GridMap::ShiftSouth); });
  connect(Command5, &QPushButton::clicked, this, [this] { ShiftGridMap(&GridMap::ShiftWest); });
  connect(Command6, &QPushButton::clicked, this, [this] { ShiftGridMap(&GridMap::ShiftEast); });
  for (QLabel* g : lblGrid) {
    g->setMouseTracking(true);
    g->setCursor(Qt::PointingHandCursor);
  }
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

QAction* Form1::AddAction(QMenu* menu, const char* name, const QString& caption) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  return action;
}

QAction* Form1::FindAction(const QString& name) const {
  return findChild<QAction*>(name);
}

void Form1::BuildMenus() {
  QMenuBar* bar = menuBar();

  QMenu* file = bar->addMenu("&File");
  file->setObjectName("mnuFile");
  mnuNew = AddAction(file, "mnuNew", "&New");
  mnuOpen = AddAction(file, "mnuOpen", "Open");
  mnuOpen->setEnabled(false);  // reloading is reached through the operations that need it
  mnuArchive = AddAction(file, "mnuArchive", "Archive Current &Log");
  mnuRestore = AddAction(file, "mnuRestore", "&Restore from Archive or Backup");
  file->addSeparator();
  mnuWriteSumm = AddAction(file, "mnuWriteSumm", "&Write Cabrillo File");
  mnuExportADIF = AddAction(file, "mnuExportADIF", "Export &ADIF Format");
  file->addSeparator();
  mnuExit = AddAction(file, "mnuExit", "&Exit");

  QMenu* edit = bar->addMenu("&Edit");
  edit->setObjectName("mnuEdit");
  mnuRecall = AddAction(edit, "mnuRecall", "&Recall");
  mnuCopyListtoClipboard =
      AddAction(edit, "mnuCopyListtoClipboard", "&Copy Listed Items to Clipboard");
  mnuListPrevious = AddAction(edit, "mnuListPrevious", "&List Previous Contacts");
  mnuListPrevious->setCheckable(true);
  mnuPostContest = AddAction(edit, "mnuPostContest", "&Post Contest Mode");
  mnuPostContest->setCheckable(true);

  QMenu* band = bar->addMenu("&Band");
  band->setObjectName("mnuBand");
  for (size_t i = 0; i < kBands.size(); ++i) {
    QAction* item = band->addAction(Latin1(kBands[i].menu_caption));
    item->setObjectName(Latin1(kBands[i].menu_item));
    item->setCheckable(true);
    const int index = kBands[i].index;
    connect(item, &QAction::triggered, this, [this, index] { SelectBand(index); });
    bandMenuItems[i] = item;
  }
  QAction* line = band->addSeparator();
  line->setObjectName("mnuLine14");
  mnuPrivileges = AddAction(band, "mnuPrivileges", "&Privileges");

  QMenu* mode = bar->addMenu("&Mode");
  mode->setObjectName("mnuMode");
  mnuCW = AddAction(mode, "mnuCW", "&CW");
  mnuPhone = AddAction(mode, "mnuPhone", "&Phone");
  mnuCW->setCheckable(true);
  mnuPhone->setCheckable(true);

  QMenu* rst = bar->addMenu("&RST");
  rst->setObjectName("mnuRst");
  mnuRstRecord = AddAction(rst, "mnuRstRecord", "&Record");
  mnuRstDontRecord = AddAction(rst, "mnuRstDontRecord", "&Don't Record");
  mnuRstRecord->setCheckable(true);
  mnuRstDontRecord->setCheckable(true);

  QMenu* options = bar->addMenu("&Options");
  options->setObjectName("mnuOptions");
  mnuSetup = AddAction(options, "mnuSetup", "&Setup");
  mnuColors = AddAction(options, "mnuColors", "&Colors");
  options->addSeparator();
  mnuFormSize = AddAction(options, "mnuFormSize", "&Form Size");
  mnuTaskbar = AddAction(options, "mnuTaskbar", "&Taskbar");
  mnuTaskbar->setCheckable(true);

  QMenu* station = bar->addMenu("S&tation");
  station->setObjectName("mnuStation");
  mnuRigInterface = AddAction(station, "mnuRigInterface", "Rig &Interface");
  QMenu* spotting = station->addMenu("&DX Spotting");
  spotting->setObjectName("mnuDXSpotting");
  mnuSpotConfigure = AddAction(spotting, "mnuSpotConfigure", "&Configure");
  mnuViewSpectrumMap = AddAction(spotting, "mnuViewSpectrumMap", "&View Spectrum Map");
  station->addSeparator();
  mnuCWSetup = AddAction(station, "mnuCWSetup", "&CW Setup");
  mnuCWStrings = AddAction(station, "mnuCWStrings", "CW &Strings");
  mnuPhoneSetup = AddAction(station, "mnuPhoneSetup", "&Phone Setup");
  mnuVoiceNavigation = AddAction(station, "mnuVoiceNavigation", "&Voice Navigation");

  mnugraph = bar->addAction("&Graph");
  mnugraph->setObjectName("mnugraph");
  mnuHelp = bar->addAction("&Help");
  mnuHelp->setObjectName("mnuHelp");

  connect(mnuCW, &QAction::triggered, this, [this] { SetMode(kModeCw); });
  connect(mnuPhone, &QAction::triggered, this, [this] { SetMode(kModePhone); });
  connect(mnuRstRecord, &QAction::triggered, this, [this] { SetRecordRst(1); });
  connect(mnuRstDontRecord, &QAction::triggered, this, [this] { SetRecordRst(2); });
  connect(mnuRecall, &QAction::triggered, this, &Form1::mnuRecall_Click);
  connect(mnuPostContest, &QAction::triggered, this, &Form1::mnuPostContest_Click);
  connect(mnuListPrevious, &QAction::triggered, this, &Form1::mnuListPrevious_Click);
  connect(mnuExit, &QAction::triggered, this, &Form1::mnuExit_Click);
  connect(mnuSetup, &QAction::triggered, this, &Form1::mnuSetup_Click);
  connect(mnuColors, &QAction::triggered, this, &Form1::mnuColors_Click);
  connect(mnuWriteSumm, &QAction::triggered, this, [this] {
    ::vantrel::ui::mnuWriteSumm(this, {state_, *settings_, prompter_, lblTotScore->text(), {}, {}},
                                screen_);
  });
  connect(mnugraph, &QAction::triggered, this,
          [this] { ShowActivityGraph(this, state_, prompter_, screen_); });
  connect(mnuPrivileges, &QAction::triggered, this,
          [this] { ShowBandPrivileges(this, state_, prompter_, screen_); });
  connect(mnuHelp, &QAction::triggered, this, [this] { ShowHelpPage(this, state_, screen_); });
  connect(mnuExportADIF, &QAction::triggered, this,
          [this] { ::vantrel::ui::mnuExportADIF(this, state_, prompter_); });
  connect(mnuNew, &QAction::triggered, this, &Form1::mnuNew_Click);
  connect(mnuOpen, &QAction::triggered, this, [this] { mnuopen2(); });
  connect(mnuFormSize, &QAction::triggered, this, &Form1::mnuFormSize_Click);
  connect(mnuTaskbar, &QAction::triggered, this, &Form1::mnuTaskbar_Click);
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

  // Partial matches on the left; score, rates and the station on the right.
  lblPossDup = AddLabel("lblPossDup", "               Possible Duplicates", 120, 1200, 3600, 240);
  cmdDup = AddButton("cmdDup", "On", 3780, 1185, 540, 255);
  cmdDup->setToolTip("Displaying partial dupes slows the program on older pc's.");
  lblDupe = AddLabel("lblDupe", "", 120, 1440, 4200, 600);
  lblDupe->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblDupe->setWordWrap(true);
  SetButtonColour(lblDupe);
  Label5 = AddLabel("Label5", "Total Contacts ............", 4440, 1200, 1800, 210);
  lblTotCon = AddLabel("lblTotCon", "0", 6240, 1200, 600, 210);
  Label13 = AddLabel("Label13", "Total QSO Points ........", 4440, 1410, 1800, 210);
  lblTotSec = AddLabel("lblTotSec", "0", 6240, 1410, 600, 210);
  Label6 = AddLabel("Label6", "Total Multipliers ...........", 4440, 1620, 1800, 210);
  lblsectogo = AddLabel("lblsectogo", "0", 6240, 1620, 600, 210);
  Label7 = AddLabel("Label7", "Total Score..................", 6960, 1200, 1800, 210);
  lblTotScore = AddLabel("lblTotScore", "0", 8760, 1200, 720, 210);
  Label8 = AddLabel("Label8", "QSOs / Hr (last 20 min)", 6960, 1410, 1800, 210);
  lblAQSO20 = AddLabel("lblAQSO20", "0", 8760, 1410, 720, 210);
  Label9 = AddLabel("Label9", "QSOs / Hr (last 60 min)", 6960, 1620, 1800, 210);
  lblAQSO60 = AddLabel("lblAQSO60", "0", 8760, 1620, 720, 210);
  // The station as set up: own call and own grid.
  Label2 = AddLabel("Label2", "CALL", 4440, 1830, 2400, 210, 8.0);
  Label4 = AddLabel("Label4", "Grid", 6960, 1830, 2520, 210, 8.0);
  for (QLabel* l : {Label2, Label4}) {
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
  }

  // Band and mode display above the band table.
  Label20 = AddLabel("Label20", "Band", 120, 2160, 560, 300);
  Label21 = AddLabel("Label21", "", 680, 2160, 1240, 300, 10.0);
  lblBandSwitch = AddLabel("lblBandSwitch", "Mode", 1980, 2160, 560, 300);
  Label30 = AddLabel("Label30", "", 2540, 2160, 820, 300, 10.0);
  for (QLabel* l : {Label21, Label30}) {
    Paint(l, kNavy, Qt::white);
    l->setAlignment(Qt::AlignCenter);
  }

  // Band view: the ten multiplier lists side by side, then the band table.
  for (int i = 0; i < 10; ++i) {
    auto* list = new QListWidget(client_);
    list->setObjectName(QString("List%1").arg(i + 1));
    list->setFocusPolicy(Qt::NoFocus);
    // The columns are narrow: no scroll bars eating into them (the wheel
    // still scrolls) and a thin frame.
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setFrameShape(QFrame::Box);
    list->setLineWidth(1);
    list->setTextElideMode(Qt::ElideNone);
    gridLists[static_cast<size_t>(i)] = list;
    design_->Add(list, ControlKind::kListBox, 120 + i * 324, 2520, 312, 4200 - 2520, 6.5);
  }
  Label10 = AddLabel("Label10", "#Contacts / #Grids", 1500, 4200, 1860, 240);
  for (int i = 0; i < 10; ++i) {
    const int top = 4470 + i * 216;
    const BandInfo& info = kBands[static_cast<size_t>(i)];
    QLabel* name = AddLabel(std::string(info.name_label).c_str(), Latin1(info.name_caption), 120,
                            top, 1320, 204);
    QLabel* count =
        AddLabel(std::string(info.count_label).c_str(), "1000 / 100", 1500, top, 1860, 204);
    for (QLabel* l : {name, count}) l->setCursor(Qt::PointingHandCursor);
    for (QLabel* l : {name, count}) {
      Paint(l, kNavy, Qt::white);
      l->setAlignment(Qt::AlignCenter);
    }
    bandNameLabels[static_cast<size_t>(i)] = name;
    bandCountLabels[static_cast<size_t>(i)] = count;
  }

  // Grid view: 15 rows of 11 squares around the own square, in the same place.
  for (int i = 0; i < kGridLabelCount; ++i) {
    const int row = i / 11, col = i % 11;
    QLabel* g = AddLabel("lblGrid", "FM19", 120 + col * 294, 2520 + row * 276, 290, 270, 6.0);
    g->setObjectName(QString("lblGrid_%1").arg(i));
    g->setAlignment(Qt::AlignCenter);
    g->setVisible(false);
    lblGrid[static_cast<size_t>(i)] = g;
  }

  // The contact list and its buttons on the right.
  lblRecentContacts = AddLabel("lblRecentContacts", "Recent Contacts", 3480, 2160, 1260, 300);
  cmdList = AddButton("cmdList", "Last 20", 4800, 2160, 780, 300);
  cmdList->setToolTip("List all or last 20 contacts (Listing all will slow the program)");
  cmdEdit = AddButton("cmdEdit", "Edit Contact", 5640, 2160, 960, 300);
  cmdDelete = AddButton("cmdDelete", "Delete Contact", 6660, 2160, 1020, 300);
  cmdEdit->setVisible(false);
  cmdDelete->setVisible(false);
  Command2 = AddButton("Command2", "View Grids", 7740, 2160, 900, 300);
  Command3 = AddButton("Command3", QString::fromUtf8("\u2191"), 8700, 2160, 195, 300);
  Command4 = AddButton("Command4", QString::fromUtf8("\u2193"), 8895, 2160, 195, 300);
  Command5 = AddButton("Command5", QString::fromUtf8("\u2190"), 9090, 2160, 195, 300);
  Command6 = AddButton("Command6", QString::fromUtf8("\u2192"), 9285, 2160, 195, 300);
  Command3->setToolTip("Move the map north");
  Command4->setToolTip("Move the map south");
  Command5->setToolTip("Move the map west");
  Command6->setToolTip("Move the map east");
  for (QPushButton* b : {Command3, Command4, Command5, Command6}) b->setVisible(false);

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

void Form1::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) RedrawBandMap();
  QMainWindow::changeEvent(event);
}

}  // namespace vantrel::ui
