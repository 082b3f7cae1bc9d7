"""Finding Selvora's window on the accessibility bus (AT-SPI) by its process, and what
every end-to-end test shares (e2e_checks), for the tests that read the window as a
screen reader does."""

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

from e2e_checks import (WINDOW_CAPTION, checks, program_argument, report, stop,  # noqa: E402,F401
                        wait_until)

def find_frame(pid, timeout, titled=lambda title: title == WINDOW_CAPTION):
    """The top-level window of process `pid` whose title `titled` accepts, or None."""

    def look():
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            application = desktop.get_child_at_index(i)
            try:
                if application is None or application.get_process_id() != pid:
                    continue
                for j in range(application.get_child_count()):
                    frame = application.get_child_at_index(j)
                    if frame is not None and titled(frame.get_name()):
                        return frame
            except GLib.Error:
                continue  # an application that went away while we looked
        return None

    return wait_until(look, timeout)
