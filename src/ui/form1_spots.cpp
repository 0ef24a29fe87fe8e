#include "ui/form1_spots.h"

#include <QHeaderView>

#include "platform/com_port_map.h"
#include "platform/durable_file.h"
#include "platform/qt_serial_port.h"
#include "spots/spot_lines.h"
#include "spots/spot_settings.h"
#include "ui/accessible_names.h"
#include "ui/form1.h"
#include "ui/form1_band_map.h"
#include "ui/packet_spotfrm.h"
#include "ui/widget_text.h"

namespace vantrel::ui {

namespace {

// The COM mapping lives as long as the port that looks devices up in it.
struct ComPortMapHolder {
  ComPortMap map;
};
class TncSerialPort : private ComPortMapHolder, public QtSerialPort {
 public:
  explicit TncSerialPort(SettingsStore& store)
      : ComPortMapHolder{ComPortMap(store)}, QtSerialPort(map) {}
};

constexpr int kListColumnWidths[] = {90, 80, 60, 0, 300, 60, 50, 60};

}  // namespace

Form1Spots::Form1Spots(Form1& form) : QObject(&form), f_(form) {
  setObjectName("Form1Spots");
  txtDX = new QTreeWidget(f_.client());
  txtDX->setObjectName("txtDX");
  txtDX->setRootIsDecorated(false);
  txtDX->setUniformRowHeights(true);
  txtDX->setSelectionBehavior(QAbstractItemView::SelectRows);
  QStringList headers;
  for (const char* c : kSpotListColumns) headers << c;
  txtDX->setHeaderLabels(headers);
  txtDX->header()->setMinimumSectionSize(0);  // "Status" has no width
  for (int i = 0; i < static_cast<int>(std::size(kListColumnWidths)); ++i)
    txtDX->setColumnWidth(i, kListColumnWidths[i]);
  txtDX->hide();
  NameControls({{txtDX, "DX spots", "Newest first. Tab returns to the call"}});
  connect(f_.mnuSpotConfigure, &QAction::triggered, this, [this] { ShowWindow(); });
}

PacketSpotfrm& Form1Spots::Window() {
  if (window_ == nullptr) {
    SpotHandoff handoff;
    handoff.spot_line = [this](const std::string& line) { SpotLine(line); };
    handoff.save_prefs = [this] { return f_.SavePref(); };
    handoff.last_call = [this]() -> std::string {
      const ContactLog& log = f_.state_.log;
      return log.Empty() ? std::string() : log.Record(log.ContactCount()).Call;
    };
    handoff.refresh_band_map = [this] { f_.RedrawBandMap(); };
    handoff.packet_resize = [this] { f_.band_map().PacketResize(); };
    // The engine's address is kept outside the working folder, like the
    // COM port mapping; the usual engines listen on 127.0.0.1:8000.
    SettingsStore& store = f_.settings_store();
    const std::string host = store.Get(kSettingsApplication, "AGW", "Host", "127.0.0.1");
    const int port =
        QString::fromStdString(store.Get(kSettingsApplication, "AGW", "Port", "8000")).toInt();
    window_ = new PacketSpotfrm(f_.state_, f_.prompter_, f_.screen_,
                                std::make_unique<TncSerialPort>(store), std::move(handoff),
                                Latin1(host), static_cast<quint16>(port > 0 ? port : 8000), &f_);
  }
  return *window_;
}

void Form1Spots::ShowWindow() {
  PacketSpotfrm& w = Window();
  w.setWindowState(w.windowState() & ~Qt::WindowMinimized);
  w.show();
  w.raise();
  w.activateWindow();
}

void Form1Spots::StartUp() {
  std::string text, error;
  SpotSettings s;
  if (!ReadWholeFile(f_.state_.WorkingFile("PackSpot.txt"), text, error) ||
      !ParseSpotSettings(text, s).ok() || SpotSourceOf(s.Source) == SpotSource::kNone)
    return;
  Window();
}

void Form1Spots::SpotLine(const std::string& line) {
  const SpotLineFields fields = ReadSpotLine(line);
  BandMapSpots(fields.call, fields.frequency_khz, fields.spot_text);
}

void Form1Spots::BandMapSpots(const std::string& qDXSpotCall, const std::string& qDXSpotFreq,
                              const std::string& qDXSpotRecord) {
  const SpotTaken t = book_.Take(qDXSpotCall, qDXSpotFreq, qDXSpotRecord, f_.state_.prefs.OwnCall,
                                 f_.clock().Now());
  if (t.own_call) {
    f_.prompter_.Beep();
    f_.ShowDialog("You've been spotted! ", Qt::white);
    f_.lblDupe->setText(Latin1("You've been spotted!  " + std::string(qDXSpotRecord)));
    SetBackground(f_.lblDupe, Qt::white);
  }
  if (!t.stored) return;
  f_.band_map().SpotStored();
  InsertListRow(book_.list().rows().front());
}

void Form1Spots::InsertListRow(const SpotListRow& row) {
  if (txtDX->topLevelItemCount() > static_cast<int>(SpotList::kRows) - 1)
    delete txtDX->takeTopLevelItem(static_cast<int>(SpotList::kRows) - 1);
  auto* item = new QTreeWidgetItem(
      QStringList{Latin1(row.call), Latin1(row.frequency), Latin1(row.qth), Latin1(row.status),
                  Latin1(row.comments), Latin1(row.prefix), Latin1(row.time), Latin1(row.from)});
  txtDX->insertTopLevelItem(0, item);
}

}  // namespace vantrel::ui
