// "Rig settings…": Hamlib's models (searchable by maker and name), the port or
// host:port, the serial speed where it applies, the transverters, and a Test that
// reads the rig's frequency off the window's thread.
#pragma once

#include <QDialog>

#include "rig/hamlib_rig.h"
#include "rig/transverter.h"
#include "window/hamlib_model_picker.h"

class QLabel;
class QLineEdit;
class QListWidget;

namespace selvora {

class RigSettingsDialog final : public QDialog {
  public:
    RigSettingsDialog(const RigSettings& settings, const TransverterOffsets& transverters = {},
                      QWidget* parent = nullptr);

    RigSettings settings() const;
    // As accepted: OK is refused while the transverters box holds something unreadable.
    TransverterOffsets transverters() const { return transverters_; }

    // Runs the rig test on its own thread; the answer shows in testResult().
    void startTest();
    QLabel* testResult() const { return picker_->testResult(); }
    QLineEdit* search() const { return picker_->search(); }
    QListWidget* models() const { return picker_->models(); }
    QLineEdit* port() const { return picker_->portBox(); }
    QLineEdit* transverterBox() const { return transverterBox_; }
    QLabel* problem() const { return problem_; }
    QLabel* hamlib() const { return picker_->hamlib(); }

    void accept() override;

  private:
    HamlibModelPicker* picker_;
    TransverterOffsets transverters_;
    QLineEdit* transverterBox_;
    QLabel* problem_;
};

}  // namespace selvora
