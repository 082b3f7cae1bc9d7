#include "window/rotator_settings_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/numbers.h"
#include "window/qt_text.h"

namespace selvora {

namespace {

// Hamlib's models, led by "No rotator".
std::vector<RotatorModel> modelsToChoose() {
    std::vector<RotatorModel> models = hamlibRotatorModels();
    models.insert(models.begin(), RotatorModel{0, "No", "rotator", false});
    return models;
}

QString degreesText(std::optional<double> degrees) {
    return degrees ? QString::fromStdString(numberText(*degrees)) : QString();
}

QLineEdit* degreesBox(std::optional<double> degrees, const QString& accessibleName,
                      const QString& placeholder) {
    auto* box = new QLineEdit(degreesText(degrees));
    box->setAccessibleName(accessibleName);
    box->setPlaceholderText(placeholder);
    return box;
}

// A box's text by `read`, or why not, led by the box's name; `empty` when it is blank.
template <typename T, typename Read>
std::optional<T> boxValue(const QLineEdit* box, Read read, std::optional<T> empty,
                          std::string& problem) {
    const std::string text = box->text().trimmed().toStdString();
    if (text.empty()) return empty;
    Typed<T> typed = read(text);
    if (!typed.value && problem.empty())
        problem = box->accessibleName().toStdString() + ": " + typed.whyNot;
    return typed.value;
}

}  // namespace

RotatorSettingsDialog::RotatorSettingsDialog(const RotatorSettings& settings,
                                             const MovePolicy& policy, QWidget* parent)
    : QDialog(parent),
      picker_(new HamlibModelPicker(
          modelsToChoose(), settings.model, settings.port, settings.serialSpeed,
          {QStringLiteral("rotator"), QStringLiteral("/dev/ttyUSB1 or localhost:4533")}, this)),
      policy_(policy),
      tolerance_(degreesBox(policy.toleranceDeg, QStringLiteral("Tolerance in degrees"),
                            QStringLiteral("1 (a 3 m dish at 10 GHz: 0.2)"))),
      moveSeconds_(new QLineEdit(policy.moveSeconds
                                     ? QString::fromStdString(moveSecondsText(*policy.moveSeconds))
                                     : QString())),
      lowestElevation_(degreesBox(policy.minElevationDeg,
                                  QStringLiteral("Lowest elevation in degrees"),
                                  QStringLiteral("0"))),
      lowestAzimuth_(degreesBox(policy.minAzimuthDeg, QStringLiteral("Lowest azimuth in degrees"),
                                QStringLiteral("the rotator's own"))),
      highestAzimuth_(degreesBox(policy.maxAzimuthDeg, QStringLiteral("Highest azimuth in degrees"),
                                 QStringLiteral("the rotator's own"))),
      problem_(new QLabel) {
    setWindowTitle(QStringLiteral("Antenna settings"));
    setToolTipAndDescription(*tolerance_,
                             QStringLiteral("The antenna moves once it is this far off the "
                                            "target, so the rotator steps instead of chattering."));
    moveSeconds_->setAccessibleName(QStringLiteral("Move seconds"));
    moveSeconds_->setPlaceholderText(QStringLiteral("any second; 50-59 between periods"));
    setToolTipAndDescription(*moveSeconds_,
                             QStringLiteral("The seconds of each UTC minute in which the antenna "
                                            "may move, such as 50-59: never while receiving or "
                                            "transmitting a JT65 or Q65 period."));
    setToolTipAndDescription(*lowestAzimuth_,
                             QStringLiteral("Narrows the rotator's range, such as a mast that "
                                            "must not turn past 350°; in the rotator's degrees."));
    setToolTipAndDescription(*highestAzimuth_, lowestAzimuth_->toolTip());
    problem_->setWordWrap(true);
    problem_->hide();

    auto* azimuths = new QHBoxLayout;
    azimuths->addWidget(lowestAzimuth_);
    azimuths->addWidget(new QLabel(QStringLiteral("to")));
    azimuths->addWidget(highestAzimuth_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* form = new QFormLayout;
    picker_->addChoiceRows(*form);
    form->addRow(QStringLiteral("Tolerance (°)"), tolerance_);
    form->addRow(QStringLiteral("Move seconds"), moveSeconds_);
    form->addRow(QStringLiteral("Lowest elevation (°)"), lowestElevation_);
    form->addRow(QStringLiteral("Azimuth limits (°)"), azimuths);
    form->addRow(QString(), problem_);
    picker_->addTestRow(*form);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(picker_->testButton(), &QPushButton::clicked, this, &RotatorSettingsDialog::startTest);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

// Every box must read, or the dialog stays open and says why.
void RotatorSettingsDialog::accept() {
    const std::optional<MovePolicy> policy = typedPolicy();
    if (!policy) return;
    policy_ = *policy;
    QDialog::accept();
}

std::optional<MovePolicy> RotatorSettingsDialog::typedPolicy() {
    std::string problem;
    MovePolicy policy;
    const auto tolerance =
        boxValue<double>(tolerance_, readToleranceDeg, std::optional(policy.toleranceDeg), problem);
    policy.moveSeconds = boxValue<MoveSeconds>(moveSeconds_, readMoveSeconds, {}, problem);
    const auto lowest = boxValue<double>(lowestElevation_, readMinElevationDeg,
                                         std::optional(policy.minElevationDeg), problem);
    policy.minAzimuthDeg = boxValue<double>(lowestAzimuth_, readAzimuthLimitDeg, {}, problem);
    policy.maxAzimuthDeg = boxValue<double>(highestAzimuth_, readAzimuthLimitDeg, {}, problem);
    if (problem.empty() && policy.minAzimuthDeg && policy.maxAzimuthDeg &&
        *policy.minAzimuthDeg >= *policy.maxAzimuthDeg)
        problem = "Azimuth limits: the lowest must be below the highest";
    if (!problem.empty()) {
        problem_->setText(qText(problem));
        problem_->show();
        return std::nullopt;
    }
    policy.toleranceDeg = *tolerance;
    policy.minElevationDeg = *lowest;
    return policy;
}

RotatorSettings RotatorSettingsDialog::settings() const {
    return {picker_->model(), picker_->port(), picker_->serialSpeed()};
}

void RotatorSettingsDialog::startTest() {
    picker_->startTest([settings = settings()] { return testRotator(settings).message; });
}

}  // namespace selvora
