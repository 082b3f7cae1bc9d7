// "Rig settings…": Hamlib's models (searchable by maker and name), the port or
// host:port, the serial speed where it applies, and a Test that reads the rig's
// frequency off the window's thread.
#pragma once

#include <vector>

#include <QDialog>

#include "rig/hamlib_rig.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace selvora {

class RigSettingsDialog final : public QDialog {
  public:
    RigSettingsDialog(const RigSettings& settings, QWidget* parent = nullptr);

    RigSettings settings() const;

    // Runs the rig test on its own thread; the answer shows in testResult().
    void startTest();
    QLabel* testResult() const { return result_; }
    QLineEdit* search() const { return search_; }
    QListWidget* models() const { return list_; }
    QLineEdit* port() const { return port_; }

  private:
    void showModels(const QString& filter);
    const RigModel* chosenModel() const;
    void enableSpeedForModel();

    std::vector<RigModel> models_;
    int chosenId_;
    QLineEdit* search_;
    QListWidget* list_;
    QLineEdit* port_;
    QComboBox* speed_;
    QPushButton* test_;
    QLabel* result_;
};

}  // namespace selvora
