// "Rig settings…": Hamlib's models (searchable by maker and name), the port or
// host:port, the serial speed where it applies, the transverters, and a Test that
// reads the rig's frequency off the window's thread.
#pragma once

#include <memory>
#include <vector>

#include <QDialog>
#include <QThread>

#include "rig/hamlib_rig.h"
#include "rig/transverter.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace selvora {

class RigSettingsDialog final : public QDialog {
  public:
    RigSettingsDialog(const RigSettings& settings, const TransverterOffsets& transverters = {},
                      QWidget* parent = nullptr);
    // Waits for a Test still asking the rig: the thread never outlives the dialog.
    ~RigSettingsDialog() override;

    RigSettings settings() const;
    // As accepted: OK is refused while the transverters box holds something unreadable.
    TransverterOffsets transverters() const { return transverters_; }

    // Runs the rig test on its own thread; the answer shows in testResult().
    void startTest();
    QLabel* testResult() const { return result_; }
    QLineEdit* search() const { return search_; }
    QListWidget* models() const { return list_; }
    QLineEdit* port() const { return port_; }
    QLineEdit* transverterBox() const { return transverterBox_; }
    QLabel* problem() const { return problem_; }

    void accept() override;

  private:
    void showModels(const QString& filter);
    const RigModel* chosenModel() const;
    void enableSpeedForModel();

    std::vector<RigModel> models_;
    int chosenId_;
    TransverterOffsets transverters_;
    QLineEdit* search_;
    QListWidget* list_;
    QLineEdit* port_;
    QComboBox* speed_;
    QLineEdit* transverterBox_;
    QLabel* problem_;
    QPushButton* test_;
    QLabel* result_;
    std::unique_ptr<QThread> testThread_;
};

}  // namespace selvora
