#include "app/rig_settings_dialog_qt.h"

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

QString modelText(const RigModel& model) {
    return QStringLiteral("%1 %2 (%3)")
        .arg(QString::fromStdString(model.maker), QString::fromStdString(model.name))
        .arg(model.id);
}

}  // namespace

RigSettingsDialog::RigSettingsDialog(const RigSettings& settings, QWidget* parent)
    : QDialog(parent),
      models_(hamlibModels()),
      chosenId_(settings.model),
      search_(new QLineEdit),
      list_(new QListWidget),
      port_(new QLineEdit(QString::fromStdString(settings.port))),
      speed_(new QComboBox),
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
    result_->setWordWrap(true);
    result_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Model"), search_);
    form->addRow(QString(), list_);
    form->addRow(QStringLiteral("Port"), port_);
    form->addRow(QStringLiteral("Speed"), speed_);
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

RigSettings RigSettingsDialog::settings() const {
    return {chosenId_, port_->text().trimmed().toStdString(),
            speed_->isEnabled() ? speed_->currentData().toInt() : 0};
}

// Hamlib may wait seconds for a rig that does not answer: never on the window's thread.
void RigSettingsDialog::startTest() {
    test_->setEnabled(false);
    result_->setText(QStringLiteral("Asking the rig…"));
    auto answer = std::make_shared<RigTestResult>();
    QThread* thread =
        QThread::create([answer, settings = settings()] { *answer = testRig(settings); });
    connect(thread, &QThread::finished, this, [this, answer] {
        result_->setText(QString::fromStdString(answer->message));
        test_->setEnabled(true);
    });
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
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
