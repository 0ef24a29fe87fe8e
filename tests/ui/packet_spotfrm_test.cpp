// The spotting window's controls and steps, and what a spot does to the
// main window.
#include <QTcpServer>
#include <QTreeWidget>

#include "ui/spot_window_fixture.h"

namespace vantrel::ui {
namespace {

using PacketSpotfrmTest = SpotWindowTest;

TEST_F(PacketSpotfrmTest, CtrlDOpensTheWindowAndChoosingTncSetsItsDefaults) {
  Start();
  QTest::keyClick(form_->txtCall, Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(form_->txtCall->text(), "");
  PacketSpotfrm& w = form_->spots().Window();
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(w.windowTitle(), " DX Spotting Setup");
  EXPECT_EQ(w.List1->currentItem()->text(), "None");
  EXPECT_FALSE(w.fraBaud->isEnabled());
  EXPECT_FALSE(w.txtTelnetHost->isEnabled());

  w.optBaud[0]->click();
  w.chkDX->setChecked(true);
  Choose(w, "TNC");
  EXPECT_TRUE(w.optBaud[3]->isChecked());  // 9.6k
  EXPECT_TRUE(w.optParityNone->isChecked());
  EXPECT_TRUE(w.optData8->isChecked());
  EXPECT_TRUE(w.optStop1->isChecked());
  EXPECT_TRUE(w.Option3->isChecked());
  EXPECT_EQ(w.txtHex->text(), "03");
  EXPECT_FALSE(w.chkDX->isChecked());
  EXPECT_TRUE(w.fraBaud->isEnabled());
  EXPECT_EQ(w.lblSend->text(), "Send text  (Ctrl C or Esc for TNC Command mode):");
  Choose(w, "Telnet");
  EXPECT_FALSE(w.fraBaud->isEnabled());
  EXPECT_TRUE(w.txtTelnetHost->isEnabled());
  EXPECT_EQ(w.lblSend->text(), "Type text to send and press enter:");
  Choose(w, "AGW Packet Engine");
  EXPECT_EQ(w.lblSend->text(), "Send text (use : to send cmds such as :C QX9ZZ or :D)");
  // Esc closes nothing: the dialog stays up.
  QTest::keyClick(w.txtSent, Qt::Key_Escape);
  EXPECT_TRUE(w.isVisible());
}

TEST_F(PacketSpotfrmTest, DoneSavesPackSpotAndAReloadRestoresListButNotDxOnly) {
  PacketSpotfrm& w = Open();
  Choose(w, "Telnet");
  w.txtTelnetHost->setText("dxc.example.net");
  w.txtTelnetPort->setText("7300");
  w.OptList->click();
  w.chkDX->setChecked(true);
  w.Command2_Click();  // nothing is open: no change
  EXPECT_FALSE(w.Listening());
  // Done opens the source first; the test ends it before it could connect.
  w.cmdDone_Click();
  EXPECT_FALSE(w.isVisible());
  EXPECT_TRUE(w.Listening());
  EXPECT_EQ(w.display().text(), "Attempting connection to: dxc.example.net:7300\r\n\r\n");
  const std::string saved = Read("PackSpot.txt");
  EXPECT_NE(saved.find("\"Telnet\"\r\n0\r\n1\r\n1\r\n#TRUE#\r\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("\"7300\"\r\n\"dxc.example.net\"\r\n"), std::string::npos);

  Write("PackSpot.txt", saved);
  form_.reset();
  Start();
  form_->set_settings_store(&store_);
  PacketSpotfrm& again = form_->spots().Window();
  EXPECT_TRUE(again.OptList->isChecked());
  EXPECT_FALSE(again.chkDX->isChecked());
  EXPECT_EQ(again.List1->currentItem()->text(), "Telnet");
  EXPECT_EQ(again.txtTelnetHost->text(), "dxc.example.net");
  EXPECT_TRUE(again.Listening());  // the stored source opens at load
}

TEST_F(PacketSpotfrmTest, SpotLastSelectsTheFrequencyPlaceholder) {
  Start();
  LogContact("K1ABCD", "FN42");
  ASSERT_EQ(state_.log.ContactCount(), 1);
  PacketSpotfrm& w = form_->spots().Window();
  w.show();
  w.Command3->click();
  EXPECT_EQ(w.txtSent->text(), "DX Frequency in kHz K1ABCD");
  EXPECT_EQ(w.txtSent->selectedText(), "Frequency in kHz");
  EXPECT_EQ(w.txtSent->selectionStart(), 3);
  QTest::keyClicks(w.txtSent, "50125");
  EXPECT_EQ(w.txtSent->text(), "DX 50125 K1ABCD");
}

TEST_F(PacketSpotfrmTest, AgwWithoutOwnCallOpensNothingAndTelnetErrorsCloseThePort) {
  PacketSpotfrm& w = Open();
  state_.prefs.OwnCall = "  ";
  Choose(w, "AGW Packet Engine");
  w.Command1->click();
  EXPECT_TRUE(prompter_.WasAsked("Call Sign Required!"));
  EXPECT_EQ(prompter_.asked.back().text,
            "Please enter your call sign on the setup form to transmit!");
  EXPECT_FALSE(w.Timer1->isActive());

  // A port nothing listens on: refused.
  quint16 closed_port = 0;
  {
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    closed_port = probe.serverPort();
  }
  Choose(w, "Telnet");
  w.txtTelnetHost->setText("127.0.0.1");
  w.txtTelnetPort->setText(QString::number(closed_port));
  const int beeps = prompter_.beeps;
  w.Command1->click();
  // Enter before the connection is made says so.
  SendLine(w, "N0CALL");
  EXPECT_NE(w.display().text().find(
                "**  Connection not yet established.  Please wait a moment and try again.\r\n\r\n"),
            std::string::npos);
  ASSERT_TRUE(Shows(w, "ERROR: Connection is forcefully rejected.\r\n\r\n** Port Closed **"));
  EXPECT_FALSE(w.Listening());
  EXPECT_FALSE(w.Timer1->isActive());
  EXPECT_EQ(prompter_.beeps, beeps + 1);
}

TEST_F(PacketSpotfrmTest, SpotsFillTheStoreAndTheListAndTheOwnCallAlerts) {
  Start();
  Form1Spots& spots = form_->spots();
  for (int i = 0; i < 51; ++i)
    spots.SpotLine(Spotted(std::to_string(50100 + i) + ".0", "W" + std::to_string(i) + "ABC"));
  EXPECT_EQ(Store()[0].call, "W1ABC");
  EXPECT_EQ(Store()[49].call, "W50ABC");
  EXPECT_FLOAT_EQ(Store()[49].frequency, 50.15f);
  EXPECT_EQ(Store()[49].received, clock_.Now());
  ASSERT_EQ(List()->topLevelItemCount(), 51);
  const QTreeWidgetItem* top = List()->topLevelItem(0);
  EXPECT_EQ(top->text(0), "W50ABC");
  EXPECT_EQ(top->text(1), "50.15");
  EXPECT_EQ(top->text(4), "de W3LPL:  FN42");
  EXPECT_EQ(top->text(6), "2030");
  EXPECT_EQ(List()->headerItem()->text(4), "Comments");
  EXPECT_EQ(List()->columnWidth(3), 0);
  for (int i = 0; i < 160; ++i) spots.SpotLine(Spotted("144200.0", "K" + std::to_string(i)));
  EXPECT_EQ(List()->topLevelItemCount(), 200);
  EXPECT_EQ(List()->topLevelItem(199)->text(0), "W11ABC");

  // The own call with no frequency: alert only.
  const int beeps = prompter_.beeps;
  spots.SpotLine("DX de K1TEO:               n0call       big signal");
  EXPECT_EQ(prompter_.beeps, beeps + 1);
  EXPECT_EQ(form_->lblDialog->text(), "You've been spotted! ");
  EXPECT_EQ(form_->lblDupe->text(),
            "You've been spotted!  de K1TEO:               n0call       big signal");
  EXPECT_EQ(form_->lblDupe->palette().color(QPalette::Window), QColor(Qt::white));
  EXPECT_EQ(List()->topLevelItemCount(), 200);
  EXPECT_EQ(List()->topLevelItem(0)->text(0), "K159");
}

}  // namespace
}  // namespace vantrel::ui
