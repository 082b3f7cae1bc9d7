#include "app/app_core.h"

#include <string>

#include "app/default_azel_path.h"
#include "app/saved_path.h"
#include "astro/moon_age.h"
#include "astro/utc_clock.h"
#include "common/numbers.h"
#include "plan/plan_inputs.h"
#include "plan/show_sked_plan.h"
#include "plan/sked_plan_text.h"
#include "tracking/tracking_poll.h"

namespace selvora {

namespace {
constexpr char16_t kEnter = 13;
constexpr std::string_view kTitle = "Selvora";
}  // namespace

AppCore::AppCore(const LocalClock& clock, const TimeZoneSource& timeZone, UserMessages& messages)
    : clock_(clock), timeZone_(timeZone), messages_(messages) {}

void AppCore::start() {
    loadSavedPath();
    tracking_.skedFrequencyMHz = 0;
}

// A missing doppler.ini is normal on the first run; an unreadable one is told
// once, and the program starts with the path the window shows.
void AppCore::loadSavedPath() {
    const SavedPath saved = readSavedPath();
    if (saved.status == SavedPath::Status::Unreadable) {
        messages_.inform(kTitle, "The saved azel.dat path could not be read from " +
                                     std::string(kSettingsFile) + ": " + saved.reason +
                                     ".\nSelvora starts with the path shown; use Save Path to "
                                     "store the right one.");
    }
    if (saved.status != SavedPath::Status::Loaded) {
        // Where WSJT-X writes it here; shown only, saved by Save Path like a typed path.
        fields_.setText(field("azel_path"), defaultAzelPath(azelEnvironment(), kThisPlatform));
        return;
    }
    tracking_.azelPath = saved.path;
    fields_.setText(field("azel_path"), tracking_.azelPath);
}

void AppCore::useAzelPathForThisRun(std::string_view path) {
    fields_.setText(field("azel_path"), path);
}

void AppCore::chooseSkedForThisRun(std::string_view megahertz) {
    fields_.setText(field("sked_frequency"), megahertz);
    tracking_.skedFrequencyMHz = leadingNumber(megahertz);
    tracking_.skedChosen = true;
}

void AppCore::buttonClicked(FieldId button) {
    if (button == field("save_path")) savePathClicked();
}

void AppCore::savePathClicked() {
    if (auto reason = writeSavedPath(fields_.text(field("azel_path")))) {
        messages_.inform(kTitle, "The path could not be saved in " + std::string(kSettingsFile) +
                                     ": " + *reason + ".\nThe file as it was is unchanged.");
    }
}

void AppCore::skedKeyPressed(char16_t& key) {
    if (key != kEnter) return;
    key = 0;
    tracking_.skedFrequencyMHz = leadingNumber(fields_.text(field("sked_frequency")));
    tracking_.skedChosen = true;
}

void AppCore::tick(std::span<const std::int64_t> rigEchoBandsMHz) {
    if (ended_ || !pollAndPlan(rigEchoBandsMHz)) return;
    showUtcTime(fields_, clock_, timeZone_);
    showMoonAge(fields_, clock_);
}

std::string AppCore::planText() const {
    return skedPlanText(plan_, fields_.text(field("utc_time")));
}

bool AppCore::pollAndPlan(std::span<const std::int64_t> rigEchoBandsMHz) {
    if (pollTrackingFile(fields_, tracking_, clock_, rigEchoBandsMHz) == PollOutcome::Map65Form) {
        ended_ = true;
        messages_.informAndEnd(kMap65Title, kMap65Message);
        return false;
    }
    plan_ = planSked(planInputs(fields_, tracking_.skedFrequencyMHz, plan_.resolutionDecimals));
    showSkedPlan(fields_, plan_);
    return true;
}

}  // namespace selvora
