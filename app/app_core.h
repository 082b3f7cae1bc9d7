// The program's procedures over the window model, free of Qt: start-up, the
// 480 ms tick and the user commands. The Qt side calls these and then shows
// what changed.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "astro/time_zone.h"
#include "common/local_clock.h"
#include "common/user_messages.h"
#include "display/fields.h"
#include "plan/sked_plan.h"
#include "tracking/tracking_poll.h"

namespace selvora {

class AppCore {
  public:
    AppCore(const LocalClock& clock, const TimeZoneSource& timeZone, UserMessages& messages);

    // Once, after the window exists and before it is shown: the saved path.
    void start();
    // A path given on the command line: shown in the path box as if typed, not saved.
    void useAzelPathForThisRun(std::string_view path);
    // A sked frequency given on the command line, as if typed and entered: the first
    // read of a file on its band keeps it.
    void chooseSkedForThisRun(std::string_view megahertz);
    // A click on a command button, by its field: Save Path stores the path box's
    // text in doppler.ini.
    void buttonClicked(FieldId button);
    void savePathClicked();
    // A character typed into the sked box; Enter (13) commits the sked frequency
    // and is swallowed (key becomes 0).
    void skedKeyPressed(char16_t& key);
    // Every 480 ms: the tracking poll and sked plan, the UTC clock, the moon age.
    // `rigEchoBandsMHz`: the whole MHz of the figures on a rig Selvora tunes, which
    // WSJT-X, sharing the rig, writes back as the band (no band change).
    void tick(std::span<const std::int64_t> rigEchoBandsMHz = {});

    // True once a tick has ended the program (the MAP65 form of azel.dat).
    bool ended() const { return ended_; }

    // The plan as plain text for the clipboard.
    std::string planText() const;

    Fields& fields() { return fields_; }
    const TrackingState& tracking() const { return tracking_; }
    // The plan of the last tick: what the window shows and the rig is sent.
    const SkedPlan& plan() const { return plan_; }
    // The computer's clock the window's UTC time is made from.
    const LocalClock& clock() const { return clock_; }

  private:
    void loadSavedPath();
    bool pollAndPlan(std::span<const std::int64_t> rigEchoBandsMHz);  // false once ended

    const LocalClock& clock_;
    const TimeZoneSource& timeZone_;
    UserMessages& messages_;
    Fields fields_;
    TrackingState tracking_;
    SkedPlan plan_;
    bool ended_ = false;
};

}  // namespace selvora
