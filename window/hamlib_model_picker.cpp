#include "window/hamlib_model_picker.h"

#include <algorithm>

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "hamlib/loaded_hamlib.h"

namespace selvora {

namespace {

constexpr int kSpeeds[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

QString modelText(const HamlibModel& model) {
    const QString maker = QString::fromStdString(model.maker);
    const QString name = QString::fromStdString(model.name);
    if (model.id == 0) return maker + ' ' + name;
    return QStringLiteral("%1 %2 (%3)").arg(maker, name).arg(model.id);
}

QString capitalized(QString text) {
    if (!text.isEmpty()) text[0] = text[0].toUpper();
    return text;
}

}  // namespace

HamlibModelPicker::HamlibModelPicker(std::vector<HamlibModel> models, int model,
                                     const std::string& port, int serialSpeed, const Texts& texts,
                                     QObject* parent)
    : QObject(parent),
      texts_(texts),
      models_(std::move(models)),
      chosenId_(model),
      hamlib_(new QLabel(QString::fromStdString(hamlibInUse()))),
      search_(new QLineEdit),
      list_(new QListWidget),
      port_(new QLineEdit(QString::fromStdString(port))),
      speed_(new QComboBox),
      test_(new QPushButton(QStringLiteral("Test"))),
      result_(new QLabel) {
    search_->setPlaceholderText(QStringLiteral("Search maker or model"));
    search_->setAccessibleName(QStringLiteral("Search Hamlib's %1 models").arg(texts.device));
    list_->setAccessibleName(QStringLiteral("%1 model").arg(capitalized(texts.device)));
    port_->setPlaceholderText(texts.portExample);
    port_->setAccessibleName(QStringLiteral("Port or host:port"));
    speed_->setAccessibleName(QStringLiteral("Serial speed"));
    speed_->addItem(QStringLiteral("The model's default"), 0);
    for (const int baud : kSpeeds)
        speed_->addItem(QString::number(baud), baud);
    speed_->setCurrentIndex(std::max(0, speed_->findData(serialSpeed)));
    hamlib_->setWordWrap(true);
    hamlib_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    result_->setWordWrap(true);
    result_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    connect(search_, &QLineEdit::textChanged, this, &HamlibModelPicker::showModels);
    connect(list_, &QListWidget::currentRowChanged, this, [this] {
        if (QListWidgetItem* item = list_->currentItem())
            chosenId_ = item->data(Qt::UserRole).toInt();
        enableSpeedForModel();
    });
    showModels({});
}

HamlibModelPicker::~HamlibModelPicker() {
    if (testThread_) testThread_->wait();
}

void HamlibModelPicker::addChoiceRows(QFormLayout& form) {
    form.addRow(QStringLiteral("Hamlib"), hamlib_);
    form.addRow(QStringLiteral("Model"), search_);
    form.addRow(QString(), list_);
    form.addRow(QStringLiteral("Port"), port_);
    form.addRow(QStringLiteral("Speed"), speed_);
}

void HamlibModelPicker::addTestRow(QFormLayout& form) {
    form.addRow(test_, result_);
}

std::string HamlibModelPicker::port() const {
    return port_->text().trimmed().toStdString();
}

int HamlibModelPicker::serialSpeed() const {
    return speed_->isEnabled() ? speed_->currentData().toInt() : 0;
}

// Hamlib may wait seconds for a device that does not answer: never on the window's
// thread. One Test at a time: the button is off while one runs.
void HamlibModelPicker::startTest(std::function<std::string()> ask) {
    test_->setEnabled(false);
    result_->setText(QStringLiteral("Asking the %1…").arg(texts_.device));
    auto answer = std::make_shared<std::string>();
    if (testThread_) testThread_->wait();  // finished: the button was off until then
    testThread_.reset(QThread::create([answer, ask = std::move(ask)] { *answer = ask(); }));
    connect(testThread_.get(), &QThread::finished, this, [this, answer] {
        result_->setText(QString::fromStdString(*answer));
        test_->setEnabled(true);
    });
    testThread_->start();
}

// Every word of the filter must be in the model's maker, name or number.
void HamlibModelPicker::showModels(const QString& filter) {
    const QStringList words = filter.split(' ', Qt::SkipEmptyParts);
    list_->clear();
    for (const HamlibModel& model : models_) {
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

void HamlibModelPicker::enableSpeedForModel() {
    const auto chosen = std::find_if(models_.begin(), models_.end(),
                                     [this](const HamlibModel& m) { return m.id == chosenId_; });
    speed_->setEnabled(chosen != models_.end() && chosen->serial);
}

}  // namespace selvora
