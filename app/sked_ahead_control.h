// Sked ahead, wired in: the window's menu entry and shortcut (Ctrl+K), the settings it
// keeps, and `selvora --ahead` on the command line.
#pragma once

#include <functional>
#include <string>

#include <QObject>
#include <QPointer>
#include <QString>

#include "app/command_line.h"
#include "plan/ahead_arguments.h"
#include "window/sked_ahead_window.h"

namespace selvora {

class SkedAheadControl final : public QObject {
  public:
    // `skedText` gives the main window's sked frequency as it stands, to start with.
    SkedAheadControl(QWidget& mainWindow, std::function<std::string()> skedText,
                     QString settingsFile);

    // Opens the window, or brings it to the front when it is open.
    void open();
    SkedAheadWindow* window() const { return window_; }

  private:
    void remember(const std::string& myGrid, const std::string& dxGrid, double minElevationDeg);

    QWidget& mainWindow_;
    std::function<std::string()> skedText_;
    QString settingsFile_;
    QPointer<SkedAheadWindow> window_;
};

// `selvora --ahead`: the text to print and exit status 0, or a one-line reason and 2.
// A locator not given is the one saved in `settingsFile`, else WSJT-X's.
CommandLineExit runSkedAhead(const AheadArguments& arguments, const QString& settingsFile);

}  // namespace selvora
