// The part of the rig's and the antenna's settings dialogs that picks the Hamlib device:
// which Hamlib is in use, Hamlib's models (searchable by maker, name and number), the
// port or host:port, the serial speed where the model has one, and a Test that asks the
// device on a thread of its own.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QObject>
#include <QString>
#include <QThread>

#include "hamlib/hamlib_model.h"

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace selvora {

class HamlibModelPicker final : public QObject {
  public:
    struct Texts {
        QString device;       // "rig": "Search Hamlib's rig models", "Rig model"
        QString portExample;  // "/dev/ttyUSB0 or localhost:4532"
    };
    // Starts with `model` chosen; a model numbered 0 is listed as its maker and name alone
    // ("No rotator").
    HamlibModelPicker(std::vector<HamlibModel> models, int model, const std::string& port,
                      int serialSpeed, const Texts& texts, QObject* parent);
    // Waits for a Test still asking the device: the thread never outlives the dialog.
    ~HamlibModelPicker() override;

    void addChoiceRows(QFormLayout& form);  // Hamlib, Model, Port, Speed
    void addTestRow(QFormLayout& form);

    int model() const { return chosenId_; }
    std::string port() const;
    int serialSpeed() const;  // 0 where the model has no serial line

    // Runs `ask` (which blocks for as long as the device takes) on its own thread and
    // shows its answer; the Test button is off meanwhile. The dialog connects the button.
    void startTest(std::function<std::string()> ask);

    QPushButton* testButton() const { return test_; }
    QLabel* testResult() const { return result_; }
    QLineEdit* search() const { return search_; }
    QListWidget* models() const { return list_; }
    QLineEdit* portBox() const { return port_; }
    QLabel* hamlib() const { return hamlib_; }

  private:
    void showModels(const QString& filter);
    void enableSpeedForModel();

    Texts texts_;
    std::vector<HamlibModel> models_;
    int chosenId_;
    QLabel* hamlib_;  // which Hamlib is in use, or why rig and antenna control are off
    QLineEdit* search_;
    QListWidget* list_;
    QLineEdit* port_;
    QComboBox* speed_;
    QPushButton* test_;
    QLabel* result_;
    std::unique_ptr<QThread> testThread_;
};

}  // namespace selvora
