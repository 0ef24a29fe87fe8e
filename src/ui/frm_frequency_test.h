// "Test Change Frequency Function": for a radio the rig list does not name,
// sends a typed command to the rig port as it is (or from hex pairs), or
// tunes to a typed frequency, while polling shows the radio's answer in the
// rig window.
//
// Collaborations: the rig window (its port and ChangeFrequency), the
// Prompter for refusals.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include "ui/form_scale.h"
#include "ui/prompter.h"

namespace vantrel::ui {

class RigControlfrm;

class frmFrequencyTest : public QDialog {
  Q_OBJECT

 public:
  frmFrequencyTest(RigControlfrm& rig, Prompter& prompter, QWidget* parent = nullptr);
  ~frmFrequencyTest() override;

  void Command1_Click();  // Send the raw command
  void Command2_Click();  // Send (tune to) the frequency

  QLineEdit* Text1 = nullptr;
  QCheckBox* Check1 = nullptr;
  QPushButton* Command1 = nullptr;
  QLineEdit* Text2 = nullptr;
  QPushButton* Command2 = nullptr;

 private:
  RigControlfrm& rig_;
  Prompter& prompter_;
  std::unique_ptr<DesignForm> design_;
};

}  // namespace vantrel::ui
