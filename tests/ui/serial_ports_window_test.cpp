// The "Serial Ports" window: detected ports, typing a mapping, picking a
// detected device for a COM number, and what Save and Cancel keep.
#include "ui/serial_ports_window.h"

#include <gtest/gtest.h>
#include <QTest>

#include <map>

#include "support/memory_settings_store.h"

namespace vantrel::ui {
namespace {

class SerialPortsWindowTest : public ::testing::Test {
 protected:
  SerialPortsWindowTest()
      : map_(settings_, [this](const std::string& name) -> std::optional<std::string> {
          auto it = env_.find(name);
          if (it == env_.end()) return std::nullopt;
          return it->second;
        }) {
    screen_.screen = QRect(0, 0, 1280, 960);
    screen_.workArea = QRect(0, 0, 1280, 920);
  }

  PortLister Lister() {
    return [this] { return detected_; };
  }

  MemorySettingsStore settings_;
  std::map<std::string, std::string> env_;
  ComPortMap map_;
  ScreenGeometry screen_;
  std::vector<DetectedPort> detected_ = {{"/dev/ttyS0", "ttyS0"},
                                         {"/dev/ttyUSB0", "FT232R USB UART"}};
};

TEST_F(SerialPortsWindowTest, ListsTheDetectedPortsAndTheMapping) {
  map_.Store(2, "/dev/ttyACM0");
  env_["VANTREL_COM4"] = "/dev/pts/7";
  SerialPortsWindow w(map_, screen_, Lister());
  EXPECT_EQ(w.windowTitle(), "Serial Ports");
  ASSERT_EQ(w.lstDetected->topLevelItemCount(), 2);
  EXPECT_EQ(w.lstDetected->topLevelItem(1)->text(0), "/dev/ttyUSB0");
  EXPECT_EQ(w.lstDetected->topLevelItem(1)->text(1), "FT232R USB UART");
  EXPECT_EQ(w.lblCom[9]->text(), "COM10");
  EXPECT_EQ(w.txtCom[0]->text(), "");
  EXPECT_EQ(w.txtCom[0]->placeholderText(), "/dev/ttyS0");
  EXPECT_EQ(w.txtCom[9]->placeholderText(), "/dev/ttyS9");
  EXPECT_EQ(w.txtCom[1]->text(), "/dev/ttyACM0");
  EXPECT_FALSE(w.txtCom[3]->isEnabled());
  EXPECT_TRUE(w.txtCom[3]->toolTip().contains("VANTREL_COM4"))
      << w.txtCom[3]->toolTip().toStdString();
  EXPECT_TRUE(w.txtCom[3]->toolTip().contains("/dev/pts/7"));
  EXPECT_GT(w.design().applied_window.width(), 0);

  detected_.push_back({"/dev/ttyUSB1", "CP2102"});
  w.cmdRefresh->click();
  EXPECT_EQ(w.lstDetected->topLevelItemCount(), 3);
}

TEST_F(SerialPortsWindowTest, TypedAndPickedDevicesAreSavedClearedOnesRemoved) {
  map_.Store(2, "/dev/ttyACM0");
  map_.Store(6, "/dev/ttyUSB9");
  SerialPortsWindow w(map_, screen_, Lister());
  w.show();
  QApplication::setActiveWindow(&w);

  w.txtCom[2]->setFocus();
  QTest::keyClicks(w.txtCom[2], " /dev/ttyUSB4 ");  // blanks around are dropped
  // COM2 cleared back to the default.
  w.txtCom[1]->setFocus();
  QTest::keyClick(w.txtCom[1], Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(w.txtCom[1], Qt::Key_Backspace);
  // A detected device into the field typed in last: COM5.
  w.txtCom[4]->setFocus();
  EXPECT_EQ(w.cmdUse->text(), "&Use for COM5");
  w.lstDetected->setCurrentItem(w.lstDetected->topLevelItem(1));
  w.cmdUse->click();
  EXPECT_EQ(w.txtCom[4]->text(), "/dev/ttyUSB0");
  QTest::keyClick(w.cmdSave, Qt::Key_Space);

  EXPECT_EQ(w.result(), QDialog::Accepted);
  EXPECT_EQ(map_.Stored(3), "/dev/ttyUSB4");
  EXPECT_EQ(map_.DevicePath(2), "/dev/ttyS1");
  EXPECT_EQ(map_.DevicePath(5), "/dev/ttyUSB0");
  EXPECT_EQ(map_.DevicePath(6), "/dev/ttyUSB9");  // untouched
}

TEST_F(SerialPortsWindowTest, CancelKeepsTheSavedMappingAndEnvironmentRowsStayAsSaved) {
  map_.Store(1, "/dev/ttyUSB2");
  map_.Store(4, "/dev/ttyUSB3");
  env_["VANTREL_COM4"] = "/dev/pts/7";
  {
    SerialPortsWindow w(map_, screen_, Lister());
    w.show();
    w.txtCom[0]->setFocus();
    QTest::keyClicks(w.txtCom[0], "9");
    w.cmdUse->click();
    EXPECT_EQ(w.txtCom[0]->text(), "/dev/ttyS0");
    w.cmdCancel->click();
    EXPECT_EQ(w.result(), QDialog::Rejected);
  }
  EXPECT_EQ(map_.Stored(1), "/dev/ttyUSB2");
  SerialPortsWindow w(map_, screen_, Lister());
  w.cmdSave->click();
  EXPECT_EQ(map_.Stored(4), "/dev/ttyUSB3");
  EXPECT_EQ(map_.DevicePath(4), "/dev/pts/7");
}

}  // namespace
}  // namespace vantrel::ui
