// The program's procedures over the window model, free of Qt: start-up, the
// 480 ms tick and the two user commands. The Qt side calls these and then shows
// what changed.
#pragma once

#include "app/user_messages.h"
#include "astro/time_zone.h"
#include "common/local_clock.h"
#include "common/window_state.h"
#include "plan/sked_planner.h"
#include "window/fields.h"

namespace selvora {

class Selvora {
  public:
    Selvora(const LocalClock& clock, const TimeZoneSource& timeZone, UserMessages& messages);

    // Start-up, once, after the window exists and before it is shown.
    void Form_Load();
    // "Save Path": stores Text2 in doppler.ini.
    void Command1_Click();
    // A character typed into sked_frequency; Enter (13) commits the sked frequency
    // and is swallowed (key becomes 0).
    void sked_frequency_KeyPress(char16_t& key);
    // Every tick of Timer1: the tracking poll and sked plan, the UTC clock, the moon age.
    void Timer1_Timer();

    // True once a tick has ended the program (the MAP65 form of azel.dat).
    bool ended() const { return ended_; }

    Fields& fields() { return fields_; }
    WindowState& state() { return state_; }

  private:
    void loadpath();
    bool azeltest_Click();  // false when the program has ended

    const LocalClock& clock_;
    const TimeZoneSource& timeZone_;
    UserMessages& messages_;
    Fields fields_;
    WindowState state_;
    SkedPlanner planner_;
    bool ended_ = false;
};

}  // namespace selvora
