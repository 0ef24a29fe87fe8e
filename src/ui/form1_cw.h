// The main window's side of CW: the setup and strings windows, the message
// keys, the speed keys, keyboard CW mode and the stop keys; the WinKey
// keyer when it is the keying output.
//
// Collaborations: Form1 (fields, lblDialog, Mains, CurrentMode), CWFrm and
// frmCWStrings (created at start-up, kept for the run), CwKeyer.
#pragma once

#include <QKeyEvent>
#include <QObject>

namespace vantrel::ui {

class Form1;
class CWFrm;
class frmCWStrings;
class frmWinKey;

class Form1Cw : public QObject {
  Q_OBJECT

 public:
  explicit Form1Cw(Form1& form);
  ~Form1Cw() override;

  // Start-up: creates the setup window and reads CW.txt.
  void ReadCwSettings();
  // A key on the main window after "stop repeating": true when CW took it.
  bool Key(QKeyEvent* key);
  void OpenForShortcut(int key);
  void EmptyCwBuffer();
  void StopRepeatingMessages();
  bool CwSending() const;

  void mnuCWSetup_Click();  // modal
  void ShowSetup();         // modeless, restored
  void ShowStrings();       // restored
  void ToggleKeyboardMode();

  CWFrm& setup();
  frmCWStrings& strings();
  // Created with the WinKey keying line, kept for the run.
  frmWinKey& winkey();

 private:
  bool CwKeysActive() const;

  Form1& f_;
  CWFrm* setup_ = nullptr;  // children of the main window
  frmCWStrings* strings_ = nullptr;
  frmWinKey* winkey_ = nullptr;
};

}  // namespace vantrel::ui
