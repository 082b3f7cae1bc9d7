// "Antenna settings…": Hamlib's rotator models (searchable by maker and name), the port
// or host:port, the serial speed where it applies, how the antenna may move (tolerance,
// move seconds, lowest elevation, azimuth limits), and a Test that reads the antenna's
// position off the window's thread.
#pragma once

#include <memory>
#include <vector>

#include <QDialog>
#include <QThread>

#include "rotator/hamlib_rotator.h"
#include "rotator/rotator_settings.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace selvora {

class RotatorSettingsDialog final : public QDialog {
  public:
    RotatorSettingsDialog(const RotatorSettings& settings, const MovePolicy& policy = {},
                          QWidget* parent = nullptr);
    // Waits for a Test still asking the rotator: the thread never outlives the dialog.
    ~RotatorSettingsDialog() override;

    RotatorSettings settings() const;
    // As accepted: OK is refused while a box holds something that does not read.
    MovePolicy policy() const { return policy_; }

    // Runs the rotator test on its own thread; the answer shows in testResult().
    void startTest();
    QLabel* testResult() const { return result_; }
    QLineEdit* search() const { return search_; }
    QListWidget* models() const { return list_; }
    QLineEdit* port() const { return port_; }
    QLineEdit* tolerance() const { return tolerance_; }
    QLineEdit* moveSeconds() const { return moveSeconds_; }
    QLineEdit* lowestElevation() const { return lowestElevation_; }
    QLineEdit* lowestAzimuth() const { return lowestAzimuth_; }
    QLineEdit* highestAzimuth() const { return highestAzimuth_; }
    QLabel* problem() const { return problem_; }

    void accept() override;

  private:
    void showModels(const QString& filter);
    const RotatorModel* chosenModel() const;
    void enableSpeedForModel();
    std::optional<MovePolicy> typedPolicy();

    QLabel* hamlib_;  // which Hamlib is in use, or why rotator control is off
    std::vector<RotatorModel> models_;
    int chosenId_;
    MovePolicy policy_;
    QLineEdit* search_;
    QListWidget* list_;
    QLineEdit* port_;
    QComboBox* speed_;
    QLineEdit* tolerance_;
    QLineEdit* moveSeconds_;
    QLineEdit* lowestElevation_;
    QLineEdit* lowestAzimuth_;
    QLineEdit* highestAzimuth_;
    QLabel* problem_;
    QPushButton* test_;
    QLabel* result_;
    std::unique_ptr<QThread> testThread_;
};

}  // namespace selvora
