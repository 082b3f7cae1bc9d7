#include "app/selvora.h"

#include <string>

#include "app/doppler_ini.h"
#include "astro/moon_age.h"
#include "astro/utc_clock.h"
#include "common/numbers.h"
#include "tracking/tracking_poll.h"

namespace selvora {

namespace {
constexpr char16_t kEnter = 13;
constexpr std::string_view kTitle = "Selvora";
}  // namespace

Selvora::Selvora(const LocalClock& clock, const TimeZoneSource& timeZone, UserMessages& messages)
    : clock_(clock), timeZone_(timeZone), messages_(messages) {}

void Selvora::Form_Load() {
    loadpath();
    state_.skedFrequency = 0;
}

// A missing doppler.ini is normal on the first run; an unreadable one is told
// once, and the program starts with the path the window shows.
void Selvora::loadpath() {
    const SavedPath saved = readSavedPath();
    if (saved.status == SavedPath::Status::Unreadable) {
        messages_.inform(kTitle, "The saved azel.dat path could not be read from " +
                                     std::string(kSettingsFile) + ": " + saved.reason +
                                     ".\nSelvora starts with the path shown; use Save Path to "
                                     "store the right one.");
    }
    if (saved.status != SavedPath::Status::Loaded) return;
    state_.azelPath = saved.path;
    fields_.setText(field("Text2"), state_.azelPath);
}

void Selvora::Command1_Click() {
    if (auto reason = savePath(fields_.text(field("Text2")))) {
        messages_.inform(kTitle, "The path could not be saved in " + std::string(kSettingsFile) +
                                     ": " + *reason + ".\nThe file as it was is unchanged.");
    }
}

void Selvora::sked_frequency_KeyPress(char16_t& key) {
    if (key != kEnter) return;
    key = 0;
    state_.skedFrequency = leadingNumber(fields_.text(field("sked_frequency")));
}

void Selvora::Timer1_Timer() {
    if (ended_ || !azeltest_Click()) return;
    get_the_UTC_time(fields_, clock_, timeZone_);
    moonage(fields_, clock_);
}

bool Selvora::azeltest_Click() {
    if (pollTrackingFile(fields_, state_, clock_) == PollOutcome::Map65Form) {
        ended_ = true;
        messages_.informAndEnd(kMap65Title, kMap65Message);
        return false;
    }
    planner_.plan(fields_, state_);
    return true;
}

}  // namespace selvora
