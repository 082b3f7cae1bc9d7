#include "app/selvora.h"

#include <string>

#include "app/default_azel_path.h"
#include "app/doppler_ini.h"
#include "astro/moon_age.h"
#include "astro/utc_clock.h"
#include "common/numbers.h"
#include "plan/plan_text.h"
#include "plan/sked_plan.h"
#include "tracking/tracking_poll.h"

namespace selvora {

namespace {
constexpr char16_t kEnter = 13;
constexpr std::string_view kTitle = "Selvora";
}  // namespace

Selvora::Selvora(const LocalClock& clock, const TimeZoneSource& timeZone, UserMessages& messages)
    : clock_(clock), timeZone_(timeZone), messages_(messages) {}

void Selvora::start() {
    loadSavedPath();
    tracking_.skedFrequencyMHz = 0;
}

// A missing doppler.ini is normal on the first run; an unreadable one is told
// once, and the program starts with the path the window shows.
void Selvora::loadSavedPath() {
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

void Selvora::useAzelPathForThisRun(std::string_view path) {
    fields_.setText(field("azel_path"), path);
}

void Selvora::chooseSkedForThisRun(std::string_view megahertz) {
    fields_.setText(field("sked_frequency"), megahertz);
    tracking_.skedFrequencyMHz = leadingNumber(megahertz);
    tracking_.skedChosen = true;
}

void Selvora::savePathClicked() {
    if (auto reason = writeSavedPath(fields_.text(field("azel_path")))) {
        messages_.inform(kTitle, "The path could not be saved in " + std::string(kSettingsFile) +
                                     ": " + *reason + ".\nThe file as it was is unchanged.");
    }
}

void Selvora::skedKeyPressed(char16_t& key) {
    if (key != kEnter) return;
    key = 0;
    tracking_.skedFrequencyMHz = leadingNumber(fields_.text(field("sked_frequency")));
    tracking_.skedChosen = true;
}

void Selvora::tick() {
    if (ended_ || !pollAndPlan()) return;
    showUtcTime(fields_, clock_, timeZone_);
    showMoonAge(fields_, clock_);
}

std::string Selvora::planText() const {
    return skedPlanText(fields_, tracking_.skedFrequencyMHz, plan_);
}

bool Selvora::pollAndPlan() {
    if (pollTrackingFile(fields_, tracking_, clock_) == PollOutcome::Map65Form) {
        ended_ = true;
        messages_.informAndEnd(kMap65Title, kMap65Message);
        return false;
    }
    planSked(fields_, tracking_.skedFrequencyMHz, plan_);
    return true;
}

}  // namespace selvora
