#include "window/rig_settings_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

namespace selvora {

namespace {

constexpr int kSpeeds[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

QString transverterListText(const TransverterOffsets& transverters) {
    QStringList texts;
    for (const TransverterOffset& offset : transverters)
        texts << QString::fromStdString(transverterText(offset));
    return texts.join(QStringLiteral(", "));
}

QString modelText(const RigModel& model) {
    return QStringLiteral("%1 %2 (%3)")
        .arg(QString::fromStdString(model.maker), QString::fromStdString(model.name))
        .arg(model.id);
}

}  // namespace

RigSettingsDialog::RigSettingsDialog(const RigSettings& settings,
                                     const TransverterOffsets& transverters, QWidget* parent)
    : QDialog(parent),
      models_(hamlibModels()),
      chosenId_(settings.model),
      transverters_(transverters),
      search_(new QLineEdit),
      list_(new QListWidget),
      port_(new QLineEdit(QString::fromStdString(settings.port))),
      speed_(new QComboBox),
      transverterBox_(new QLineEdit(transverterListText(transverters))),
      problem_(new QLabel),
      test_(new QPushButton(QStringLiteral("Test"))),
      result_(new QLabel) {
    setWindowTitle(QStringLiteral("Rig settings"));
    search_->setPlaceholderText(QStringLiteral("Search maker or model"));
    search_->setAccessibleName(QStringLiteral("Search Hamlib's rig models"));
    list_->setAccessibleName(QStringLiteral("Rig model"));
    port_->setPlaceholderText(QStringLiteral("/dev/ttyUSB0 or localhost:4532"));
    port_->setAccessibleName(QStringLiteral("Port or host:port"));
    speed_->setAccessibleName(QStringLiteral("Serial speed"));
    speed_->addItem(QStringLiteral("The model's default"), 0);
    for (const int baud : kSpeeds)
        speed_->addItem(QString::number(baud), baud);
    speed_->setCurrentIndex(std::max(0, speed_->findData(settings.serialSpeed)));
    transverterBox_->setPlaceholderText(QStringLiteral("BAND:LO_MHZ, such as 10368:10224"));
    transverterBox_->setAccessibleName(QStringLiteral("Transverters, band and LO in MHz"));
    transverterBox_->setToolTip(
        QStringLiteral("For an IF rig behind a transverter: the rig gets the shown figure less "
                       "the LO. Several are separated by commas."));
    problem_->setWordWrap(true);
    problem_->hide();
    result_->setWordWrap(true);
    result_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Model"), search_);
    form->addRow(QString(), list_);
    form->addRow(QStringLiteral("Port"), port_);
    form->addRow(QStringLiteral("Speed"), speed_);
    form->addRow(QStringLiteral("Transverters"), transverterBox_);
    form->addRow(QString(), problem_);
    form->addRow(test_, result_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(search_, &QLineEdit::textChanged, this, &RigSettingsDialog::showModels);
    connect(list_, &QListWidget::currentRowChanged, this, [this] {
        if (QListWidgetItem* item = list_->currentItem())
            chosenId_ = item->data(Qt::UserRole).toInt();
        enableSpeedForModel();
    });
    connect(test_, &QPushButton::clicked, this, &RigSettingsDialog::startTest);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showModels({});
}

RigSettingsDialog::~RigSettingsDialog() {
    if (testThread_) testThread_->wait();
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
    return {chosenId_, port_->text().trimmed().toStdString(),
            speed_->isEnabled() ? speed_->currentData().toInt() : 0};
}

// Hamlib may wait seconds for a rig that does not answer: never on the window's thread.
// One Test at a time: the button is off while one runs.
void RigSettingsDialog::startTest() {
    test_->setEnabled(false);
    result_->setText(QStringLiteral("Asking the rig…"));
    auto answer = std::make_shared<RigTestResult>();
    if (testThread_) testThread_->wait();  // finished: the button was off until then
    testThread_.reset(
        QThread::create([answer, settings = settings()] { *answer = testRig(settings); }));
    connect(testThread_.get(), &QThread::finished, this, [this, answer] {
        result_->setText(QString::fromStdString(answer->message));
        test_->setEnabled(true);
    });
    testThread_->start();
}

// Every word of the filter must be in the model's maker, name or number.
void RigSettingsDialog::showModels(const QString& filter) {
    const QStringList words = filter.split(' ', Qt::SkipEmptyParts);
    list_->clear();
    for (const RigModel& model : models_) {
        const QString text = modelText(model);
        if (!std::all_of(words.begin(), words.end(),
                         [&](const QString& w) { return text.contains(w, Qt::CaseInsensitive); }))
            continue;
        auto* item = new QListWidgetItem(text, list_);
        item->setData(Qt::UserRole, model.id);
        if (model.id == chosenId_) list_->setCurrentItem(item);
    }
    enableSpeedForModel();
}

const RigModel* RigSettingsDialog::chosenModel() const {
    for (const RigModel& model : models_)
        if (model.id == chosenId_) return &model;
    return nullptr;
}

void RigSettingsDialog::enableSpeedForModel() {
    const RigModel* model = chosenModel();
    speed_->setEnabled(model != nullptr && model->serial);
}

}  // namespace selvora
