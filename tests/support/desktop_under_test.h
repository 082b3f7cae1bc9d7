// The running program for the Qt tests: its window on a fixed clock and zone, in a
// temporary working folder (where doppler.ini lives), telling messages to a fake.
#pragma once

#include <gtest/gtest.h>

#include "app/desktop_app.h"
#include "support/fakes.h"
#include "support/temp_dir.h"

namespace selvora::testing {

class DesktopUnderTest : public ::testing::Test {
  protected:
    TempWorkingDir dir;
    FakeClock clock{{2026, 12, 7, 9, 19, 33}};
    FakeZone zone;
    FakeMessages messages;
    DesktopApp app{clock, zone, &messages};
};

}  // namespace selvora::testing
