#include "window/rig_settings_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace selvora {

namespace {

QString transverterListText(const TransverterOffsets& transverters) {
    QStringList texts;
    for (const TransverterOffset& offset : transverters)
        texts << QString::fromStdString(transverterText(offset));
    return texts.join(QStringLiteral(", "));
}

}  // namespace

RigSettingsDialog::RigSettingsDialog(const RigSettings& settings,
                                     const TransverterOffsets& transverters, QWidget* parent)
    : QDialog(parent),
      picker_(new HamlibModelPicker(
          hamlibModels(), settings.model, settings.port, settings.serialSpeed,
          {QStringLiteral("rig"), QStringLiteral("/dev/ttyUSB0 or localhost:4532")}, this)),
      transverters_(transverters),
      transverterBox_(new QLineEdit(transverterListText(transverters))),
      problem_(new QLabel) {
    setWindowTitle(QStringLiteral("Rig settings"));
    transverterBox_->setPlaceholderText(QStringLiteral("BAND:LO_MHZ, such as 10368:10224"));
    transverterBox_->setAccessibleName(QStringLiteral("Transverters, band and LO in MHz"));
    transverterBox_->setToolTip(
        QStringLiteral("For an IF rig behind a transverter: the rig gets the shown figure less "
                       "the LO. Several are separated by commas."));
    problem_->setWordWrap(true);
    problem_->hide();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* form = new QFormLayout;
    picker_->addChoiceRows(*form);
    form->addRow(QStringLiteral("Transverters"), transverterBox_);
    form->addRow(QString(), problem_);
    picker_->addTestRow(*form);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(picker_->testButton(), &QPushButton::clicked, this, &RigSettingsDialog::startTest);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

// Every BAND:LO_MHZ in the box must read, or the dialog stays open and says why.
void RigSettingsDialog::accept() {
    TransverterOffsets offsets;
    for (const QString& text : transverterBox_->text().split(',', Qt::SkipEmptyParts)) {
        const TransverterReading reading = readTransverter(text.trimmed().toStdString());
        if (!reading.offset) {
            problem_->setText(QString::fromStdString(reading.problem));
            problem_->show();
            return;
        }
        addTransverter(offsets, *reading.offset);
    }
    transverters_ = std::move(offsets);
    QDialog::accept();
}

RigSettings RigSettingsDialog::settings() const {
    return {picker_->model(), picker_->port(), picker_->serialSpeed()};
}

void RigSettingsDialog::startTest() {
    picker_->startTest([settings = settings()] { return testRig(settings).message; });
}

}  // namespace selvora
