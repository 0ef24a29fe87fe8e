// " DX Spotting Setup": where spots come from (a TNC on a serial port, a
// Telnet cluster node, or a packet engine's TCP/IP API), the text sent to
// the source, and the display of everything received.
//
// Responsibilities: the source list and setting controls; Open Port, Close
// Port, Done and Spot Last; the command-mode byte, the send box per source
// and the packet engine's ":" commands; PackSpot.txt at load and on Done;
// the 333 ms poll timer; every spot line handed to the main window.
// Collaborations: spots/ (line splitters, display, frames, settings), a
// SerialPort for the TNC, TcpLink for Telnet and the packet engine, the
// Prompter for messages, and the main window through SpotHandoff.
//
// The window lives for the whole run: Done only hides it and the source
// keeps delivering spots.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "common/ports.h"
#include "platform/tcp_link.h"
#include "spots/agw_frame.h"
#include "spots/spot_lines.h"
#include "spots/spot_settings.h"
#include "ui/form_scale.h"
#include "ui/prompter.h"
#include "ui/run_state.h"

namespace vantrel::ui {

// What the spotting window asks of the main window.
struct SpotHandoff {
  std::function<void(const std::string& line)> spot_line;  // spot intake
  std::function<bool()> save_prefs;                        // SavePref
  std::function<void()> packet_resize;                     // lay out the spot area
  std::function<std::string()> last_call;                  // the most recently logged call
  std::function<void()> refresh_band_map;                  // spot ages and colours are due
};

inline constexpr const char* kAgwDownloadAddress = "https://github.com/wb2osz/direwolf";

class PacketSpotfrm : public QDialog {
  Q_OBJECT

 public:
  // Loads PackSpot.txt and opens the stored source. The packet engine is
  // looked for at `agw_host`:`agw_port`.
  PacketSpotfrm(RunState& state, Prompter& prompter, const ScreenGeometry& screen,
                std::unique_ptr<SerialPort> port, SpotHandoff handoff, QString agw_host,
                quint16 agw_port, QWidget* parent = nullptr);
  // Disconnects a connected station and ends the engine session.
  ~PacketSpotfrm() override;

  void Command1_Click();  // Open Port
  void Command2_Click();  // Close Port
  void cmdDone_Click();
  void Command3_Click();  // Spot Last
  void Timer1_Timer();

  bool Listening() const { return !lblListening->isHidden(); }
  SpotSource Source() const { return SpotSourceOf(settings_.Source); }
  const SpotSettings& settings() const { return settings_; }
  const SpotDisplay& display() const { return display_; }
  const AgwSession& agw() const { return agw_; }
  bool TelnetConnected() const { return link_->Connected(); }
  SerialPort& port() { return *port_; }
  DesignForm& design() { return *design_; }
  std::string SettingsPath() const;
  // How the window is shown when a TNC port fails while it is hidden; tests
  // replace the modal run.
  void set_modal_runner(std::function<void(PacketSpotfrm&)> run) { run_modal_ = std::move(run); }

  QLabel* lblSelect = nullptr;
  QListWidget* List1 = nullptr;
  QGroupBox* fraBaud = nullptr;
  std::array<QRadioButton*, 6> optBaud{};  // optBaud12 .. optBaud192
  QGroupBox* fraParity = nullptr;
  QRadioButton* optParityOdd = nullptr;
  QRadioButton* optParityNone = nullptr;
  QRadioButton* optParityEven = nullptr;
  QGroupBox* fraData = nullptr;
  QRadioButton* optData7 = nullptr;
  QRadioButton* optData8 = nullptr;
  QGroupBox* fraStop = nullptr;
  QRadioButton* optStop1 = nullptr;
  QRadioButton* optStop2 = nullptr;
  QGroupBox* fraComm = nullptr;
  std::array<QRadioButton*, 10> optComm{};  // index 0 is "1"
  QGroupBox* fraPower = nullptr;
  QRadioButton* optPowerNone = nullptr;
  QRadioButton* optPowerRTS = nullptr;
  QRadioButton* optPowerDTR = nullptr;
  QGroupBox* fraHandshaking = nullptr;
  QRadioButton* Option1 = nullptr;  // None
  QRadioButton* Option2 = nullptr;  // Xon Xoff
  QRadioButton* Option3 = nullptr;  // RTS
  QRadioButton* Option4 = nullptr;  // RTS OnOff
  QCheckBox* chkHex = nullptr;      // "Convert to Hex"
  QCheckBox* chkDX = nullptr;
  QGroupBox* fraDisplay = nullptr;  // "Main Form Display"
  QRadioButton* OptList = nullptr;
  QRadioButton* OptBand = nullptr;
  QLabel* lblHex = nullptr;
  QLineEdit* txtHex = nullptr;
  QLabel* lblTelnetHost = nullptr;
  QLineEdit* txtTelnetHost = nullptr;
  QLabel* lblTelnetPort = nullptr;
  QLineEdit* txtTelnetPort = nullptr;
  QLabel* lblListening = nullptr;
  QPlainTextEdit* txtUnProcessed = nullptr;
  QLabel* lblSend = nullptr;
  QLineEdit* txtSent = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command3 = nullptr;
  QPushButton* cmdDone = nullptr;
  QTimer* Timer1 = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void BuildControls();
  QGroupBox* AddFrame(const char* name, const QString& caption, int left, int top, int width,
                      int height);
  QRadioButton* AddOption(QGroupBox* frame, const char* name, const QString& caption, int left,
                          int top, int width = 700);
  void Form_Load();
  void ApplySettingsToControls();
  void ReadControls();
  void EnableSettingControls(SpotSource source);
  void List1_Click(int row);
  void EscapeKey();
  void SendText(const QString& text);
  void txtSent_Change();
  void AgwSend(const QString& text);

  void OpenTnc();
  void OpenTelnet();
  void OpenAgw();
  void AgwFailed();
  void TcpFailed(int number);
  void TcpReceived(const std::string& bytes);
  void HandleAgwFrame();

  void Show(std::string_view text);      // append to the display
  void ShowOnly(std::string_view text);  // replace the display
  void RefreshDisplay();
  void ScrollToEnd();

  RunState& state_;
  Prompter& prompter_;
  std::unique_ptr<SerialPort> port_;
  SpotHandoff handoff_;
  QString agw_host_;
  quint16 agw_port_;
  std::unique_ptr<DesignForm> design_;
  std::function<void(PacketSpotfrm&)> run_modal_;
  TcpLink* link_ = nullptr;  // a child: Qt deletes it
  QTimer* display_timer_ = nullptr;
  SpotSettings settings_;
  SpotDisplay display_;
  unsigned long long shown_version_ = ~0ULL;
  TncLineSplitter tnc_;
  TelnetLineSplitter telnet_;
  AgwDecoder agw_decoder_;
  AgwSession agw_;
  bool agw_open_ = false;  // the engine's session is up
  int ticks_ = 0;          // since the last spot
  bool loading_ = false;
};

}  // namespace vantrel::ui
