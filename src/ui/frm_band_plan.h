// frmBandPlan: the band privileges window, a bar chart of the frequency
// segments one licence class may use on each band, CW and phone in different
// colours. Modal, over the whole work area; opens on the Extra class.
//
// Responsibilities: the class buttons, title and legend; reading
// BandPlan.txt; turning the chart layout into labels named by prefix
// ("blbl" bars, "bnlb" name tags, "priv" segments).
// Collaborations: contest/band_plan (parser and layout), form_scale (style C
// over the whole work area), Prompter (the missing-data message).
#pragma once

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <array>
#include <memory>
#include <string>

#include "contest/band_plan.h"
#include "ui/form_scale.h"
#include "ui/prompter.h"
#include "ui/run_state.h"

namespace vantrel::ui {

inline constexpr int kLicenceClassCount = 6;

struct LicenceClass {
  const char* button;  // caption of Command1..Command6
  const char* letter;  // class letter in BandPlan.txt
  const char* title;   // Label2 while the class is shown
};

inline constexpr std::array<LicenceClass, kLicenceClassCount> kLicenceClasses{{
    {"Novice", "N", "Novice Frequency Privileges"},
    {"Technician", "T", "Technician Frequency Privileges"},
    {"Tech +", "P", "Technician Plus Frequency Privileges"},
    {"General", "G", "General Frequency Privileges"},
    {"Advanced", "A", "Advanced Frequency Privileges"},
    {"Extra", "E", "Extra Frequency Privileges"},
}};

class frmBandPlan : public QDialog {
  Q_OBJECT

 public:
  // The load step: layout, legend colours, BandPlan.txt of
  // `working_directory`, then the Extra chart (or the message when the file
  // cannot be read).
  frmBandPlan(const std::string& working_directory, Prompter& prompter,
              const ScreenGeometry& screen, QWidget* parent = nullptr);
  ~frmBandPlan() override;

  // A class button: title, then the chart of its class (index 0..5 in
  // kLicenceClasses order).
  void ClassButton_Click(int index);
  // Draws the chart of class `cls`, replacing any earlier one.
  void DrawChart(const std::string& cls);

  const BandPlan& plan() const { return plan_; }
  const ChartLayout& chart() const { return chart_; }
  bool data_available() const { return data_available_; }
  DesignForm& design() { return *design_; }

  // Controls, under their established names.
  std::array<QPushButton*, kLicenceClassCount> classButtons{};  // Command1..Command6
  QPushButton* Command7 = nullptr;                              // "Done"
  QLabel* Label1 = nullptr;                                     // "Frequencies Effective: ..."
  QLabel* Label2 = nullptr;                                     // chart title
  QLabel* Label3 = nullptr;                                     // CW legend
  QLabel* Label4 = nullptr;                                     // phone legend
  QFrame* Line1 = nullptr;                                      // upper limit of the chart

 private:
  void BuildControls();
  void RemoveChartElements();
  bool ReadBandPlan(const std::string& path);

  Prompter& prompter_;
  std::unique_ptr<DesignForm> design_;
  double font_factor_ = 1.0;
  BandPlan plan_;
  ChartLayout chart_;
  bool data_available_ = false;
};

// "&Privileges" and Ctrl+F: shows the window modally over `parent`, then
// destroys it.
void ShowBandPrivileges(QWidget* parent, const RunState& state, Prompter& prompter,
                        const ScreenGeometry& screen);

}  // namespace vantrel::ui
