#include "app/rig_qt.h"

#include <chrono>

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QStandardPaths>

#include "app/rig_settings_dialog_qt.h"
#include "window/qt_text.h"

namespace selvora {

namespace {

QString caption(SkedScheme scheme) {
    return qText(schemeInfo(scheme).caption);
}

}  // namespace

QString defaultRigSettingsFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/selvora/rig.conf");
}

RigControl::RigControl(MainWindow& window, Selvora& selvora, WindowTitle& title,
                       QString settingsFile)
    : window_(window), selvora_(selvora), title_(title), settingsFile_(std::move(settingsFile)) {
    load();
    installMenus();
    restartWorker();
    showState();
}

// The program waits for the rig's last call here, once, at its end.
RigControl::~RigControl() {
    worker_.reset();
    for (std::future<void>& retired : retiring_)
        retired.wait();
}

void RigControl::apply(const RigCommandLine& options) {
    if (options.model) settings_.model = *options.model;
    if (options.port) settings_.port = *options.port;
    if (options.serialSpeed) settings_.serialSpeed = *options.serialSpeed;
    if (options.track) {
        if (tracked_) markCaption(*tracked_, false);
        tracked_ = options.track;
        markPending_ = true;
    }
    restartWorker();
    showState();
}

void RigControl::afterTick() {
    if (worker_)
        worker_->post(
            wantedFigures(selvora_.fields(), selvora_.tracking(), selvora_.plan(), *tracked_));
    showState();
}

void RigControl::track(SkedScheme scheme) {
    if (tracked_) markCaption(*tracked_, false);
    tracked_ = savedTrack_ = scheme;
    markPending_ = true;
    save();
    restartWorker();
    showState();
}

void RigControl::stopTracking() {
    if (tracked_) markCaption(*tracked_, false);
    tracked_.reset();
    savedTrack_.reset();
    save();
    restartWorker();
    showState();
}

void RigControl::openSettings() {
    RigSettingsDialog dialog(settings_, &window_);
    if (dialog.exec() != QDialog::Accepted || dialog.settings() == settings_) return;
    settings_ = savedSettings_ = dialog.settings();
    save();
    restartWorker();
    showState();
}

QString RigControl::stateText() const {
    return stateText(tracked_, worker_ ? worker_->status() : RigStatus{});
}

QString RigControl::stateText(std::optional<SkedScheme> tracked, const RigStatus& status) {
    if (!tracked) return {};
    switch (status.state) {
        case RigStatus::State::Tracking:
            return QStringLiteral("rig: ") + caption(*tracked);
        case RigStatus::State::NoAnswer:
            return QStringLiteral("rig: no answer (%1)").arg(qText(status.reason));
        case RigStatus::State::Waiting:
            break;
    }
    return QStringLiteral("rig: ") +
           (status.reason.empty() ? QStringLiteral("waiting") : qText(status.reason));
}

void RigControl::load() {
    const QSettings stored(settingsFile_, QSettings::IniFormat);
    settings_.model = stored.value("rig/model", settings_.model).toInt();
    settings_.port = stored.value("rig/port").toString().toStdString();
    settings_.serialSpeed = stored.value("rig/speed", 0).toInt();
    tracked_ = schemeNamed(stored.value("rig/track").toString().toStdString());
    savedSettings_ = settings_;
    savedTrack_ = tracked_;
}

void RigControl::save() const {
    QDir().mkpath(QFileInfo(settingsFile_).absolutePath());
    QSettings stored(settingsFile_, QSettings::IniFormat);
    stored.setValue("rig/model", savedSettings_.model);
    stored.setValue("rig/port", QString::fromStdString(savedSettings_.port));
    stored.setValue("rig/speed", savedSettings_.serialSpeed);
    stored.setValue("rig/track", savedTrack_ ? qText(schemeInfo(*savedTrack_).name) : QString());
}

// The old worker winds down on a thread of its own (its destructor waits for the
// command in flight, up to a Hamlib time-out); the window goes on at once.
void RigControl::restartWorker() {
    std::erase_if(retiring_, [](const std::future<void>& retired) {
        return retired.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    });
    if (worker_)
        retiring_.push_back(
            std::async(std::launch::async, [old = std::move(worker_)]() mutable { old.reset(); }));
    if (tracked_) worker_ = std::make_unique<RigWorker>(makeHamlibConnection(settings_));
}

void RigControl::installMenus() {
    for (const SkedSchemeInfo& info : kSkedSchemes) {
        for (const FieldId id : {info.captionField, info.rx, info.tx}) {
            QWidget* widget = window_.widget(id);
            widget->setContextMenuPolicy(Qt::CustomContextMenu);
            connect(widget, &QWidget::customContextMenuRequested, this,
                    [this, scheme = info.scheme, widget](const QPoint& at) {
                        showMenu(scheme, widget, at);
                    });
        }
    }
}

void RigControl::showMenu(SkedScheme scheme, QWidget* on, const QPoint& at) {
    QMenu menu(on);
    QAction* tune = menu.addAction(QStringLiteral("Tune the rig to %1").arg(caption(scheme)));
    tune->setCheckable(true);
    tune->setChecked(tracked_ == scheme);
    QAction* stop = menu.addAction(QStringLiteral("Stop tuning the rig"));
    stop->setEnabled(tracked_.has_value());
    menu.addSeparator();
    QAction* settings = menu.addAction(QStringLiteral("Rig settings…"));
    QAction* chosen = menu.exec(on->mapToGlobal(at));
    if (chosen == tune && tracked_ != scheme) track(scheme);
    if (chosen == tune && !tune->isChecked()) stopTracking();
    if (chosen == stop) stopTracking();
    if (chosen == settings) openSettings();
}

// The worker's status is read once, so the title and the caption's tool tip agree.
void RigControl::showState() {
    const RigStatus status = worker_ ? worker_->status() : RigStatus{};
    const QString state = stateText(tracked_, status);
    if (state == shownState_ && !markPending_) return;
    shownState_ = state;
    title_.setTitleSuffix(state.toStdString());
    markPending_ = false;
    if (!tracked_) return;
    markCaption(*tracked_, true,
                status.state == RigStatus::State::Tracking ? QString() : qText(status.reason));
}

// Bold, and said to be tracked; its tool tip tells why the rig is not following.
void RigControl::markCaption(SkedScheme scheme, bool marked, const QString& toolTip) {
    const SkedSchemeInfo& info = schemeInfo(scheme);
    QWidget* label = window_.widget(info.captionField);
    QFont font = label->font();
    font.setBold(marked);
    label->setFont(font);
    label->setAccessibleName(marked ? caption(scheme) + QStringLiteral(", tracked on the rig")
                                    : QString());
    const QString original = qText(kControls[info.captionField.index].toolTip);
    setToolTipAndDescription(*label, marked && !toolTip.isEmpty() ? toolTip : original);
}

}  // namespace selvora
