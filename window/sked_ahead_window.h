// The Sked ahead window: a UTC time, the sked frequency, both locators and a lowest
// elevation in; the moon at both ends, the Dopplers, the quality figures (with a
// warning in plain sight when the sun or the polarization spoils the sked), the six
// schemes' figures and the common moon windows out, with a plot of the day. Copy puts the text on
// the clipboard, as `selvora --ahead` prints it.
#pragma once

#include <chrono>
#include <functional>
#include <string>

#include <QWidget>

class QAction;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace selvora {

class MoonElevationPlot;
class PolarizationOffsetPlot;

class SkedAheadWindow final : public QWidget {
  public:
    struct Start {
        std::string utcTime;  // "YYYY-MM-DD HH:MM:SS"
        std::string skedMHz;
        std::string myGrid;
        std::string dxGrid;
        double minElevationDeg = 0;
    };
    // Called after every plan that reads, with what the operator typed: a locator
    // is empty while it is still the one the window started with.
    using Remember =
        std::function<void(const std::string& myGrid, const std::string& dxGrid, double minDeg)>;
    using UtcNow = std::function<std::chrono::sys_seconds()>;

    SkedAheadWindow(const Start& start, UtcNow utcNow, Remember remember,
                    QWidget* parent = nullptr);

    // Plans again from the boxes as they stand.
    void replan();
    void copy();
    // What Copy puts on the clipboard; empty while the inputs do not read.
    const std::string& planText() const { return text_; }
    // The warnings shown above the figures, one a line; empty when there are none.
    std::string warningText() const;

  private:
    void layOut();
    void connectInputs();

    Start start_;
    UtcNow utcNow_;
    Remember remember_;
    QLineEdit* utcTime_;
    QPushButton* now_;
    QLineEdit* sked_;
    QLineEdit* myGrid_;
    QLineEdit* dxGrid_;
    QDoubleSpinBox* minElevation_;
    QLabel* problem_;
    QLabel* warnings_;
    MoonElevationPlot* plot_;
    PolarizationOffsetPlot* offsetPlot_;
    QPlainTextEdit* figures_;
    QPushButton* copy_;
    std::string text_;
};

// "Sked ahead…" in `mainWindow`'s right-click menu, with its shortcut, Ctrl+K; the
// caller connects what it opens.
QAction* addSkedAheadMenuEntry(QWidget& mainWindow);

}  // namespace selvora
