#include "ui/form1_menus.h"

#include <QMenuBar>

#include "contest/bands.h"
#include "ui/adif_export.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/form5.h"
#include "ui/frm_band_plan.h"
#include "ui/graph_qso.h"
#include "ui/widget_text.h"

namespace vantrel::ui {

Form1Menus::Form1Menus(Form1& form) : QObject(&form), f_(form) {
  setObjectName("Form1Menus");
  QMenuBar* bar = f_.menuBar();

  QMenu* file = bar->addMenu("&File");
  file->setObjectName("mnuFile");
  f_.mnuNew = AddAction(file, "mnuNew", "&New");
  f_.mnuOpen = AddAction(file, "mnuOpen", "Open");
  f_.mnuOpen->setEnabled(false);  // reloading is reached through the operations that need it
  f_.mnuArchive = AddAction(file, "mnuArchive", "Archive Current &Log");
  f_.mnuRestore = AddAction(file, "mnuRestore", "&Restore from Archive or Backup");
  file->addSeparator();
  f_.mnuWriteSumm = AddAction(file, "mnuWriteSumm", "&Write Cabrillo File");
  f_.mnuExportADIF = AddAction(file, "mnuExportADIF", "Export &ADIF Format");
  file->addSeparator();
  f_.mnuExit = AddAction(file, "mnuExit", "&Exit");

  QMenu* edit = bar->addMenu("&Edit");
  edit->setObjectName("mnuEdit");
  f_.mnuRecall = AddAction(edit, "mnuRecall", "&Recall");
  f_.mnuCopyListtoClipboard =
      AddAction(edit, "mnuCopyListtoClipboard", "&Copy Listed Items to Clipboard");
  f_.mnuListPrevious = AddAction(edit, "mnuListPrevious", "&List Previous Contacts");
  f_.mnuListPrevious->setCheckable(true);
  f_.mnuPostContest = AddAction(edit, "mnuPostContest", "&Post Contest Mode");
  f_.mnuPostContest->setCheckable(true);

  QMenu* band = bar->addMenu("&Band");
  band->setObjectName("mnuBand");
  for (size_t i = 0; i < kBands.size(); ++i) {
    QAction* item = band->addAction(Latin1(kBands[i].menu_caption));
    item->setObjectName(Latin1(kBands[i].menu_item));
    item->setCheckable(true);
    const int index = kBands[i].index;
    connect(item, &QAction::triggered, this, [this, index] { f_.SelectBand(index); });
    f_.bandMenuItems[i] = item;
  }
  QAction* line = band->addSeparator();
  line->setObjectName("mnuLine14");
  f_.mnuPrivileges = AddAction(band, "mnuPrivileges", "&Privileges");

  QMenu* mode = bar->addMenu("&Mode");
  mode->setObjectName("mnuMode");
  f_.mnuCW = AddAction(mode, "mnuCW", "&CW");
  f_.mnuPhone = AddAction(mode, "mnuPhone", "&Phone");
  f_.mnuCW->setCheckable(true);
  f_.mnuPhone->setCheckable(true);

  QMenu* rst = bar->addMenu("&RST");
  rst->setObjectName("mnuRst");
  f_.mnuRstRecord = AddAction(rst, "mnuRstRecord", "&Record");
  f_.mnuRstDontRecord = AddAction(rst, "mnuRstDontRecord", "&Don't Record");
  f_.mnuRstRecord->setCheckable(true);
  f_.mnuRstDontRecord->setCheckable(true);

  QMenu* options = bar->addMenu("&Options");
  options->setObjectName("mnuOptions");
  f_.mnuSetup = AddAction(options, "mnuSetup", "&Setup");
  f_.mnuColors = AddAction(options, "mnuColors", "&Colors");
  options->addSeparator();
  f_.mnuFormSize = AddAction(options, "mnuFormSize", "&Form Size");
  f_.mnuTaskbar = AddAction(options, "mnuTaskbar", "&Taskbar");
  f_.mnuTaskbar->setCheckable(true);

  QMenu* station = bar->addMenu("S&tation");
  station->setObjectName("mnuStation");
  f_.mnuRigInterface = AddAction(station, "mnuRigInterface", "Rig &Interface");
  QMenu* spotting = station->addMenu("&DX Spotting");
  spotting->setObjectName("mnuDXSpotting");
  f_.mnuSpotConfigure = AddAction(spotting, "mnuSpotConfigure", "&Configure");
  f_.mnuViewSpectrumMap = AddAction(spotting, "mnuViewSpectrumMap", "&View Spectrum Map");
  station->addSeparator();
  f_.mnuCWSetup = AddAction(station, "mnuCWSetup", "&CW Setup");
  f_.mnuCWStrings = AddAction(station, "mnuCWStrings", "CW &Strings");
  f_.mnuPhoneSetup = AddAction(station, "mnuPhoneSetup", "&Phone Setup");
  f_.mnuVoiceNavigation = AddAction(station, "mnuVoiceNavigation", "&Voice Navigation");

  f_.mnugraph = bar->addAction("&Graph");
  f_.mnugraph->setObjectName("mnugraph");
  f_.mnuHelp = bar->addAction("&Help");
  f_.mnuHelp->setObjectName("mnuHelp");

  connect(f_.mnuCW, &QAction::triggered, this, [this] { f_.SetMode(kModeCw); });
  connect(f_.mnuPhone, &QAction::triggered, this, [this] { f_.SetMode(kModePhone); });
  connect(f_.mnuRstRecord, &QAction::triggered, this, [this] { f_.SetRecordRst(1); });
  connect(f_.mnuRstDontRecord, &QAction::triggered, this, [this] { f_.SetRecordRst(2); });
  connect(f_.mnuRecall, &QAction::triggered, &f_, &Form1::mnuRecall_Click);
  connect(f_.mnuPostContest, &QAction::triggered, &f_, &Form1::mnuPostContest_Click);
  connect(f_.mnuListPrevious, &QAction::triggered, &f_, &Form1::mnuListPrevious_Click);
  connect(f_.mnuExit, &QAction::triggered, &f_, &Form1::mnuExit_Click);
  connect(f_.mnuSetup, &QAction::triggered, &f_, &Form1::mnuSetup_Click);
  connect(f_.mnuColors, &QAction::triggered, &f_, &Form1::mnuColors_Click);
  connect(f_.mnuWriteSumm, &QAction::triggered, this, [this] {
    ::vantrel::ui::mnuWriteSumm(
        &f_, {f_.state_, *f_.settings_, f_.prompter_, f_.lblTotScore->text(), {}, {}}, f_.screen_);
  });
  connect(f_.mnugraph, &QAction::triggered, this,
          [this] { ShowActivityGraph(&f_, f_.state_, f_.prompter_, f_.screen_); });
  connect(f_.mnuPrivileges, &QAction::triggered, this,
          [this] { ShowBandPrivileges(&f_, f_.state_, f_.prompter_, f_.screen_); });
  connect(f_.mnuHelp, &QAction::triggered, this,
          [this] { ShowHelpPage(&f_, f_.state_, f_.screen_); });
  connect(f_.mnuExportADIF, &QAction::triggered, this,
          [this] { ::vantrel::ui::mnuExportADIF(&f_, f_.state_, f_.prompter_); });
  connect(f_.mnuNew, &QAction::triggered, &f_, &Form1::mnuNew_Click);
  connect(f_.mnuOpen, &QAction::triggered, this, [this] { f_.mnuopen2(); });
  connect(f_.mnuFormSize, &QAction::triggered, &f_, &Form1::mnuFormSize_Click);
  connect(f_.mnuTaskbar, &QAction::triggered, &f_, &Form1::mnuTaskbar_Click);
}

QAction* Form1Menus::AddAction(QMenu* menu, const char* name, const QString& caption) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  return action;
}

}  // namespace vantrel::ui
