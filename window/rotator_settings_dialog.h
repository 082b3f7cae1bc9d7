// "Antenna settings…": Hamlib's rotator models (searchable by maker and name), the port
// or host:port, the serial speed where it applies, how the antenna may move (tolerance,
// move seconds, lowest elevation, azimuth limits), and a Test that reads the antenna's
// position off the window's thread.
#pragma once

#include <optional>

#include <QDialog>

#include "rotator/hamlib_rotator.h"
#include "rotator/rotator_settings.h"
#include "window/hamlib_model_picker.h"

class QLabel;
class QLineEdit;
class QListWidget;

namespace selvora {

class RotatorSettingsDialog final : public QDialog {
  public:
    RotatorSettingsDialog(const RotatorSettings& settings, const MovePolicy& policy = {},
                          QWidget* parent = nullptr);
    RotatorSettings settings() const;
    // As accepted: OK is refused while a box holds something that does not read.
    MovePolicy policy() const { return policy_; }

    // Runs the rotator test on its own thread; the answer shows in testResult().
    void startTest();
    QLabel* testResult() const { return picker_->testResult(); }
    QLineEdit* search() const { return picker_->search(); }
    QListWidget* models() const { return picker_->models(); }
    QLineEdit* port() const { return picker_->portBox(); }
    QLineEdit* tolerance() const { return tolerance_; }
    QLineEdit* moveSeconds() const { return moveSeconds_; }
    QLineEdit* lowestElevation() const { return lowestElevation_; }
    QLineEdit* lowestAzimuth() const { return lowestAzimuth_; }
    QLineEdit* highestAzimuth() const { return highestAzimuth_; }
    QLabel* problem() const { return problem_; }

    void accept() override;

  private:
    std::optional<MovePolicy> typedPolicy();

    HamlibModelPicker* picker_;
    MovePolicy policy_;
    QLineEdit* tolerance_;
    QLineEdit* moveSeconds_;
    QLineEdit* lowestElevation_;
    QLineEdit* lowestAzimuth_;
    QLineEdit* highestAzimuth_;
    QLabel* problem_;
};

}  // namespace selvora
