// Form5: the help page, the operating instructions of readVHF.txt in a
// scrolling text box. Modal; the main window creates it from "&Help" and
// destroys it when it closes.
//
// Responsibilities: show the file's text as it is; close on "Close".
// Collaborations: form_scale (style A), platform/durable_file (reading).
#pragma once

#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <memory>
#include <string>

#include "ui/form_scale.h"
#include "ui/run_state.h"

namespace vantrel::ui {

inline constexpr char kHelpFile[] = "readVHF.txt";

class Form5 : public QDialog {
  Q_OBJECT

 public:
  // The load step: layout, then readVHF.txt of `working_directory` into
  // Text1. A missing or unreadable file leaves the page empty, silently.
  Form5(const std::string& working_directory, const ScreenGeometry& screen,
        QWidget* parent = nullptr);
  ~Form5() override;

  // The file's bytes as read (8-bit text, line ends included).
  const std::string& loaded_bytes() const { return loaded_; }
  DesignForm& design() { return *design_; }

  QPlainTextEdit* Text1 = nullptr;
  QPushButton* Command1 = nullptr;  // "Close"

 private:
  std::unique_ptr<DesignForm> design_;
  std::string loaded_;
};

// "&Help": shows the help page modally over `parent`, then destroys it.
void ShowHelpPage(QWidget* parent, const RunState& state, const ScreenGeometry& screen);

}  // namespace vantrel::ui
