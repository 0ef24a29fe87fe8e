#include "ui/form1_cw.h"
#include "ui/form1_voice.h"

#include "common/text.h"
#include "keying/cw_messages.h"
#include "ui/accessible_names.h"
#include "ui/cw_frm.h"
#include "ui/form1.h"
#include "ui/frm_code_practice.h"
#include "ui/frm_cw_strings.h"
#include "ui/frm_winkey.h"
#include "ui/widget_text.h"

namespace vantrel::ui {

namespace {

const char* const kKeyboardOn = "Keyboard CW mode is ON!  Press F12 to exit keyboard CW mode.";
const QColor kKeyboardOnColour(255, 255, 192);
const QColor kKeyboardOffColour(0, 192, 192);

// Key codes the message path uses for F1..F11; F10 travels as 124.
int MessageCode(int qt_key) {
  if (qt_key == Qt::Key_F10) return kKeyF10Code;
  return kKeyF1 + (qt_key - Qt::Key_F1);
}

}  // namespace

Form1Cw::Form1Cw(Form1& form) : QObject(&form), f_(form) {
  connect(f_.mnuCWSetup, &QAction::triggered, this, [this] { mnuCWSetup_Click(); });
  connect(f_.mnuCWStrings, &QAction::triggered, this, [this] { ShowStrings(); });
}

Form1Cw::~Form1Cw() = default;

CWFrm& Form1Cw::setup() {
  if (!setup_) {
    CwKeyerHooks keyer;
    keyer.call = [this] { return f_.txtCall->text(); };
    keyer.log_contact = [this] { f_.Mains(); };
    keyer.show_dialog = [this](const QString& text) { f_.lblDialog->setText(text); };
    // The CW keying port and the voice keyer's PTT port may be one device:
    // whoever opens it first makes the other let go.
    keyer.close_voice_port = [this] { f_.voice().ReleasePttPort(); };
    f_.voice().OnReleaseOtherPorts([this] {
      if (winkey_ && winkey_->WinKeyOpen() != 0) winkey_->cmdCloseWinkey_Click();
      if (setup_) setup_->keyer().ReleasePort();
    });
    keyer.winkey_send = [this](const std::string& text) { winkey().Send(text); };
    keyer.winkey_clear = [this] {
      if (winkey_) winkey_->ClearAll();
    };
    keyer.winkey_open = [this] { return winkey_ && winkey_->WinKeyOpen() != 0; };
    keyer.winkey_backspace = [this](char) {
      if (winkey_ && winkey_->Status() > 0) winkey_->Backspace();
    };
    CwFrmHooks hooks;
    hooks.call = [this] { return f_.txtCall->text(); };
    hooks.rst_sent = [this] { return f_.txtRSTS->text(); };
    hooks.show_strings_minimized = [this] { strings().showMinimized(); };
    hooks.code_practice = [this](QWidget* parent) {
      frmCodePractice practice(setup(), f_.screen_, parent);
      practice.exec();
    };
    hooks.configure_winkey = [this] { winkey().exec(); };
    hooks.winkey_speed = [this](int wpm) {
      if (winkey_) winkey_->SetSpeed(wpm);
    };
    hooks.focus_main = [this] {
      f_.activateWindow();
      f_.txtCall->setFocus();
    };
    setup_ = new CWFrm(f_.state_, f_.prompter_, f_.settings_store(), f_.screen_, std::move(keyer),
                       std::move(hooks), &f_);
    setup_->setWindowFlag(Qt::Window);
    // Choosing the WinKey line loads its window and settings at once.
    connect(setup_->Option5, &QRadioButton::toggled, this, [this](bool on) {
      if (on) winkey();
    });
  }
  return *setup_;
}

frmWinKey& Form1Cw::winkey() {
  if (!winkey_) {
    WinKeyHooks hooks;
    hooks.cw_speed = [this] { return setup().Text11->text(); };
    hooks.release_ports = [this] {
      f_.voice().ReleasePttPort();
      setup().keyer().ReleasePort();
    };
    winkey_ = new frmWinKey(f_.state_, f_.prompter_, f_.settings_store(), f_.screen_,
                            std::move(hooks), &f_);
    winkey_->setWindowFlag(Qt::Window);
  }
  return *winkey_;
}

frmCWStrings& Form1Cw::strings() {
  if (!strings_) {
    strings_ = new frmCWStrings(
        setup(), [this](QKeyEvent* key) { return f_.FormWideKey(key); }, f_.screen_, &f_);
    strings_->setWindowFlag(Qt::Window);
  }
  return *strings_;
}

void Form1Cw::ReadCwSettings() {
  setup().LoadSettings();
  if (setup_->keyer().KeyingLine() == int(CwKeying::kWinKey)) winkey();
}

bool Form1Cw::CwKeysActive() const {
  return setup_ && !EqualsNoCase(f_.state_.prefs.CurrentMode, "PH") &&
         setup_->keyer().KeyingLine() != 0;
}

bool Form1Cw::Key(QKeyEvent* key) {
  if (!CwKeysActive()) return false;
  CwKeyer& keyer = setup_->keyer();
  const int k = key->key();
  if (k == Qt::Key_Escape) {
    // A busy WinKey is stopped at once; the entry stays.
    if (keyer.KeyingLine() == int(CwKeying::kWinKey) && winkey_ && winkey_->WinKeyOpen() != 0 &&
        winkey_->Status() > 0) {
      winkey_->ClearAll();
      return true;
    }
    return false;  // the abort, never keyed
  }
  if (keyer.keyboard_mode() && EqualsNoCase(f_.state_.prefs.CurrentMode, "CW")) {
    if (k == Qt::Key_Backspace) {
      if (keyer.KeyingLine() == int(CwKeying::kWinKey)) {
        if (keyer.hooks().winkey_backspace) keyer.hooks().winkey_backspace('\b');
        return true;
      }
      if (keyer.Sending() && keyer.RemoveLast()) return true;
      keyer.Send("\b");  // queued like a typed character; keys nothing
      return true;
    }
    const QString text = key->text();
    if (!text.isEmpty() && text.at(0).unicode() >= 0x20) {
      keyer.Send(Std(text.toUpper()));
      return true;
    }
  }
  if (k == Qt::Key_Up || k == Qt::Key_Down) {
    if (k == Qt::Key_Up) {
      setup_->Command2_Click();
    } else {
      setup_->Command3_Click();
    }
    f_.lblDialog->setText(setup_->Text11->text() + " WPM");
    return true;
  }
  if (k == Qt::Key_F12) {
    ToggleKeyboardMode();
    return true;
  }
  if (k >= Qt::Key_F1 && k <= Qt::Key_F11) {
    setup_->FKeyCW(MessageCode(k));
    return true;
  }
  return false;
}

void Form1Cw::ToggleKeyboardMode() {
  CwKeyer& keyer = setup().keyer();
  keyer.set_keyboard_mode(!keyer.keyboard_mode());
  if (keyer.keyboard_mode()) {
    f_.ShowDialog(kKeyboardOn, kKeyboardOnColour);
  } else {
    f_.ShowDialog("", kKeyboardOffColour);
    SayLive(&f_, "Keyboard CW mode is off");  // the emptied line alone says nothing
  }
}

void Form1Cw::OpenForShortcut(int key) {
  if (key == Qt::Key_C || key == Qt::Key_S) ShowSetup();
  if (key == Qt::Key_W) ShowStrings();
}

void Form1Cw::mnuCWSetup_Click() {
  setup().exec();
}

void Form1Cw::ShowSetup() {
  setup().showNormal();
  setup_->raise();
  setup_->activateWindow();
}

void Form1Cw::ShowStrings() {
  strings().showNormal();
  strings_->Refresh();
  strings_->raise();
  strings_->activateWindow();
}

void Form1Cw::EmptyCwBuffer() {
  if (setup_) setup_->keyer().EmptyBuffer();
}

void Form1Cw::StopRepeatingMessages() {
  if (setup_) setup_->keyer().StopRepeating();
}

bool Form1Cw::CwSending() const {
  return setup_ && setup_->keyer().Sending();
}

}  // namespace vantrel::ui

namespace vantrel::ui {

void Form1::ReadCwSettings() {
  cw_->ReadCwSettings();
}

void Form1::EmptyCwBuffer() {
  cw_->EmptyCwBuffer();
}

// Any key that is not a Ctrl shortcut ends both keyers' repeating.
void Form1::StopRepeatingMessages() {
  cw_->StopRepeatingMessages();
  voice_->StopRepeating();
}

bool Form1::CwSending() const {
  return cw_->CwSending();
}

}  // namespace vantrel::ui
