// "CW Strings": the eleven messages beside their keys, clickable, with the
// message and stop keys working while it has the focus.
//
// Collaborations: CWFrm (messages, FKeyCW), the main window's key handler
// (keys pressed here are passed to it).
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <array>
#include <functional>

#include "ui/cw_frm.h"

namespace vantrel::ui {

class frmCWStrings : public QDialog {
  Q_OBJECT

 public:
  frmCWStrings(CWFrm& cw, std::function<bool(QKeyEvent*)> main_key, const ScreenGeometry& screen,
               QWidget* parent = nullptr);

  // Fills the message labels from the setup window.
  void Refresh();
  void RowClicked(int index);

  std::array<QLabel*, 12> Label1{};
  std::array<QLabel*, 12> lblCWString{};
  QPushButton* Command1 = nullptr;

 protected:
  bool event(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* key) override;

 private:
  CWFrm& cw_;
  std::function<bool(QKeyEvent*)> main_key_;
  std::unique_ptr<DesignForm> design_;
};

}  // namespace vantrel::ui
