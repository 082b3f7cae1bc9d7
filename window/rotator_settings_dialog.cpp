#include "window/rotator_settings_dialog.h"

#include <algorithm>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

#include "common/numbers.h"
#include "window/qt_text.h"

namespace selvora {

namespace {

constexpr int kSpeeds[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

QString modelText(const RotatorModel& model) {
    return QStringLiteral("%1 %2 (%3)")
        .arg(QString::fromStdString(model.maker), QString::fromStdString(model.name))
        .arg(model.id);
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
      hamlib_(new QLabel(QString::fromStdString(hamlibInUse()))),
      models_(hamlibRotatorModels()),
      chosenId_(settings.model),
      policy_(policy),
      search_(new QLineEdit),
      list_(new QListWidget),
      port_(new QLineEdit(QString::fromStdString(settings.port))),
      speed_(new QComboBox),
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
      problem_(new QLabel),
      test_(new QPushButton(QStringLiteral("Test"))),
      result_(new QLabel) {
    setWindowTitle(QStringLiteral("Antenna settings"));
    models_.insert(models_.begin(), RotatorModel{0, "No", "rotator", false});
    search_->setPlaceholderText(QStringLiteral("Search maker or model"));
    search_->setAccessibleName(QStringLiteral("Search Hamlib's rotator models"));
    list_->setAccessibleName(QStringLiteral("Rotator model"));
    port_->setPlaceholderText(QStringLiteral("/dev/ttyUSB1 or localhost:4533"));
    port_->setAccessibleName(QStringLiteral("Port or host:port"));
    speed_->setAccessibleName(QStringLiteral("Serial speed"));
    speed_->addItem(QStringLiteral("The model's default"), 0);
    for (const int baud : kSpeeds)
        speed_->addItem(QString::number(baud), baud);
    speed_->setCurrentIndex(std::max(0, speed_->findData(settings.serialSpeed)));
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
    hamlib_->setWordWrap(true);
    hamlib_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    problem_->setWordWrap(true);
    problem_->hide();
    result_->setWordWrap(true);
    result_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* azimuths = new QHBoxLayout;
    azimuths->addWidget(lowestAzimuth_);
    azimuths->addWidget(new QLabel(QStringLiteral("to")));
    azimuths->addWidget(highestAzimuth_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Hamlib"), hamlib_);
    form->addRow(QStringLiteral("Model"), search_);
    form->addRow(QString(), list_);
    form->addRow(QStringLiteral("Port"), port_);
    form->addRow(QStringLiteral("Speed"), speed_);
    form->addRow(QStringLiteral("Tolerance (°)"), tolerance_);
    form->addRow(QStringLiteral("Move seconds"), moveSeconds_);
    form->addRow(QStringLiteral("Lowest elevation (°)"), lowestElevation_);
    form->addRow(QStringLiteral("Azimuth limits (°)"), azimuths);
    form->addRow(QString(), problem_);
    form->addRow(test_, result_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(search_, &QLineEdit::textChanged, this, &RotatorSettingsDialog::showModels);
    connect(list_, &QListWidget::currentRowChanged, this, [this] {
        if (QListWidgetItem* item = list_->currentItem())
            chosenId_ = item->data(Qt::UserRole).toInt();
        enableSpeedForModel();
    });
    connect(test_, &QPushButton::clicked, this, &RotatorSettingsDialog::startTest);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showModels({});
}

RotatorSettingsDialog::~RotatorSettingsDialog() {
    if (testThread_) testThread_->wait();
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
    return {chosenId_, port_->text().trimmed().toStdString(),
            speed_->isEnabled() ? speed_->currentData().toInt() : 0};
}

// Hamlib may wait seconds for a rotator that does not answer: never on the window's
// thread. One Test at a time: the button is off while one runs.
void RotatorSettingsDialog::startTest() {
    test_->setEnabled(false);
    result_->setText(QStringLiteral("Asking the rotator…"));
    auto answer = std::make_shared<RotatorTestResult>();
    if (testThread_) testThread_->wait();  // finished: the button was off until then
    testThread_.reset(
        QThread::create([answer, settings = settings()] { *answer = testRotator(settings); }));
    connect(testThread_.get(), &QThread::finished, this, [this, answer] {
        result_->setText(QString::fromStdString(answer->message));
        test_->setEnabled(true);
    });
    testThread_->start();
}

// Every word of the filter must be in the model's maker, name or number.
void RotatorSettingsDialog::showModels(const QString& filter) {
    const QStringList words = filter.split(' ', Qt::SkipEmptyParts);
    list_->clear();
    for (const RotatorModel& model : models_) {
        const QString text = model.id == 0 ? QStringLiteral("No rotator") : modelText(model);
        if (!std::all_of(words.begin(), words.end(),
                         [&](const QString& w) { return text.contains(w, Qt::CaseInsensitive); }))
            continue;
        auto* item = new QListWidgetItem(text, list_);
        item->setData(Qt::UserRole, model.id);
        if (model.id == chosenId_) list_->setCurrentItem(item);
    }
    enableSpeedForModel();
}

const RotatorModel* RotatorSettingsDialog::chosenModel() const {
    for (const RotatorModel& model : models_)
        if (model.id == chosenId_) return &model;
    return nullptr;
}

void RotatorSettingsDialog::enableSpeedForModel() {
    const RotatorModel* model = chosenModel();
    speed_->setEnabled(model != nullptr && model->serial);
}

}  // namespace selvora
