#include "app/sked_ahead_control.h"

#include <chrono>

#include <QAction>

#include "app/default_azel_path.h"
#include "app/saved_ahead.h"
#include "app/wsjtx_settings.h"
#include "astro/utc_instant_text.h"
#include "plan/ahead_arguments.h"
#include "window/qt_text.h"

namespace selvora {
namespace {

std::chrono::sys_seconds utcNow() {
    return std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
}

WsjtxStations stationsToStartWith(const SavedAhead& saved) {
    return startingStations(saved, wsjtxStationsOnThisComputer(azelEnvironment(), kThisPlatform));
}

}  // namespace

SkedAheadControl::SkedAheadControl(QWidget& mainWindow, std::function<std::string()> skedText,
                                   QString settingsFile)
    : mainWindow_(mainWindow),
      skedText_(std::move(skedText)),
      settingsFile_(std::move(settingsFile)) {
    connect(addSkedAheadMenuEntry(mainWindow_), &QAction::triggered, this, &SkedAheadControl::open);
}

void SkedAheadControl::open() {
    if (window_ == nullptr) {
        const SavedAhead saved = loadSavedAhead(settingsFile_);
        const WsjtxStations stations = stationsToStartWith(saved);
        const SkedAheadWindow::Start start{utcInstantText(utcNow()), skedText_(), stations.myGrid,
                                           stations.dxGrid, saved.minElevationDeg};
        window_ = new SkedAheadWindow(
            start, utcNow,
            [this](const std::string& my, const std::string& dx, double minDeg) {
                remember(my, dx, minDeg);
            },
            &mainWindow_);
        window_->setAttribute(Qt::WA_DeleteOnClose);
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void SkedAheadControl::remember(const std::string& myGrid, const std::string& dxGrid,
                                double minElevationDeg) {
    SavedAhead saved = loadSavedAhead(settingsFile_);
    const SavedAhead before = saved;
    if (!myGrid.empty()) saved.myGrid = myGrid;
    if (!dxGrid.empty()) saved.dxGrid = dxGrid;
    saved.minElevationDeg = minElevationDeg;
    if (saved != before) saveAhead(settingsFile_, saved);
}

CommandLineExit runSkedAhead(const AheadArguments& arguments, const QString& settingsFile) {
    const AheadDefaults defaults{utcNow(),
                                 stationsToStartWith(loadSavedAhead(settingsFile)).myGrid};
    const auto read = readAheadArguments(arguments, defaults);
    if (const auto* refusal = std::get_if<std::string>(&read))
        return {kUsageExitCode, QStringLiteral("selvora: %1\n").arg(qText(*refusal))};
    const AheadRequest& request = std::get<AheadRequest>(read);
    return {0, qText(skedAheadText(request, planSkedAhead(request)))};
}

}  // namespace selvora
