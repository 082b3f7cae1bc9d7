#include "window/sked_ahead_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "astro/utc_instant_text.h"
#include "common/numbers.h"
#include "plan/ahead_arguments.h"
#include "window/moon_elevation_plot.h"
#include "window/polarization_offset_plot.h"
#include "window/qt_text.h"

namespace selvora {
namespace {

using namespace std::chrono;

constexpr AheadValueNames kBoxNames{"UTC time",       "Your locator", "DX locator",
                                    "Sked frequency", "Days",         "Minimum elevation"};
// The plot draws the day every ten minutes: smooth at its width, quick to work out.
constexpr minutes kPlotStep{10};

// Wide enough for "2026-12-09 21:30:00" beside the Now button.
constexpr int kBoxWidth = 170;

QLineEdit* newBox(const std::string& text, const QString& accessibleName, const QString& hint) {
    auto* box = new QLineEdit(qText(text));
    box->setMinimumWidth(kBoxWidth);
    box->setAccessibleName(accessibleName);
    box->setPlaceholderText(hint);
    return box;
}

std::string boxText(const QLineEdit* box) {
    return box->text().toStdString();
}

}  // namespace

SkedAheadWindow::SkedAheadWindow(const Start& start, UtcNow utcNow, Remember remember,
                                 QWidget* parent)
    : QWidget(parent, Qt::Window),
      start_(start),
      utcNow_(std::move(utcNow)),
      remember_(std::move(remember)),
      utcTime_(
          newBox(start.utcTime, QStringLiteral("UTC time"), QStringLiteral("YYYY-MM-DD HH:MM:SS"))),
      now_(new QPushButton(QStringLiteral("Now"))),
      sked_(
          newBox(start.skedMHz, QStringLiteral("Sked frequency in MHz"), QStringLiteral("1296.1"))),
      myGrid_(newBox(start.myGrid, QStringLiteral("Your locator"), QStringLiteral("JO22nb"))),
      dxGrid_(newBox(start.dxGrid, QStringLiteral("DX locator"), QStringLiteral("FN31pr"))),
      minElevation_(new QDoubleSpinBox),
      problem_(new QLabel),
      warnings_(new QLabel),
      plot_(new MoonElevationPlot),
      offsetPlot_(new PolarizationOffsetPlot),
      figures_(new QPlainTextEdit),
      copy_(new QPushButton(QStringLiteral("&Copy"))) {
    setWindowTitle(QStringLiteral("Sked ahead"));
    setFont(QFont(QStringLiteral("Arial"), 9));
    minElevation_->setRange(-10, 60);
    minElevation_->setDecimals(1);
    minElevation_->setSuffix(QStringLiteral("\u00B0"));
    minElevation_->setValue(start.minElevationDeg);
    minElevation_->setAccessibleName(QStringLiteral("Minimum moon elevation in degrees"));
    problem_->setStyleSheet(QStringLiteral("color: #b00000"));
    problem_->setWordWrap(true);
    // White on red, bold, above the figures: not to be missed before the sked.
    warnings_->setStyleSheet(
        QStringLiteral("color: white; background: #b00000; font-weight: bold; padding: 4px"));
    warnings_->setWordWrap(true);
    warnings_->hide();
    figures_->setReadOnly(true);
    figures_->setAccessibleName(QStringLiteral("Sked ahead figures"));
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSize(9);
    figures_->setFont(fixed);
    figures_->setLineWrapMode(QPlainTextEdit::NoWrap);
    setToolTipAndDescription(*copy_, QStringLiteral("Copy these figures for your sked partner"));
    layOut();
    connectInputs();
    replan();
}

void SkedAheadWindow::layOut() {
    auto* time = new QHBoxLayout;
    time->addWidget(utcTime_, 1);
    time->addWidget(now_);
    auto* inputs = new QFormLayout;
    inputs->addRow(QStringLiteral("UTC time"), time);
    inputs->addRow(QStringLiteral("Sked frequency, MHz"), sked_);
    inputs->addRow(QStringLiteral("Your locator"), myGrid_);
    inputs->addRow(QStringLiteral("DX locator"), dxGrid_);
    inputs->addRow(QStringLiteral("Minimum elevation"), minElevation_);
    auto* top = new QHBoxLayout;
    top->addLayout(inputs);
    auto* plots = new QVBoxLayout;
    plots->addWidget(plot_, 2);
    plots->addWidget(offsetPlot_, 1);
    top->addLayout(plots, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(copy_);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addWidget(problem_);
    all->addWidget(warnings_);
    all->addWidget(figures_, 1);
    all->addLayout(buttons);
    // Never larger than the screen it opens on: a Raspberry Pi's own is 800 x 480, and a
    // window beyond it would hide Copy.
    const QSize wanted(820, 760);
    const QScreen* shownOn = screen();
    resize(shownOn != nullptr ? wanted.boundedTo(shownOn->availableGeometry().size()) : wanted);
}

void SkedAheadWindow::connectInputs() {
    for (QLineEdit* box : {utcTime_, sked_, myGrid_, dxGrid_})
        connect(box, &QLineEdit::editingFinished, this, &SkedAheadWindow::replan);
    connect(minElevation_, &QDoubleSpinBox::valueChanged, this, &SkedAheadWindow::replan);
    connect(now_, &QPushButton::clicked, this, [this] {
        utcTime_->setText(qText(utcInstantText(utcNow_())));
        replan();
    });
    connect(copy_, &QPushButton::clicked, this, &SkedAheadWindow::copy);
}

void SkedAheadWindow::replan() {
    const AheadArguments typed{boxText(utcTime_), boxText(myGrid_),
                               boxText(dxGrid_),  boxText(sked_),
                               std::nullopt,      numberText(minElevation_->value())};
    const auto read = readAheadArguments(typed, {utcNow_(), {}}, kBoxNames);
    if (const auto* refusal = std::get_if<std::string>(&read)) {
        problem_->setText(qText(*refusal));
        problem_->show();
        warnings_->clear();
        warnings_->hide();
        text_.clear();
        figures_->clear();
        plot_->clear();
        offsetPlot_->clear();
        copy_->setEnabled(false);
        return;
    }
    const AheadRequest& request = std::get<AheadRequest>(read);
    const SkedAhead ahead = planSkedAhead(request);
    text_ = skedAheadText(request, ahead);
    problem_->hide();
    std::string warnings;
    for (const std::string& warning : ahead.warnings)
        warnings += (warnings.empty() ? "" : "\n") + warning;
    warnings_->setText(qText(warnings));
    warnings_->setVisible(!warnings.empty());
    figures_->setPlainText(qText(text_));
    const DayPlot day = dayPlot(request, kPlotStep);
    plot_->showDay(day, request.at, request.minElevationDeg);
    offsetPlot_->showDay(day, request.at);
    copy_->setEnabled(true);
    if (remember_) {
        const std::string my = boxText(myGrid_), dx = boxText(dxGrid_);
        remember_(my == start_.myGrid ? "" : my, dx == start_.dxGrid ? "" : dx,
                  request.minElevationDeg);
    }
}

std::string SkedAheadWindow::warningText() const {
    return warnings_->text().toStdString();
}

void SkedAheadWindow::copy() {
    if (!text_.empty()) QGuiApplication::clipboard()->setText(qText(text_));
}

QAction* addSkedAheadMenuEntry(QWidget& mainWindow) {
    auto* action = new QAction(QStringLiteral("Sked ahead…"), &mainWindow);
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    action->setShortcutContext(Qt::WindowShortcut);
    // The window's context menu lists its actions, Copy sked plan first.
    mainWindow.addAction(action);
    return action;
}

}  // namespace selvora
