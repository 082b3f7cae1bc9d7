#include "window/main_window.h"

#include <algorithm>
#include <cmath>

#include <QEvent>
#include <QFont>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

#include "window/background_fill.h"
#include "window/phase_pictures.h"
#include "window/qt_text.h"

namespace selvora {
namespace {

QColor qColour(Rgb rgb) {
    return QColor::fromRgb(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF);
}

QFont qFont(const Font& font) {
    QFont out(qText(font.family));
    out.setPointSizeF(font.points);
    out.setBold(font.bold);
    return out;
}

// Every control but text boxes, pictures and transparent labels paints its background.
bool fillsBackground(const ControlSpec& control) {
    return control.kind != Kind::TextBox && control.kind != Kind::Image && !control.transparent;
}

// Text boxes, buttons and frames are drawn above labels, pictures and lines.
bool isAboveLabels(Kind kind) {
    return kind == Kind::TextBox || kind == Kind::CommandButton || kind == Kind::Frame ||
           kind == Kind::OptionButton;
}

QString spokenName(const ControlSpec& control) {
    QString name = qText(control.accessibleName);
    if (!control.accessibleDetail.empty()) name += ' ' + qText(control.accessibleDetail);
    if (control.index >= 0) name += ' ' + QString::number(control.index);
    return name;
}

QLabel* newLabel(const ControlSpec& control) {
    auto* label = new QLabel(qText(control.text));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignTop | (control.centred ? Qt::AlignHCenter : Qt::AlignLeft));
    if (control.border) label->setFrameStyle(QFrame::Box | QFrame::Plain);
    return label;
}

QLineEdit* newTextBox(const ControlSpec& control) {
    auto* box = new QLineEdit(qText(control.text));
    box->setAlignment(control.centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    return box;
}

QLabel* newPicture(const ControlSpec& control, qreal pixelRatio) {
    auto* picture = new QLabel;
    const QRect area = twipsToPixels(0, 0, control.at.width, control.at.height);
    picture->setPixmap(
        QPixmap::fromImage(renderPhasePicture(control.index, area.size(), pixelRatio)));
    picture->setScaledContents(false);
    return picture;
}

QFrame* newLine() {
    auto* line = new QFrame;
    line->setFrameShape(QFrame::VLine);
    return line;
}

}  // namespace

QRect twipsToPixels(double left, double top, double width, double height) {
    // The elevation bar is not clamped, so an absurd elevation in azel.dat can make
    // its twips infinite: it must still give a rectangle Qt can draw.
    const auto px = [](double twips) {
        const double pixels =
            std::isnan(twips) ? 0.0 : std::clamp(twips / kTwipsPerPixel, -1e6, 1e6);
        return static_cast<int>(std::lround(pixels));
    };
    const int x = px(left), y = px(top);
    return QRect(x, y, std::max(1, px(left + width) - x), std::max(0, px(top + height) - y));
}

MainWindow::MainWindow(Fields& fields, Commands commands)
    : fields_(fields),
      commands_(std::move(commands)),
      widgets_(kControls.size(), nullptr),
      backgroundFill_(new BackgroundFill(this)) {
    backgroundFill_->setObjectName(QStringLiteral("background_fill"));  // found by name, not type
    // fontconfig knows no stand-in for MS Sans Serif and would pick the much wider
    // DejaVu Sans, clipping the captions; Liberation Sans keeps their widths.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    setObjectName(qText(kWindowName));
    setWindowTitle(qText(kWindowCaption));
    setFixedSize(twipsToPixels(0, 0, kClientArea.width, kClientArea.height).size());
    setFont(qFont(fonts::kWindow));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, qColour(kWindowBack));
    setPalette(palette);
    setAutoFillBackground(true);

    for (std::uint16_t i = 0; i < kControls.size(); ++i) {
        const FieldId id{i};
        widgets_[i] = createWidget(kControls[i], id);
        if (widgets_[i] != nullptr) connectTyping(id);
    }
    stackAndOrder();
    showWarningOnlyWhenUncovered();
    fields_.takeChanges([](FieldId, unsigned) {});  // the widgets start as the model does
}

QWidget* MainWindow::createWidget(const ControlSpec& control, FieldId id) {
    QWidget* widget = nullptr;
    switch (control.kind) {
        case Kind::Label:
            widget = newLabel(control);
            break;
        case Kind::TextBox:
            widget = newTextBox(control);
            break;
        case Kind::CommandButton:
            widget = new QPushButton(qText(control.text));
            break;
        case Kind::Frame:
            widget = new QGroupBox;
            break;
        case Kind::OptionButton:
            widget = new QRadioButton(qText(control.text));
            break;
        case Kind::Image:
            widget = newPicture(control, devicePixelRatioF());
            break;
        case Kind::Line:
            widget = newLine();
            break;
        case Kind::Timer:
            return nullptr;
    }
    QWidget* parent = control.container.empty() ? this : widgets_[field("resolution").index];
    widget->setParent(parent);
    widget->setObjectName(
        control.index < 0 ? qText(control.name)
                          : QStringLiteral("%1(%2)").arg(qText(control.name)).arg(control.index));
    widget->setFont(qFont(control.font));
    widget->setGeometry(
        twipsToPixels(control.at.left, control.at.top, control.at.width, control.at.height));
    setToolTipAndDescription(*widget, qText(control.toolTip));
    if (!control.accessibleName.empty()) widget->setAccessibleName(spokenName(control));
    if (auto* option = qobject_cast<QRadioButton*>(widget)) option->setChecked(control.selected);
    widget->setVisible(control.visible);
    widgets_[id.index] = widget;
    applyColours(id);
    if (fillsBackground(control)) widget->installEventFilter(backgroundFill_);
    return widget;
}

void MainWindow::connectTyping(FieldId id) {
    QWidget* widget = widgets_[id.index];
    if (auto* box = qobject_cast<QLineEdit*>(widget)) {
        connect(box, &QLineEdit::textEdited, this,
                [this, id](const QString& text) { fields_.acceptTyping(id, text.toStdString()); });
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
        connect(button, &QPushButton::clicked, this, [this, id] {
            commands_.click(id);
            showChanges();
        });
    } else if (auto* option = qobject_cast<QRadioButton*>(widget)) {
        connect(option, &QRadioButton::toggled, this, [this, id](bool checked) {
            if (checked) fields_.select(id);
        });
    }
    if (id == field("sked_frequency")) widget->installEventFilter(this);
}

// Layering and keyboard order: labels below the other controls, moon above sky
// (table order), focus first in tx_full_doppler and Tab in the documented order.
void MainWindow::stackAndOrder() {
    for (std::uint16_t i = 0; i < kControls.size(); ++i)
        if (widgets_[i] != nullptr && isAboveLabels(kControls[i].kind)) widgets_[i]->raise();
    QWidget* previous = nullptr;
    for (std::string_view name : kTabOrder) {
        QWidget* next = widgets_[findField(name)->index];
        if (name == "resolution") next = widgets_[field("hz10").index];
        if (previous != nullptr) setTabOrder(previous, next);
        previous = next;
    }
    setTabOrder(previous, widgets_[field("hz1").index]);
    widgets_[field(kTabOrder[0]).index]->setFocus();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || watched != widget(field("sked_frequency")))
        return QWidget::eventFilter(watched, event);
    const QString typed = static_cast<QKeyEvent*>(event)->text();
    if (typed.isEmpty()) return false;  // not a character key
    char16_t key = typed.at(0).unicode();
    commands_.skedKeyPress(key);
    showChanges();
    return key == 0;  // a handler that zeroes the key swallows it
}

void MainWindow::showChanges() {
    fields_.takeChanges([this](FieldId id, unsigned mask) { applyChange(id, mask); });
}

void MainWindow::applyChange(FieldId id, unsigned mask) {
    QWidget* widget = widgets_[id.index];
    if (widget == nullptr) return;
    if (mask & kTextChanged) {
        const QString text = QString::fromStdString(fields_.text(id));
        if (auto* box = qobject_cast<QLineEdit*>(widget)) box->setText(text);
        if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(text);
    }
    if (mask & kVisibleChanged) {
        widget->setVisible(fields_.visible(id));
        if (id == field("seconds") || id == field("stale_warning")) showWarningOnlyWhenUncovered();
    }
    if (mask & (kBackColourChanged | kForeColourChanged)) applyColours(id);
    if (mask & kGeometryChanged) {
        const ControlSpec& control = kControls[id.index];
        widget->setGeometry(
            twipsToPixels(control.at.left, fields_.top(id), control.at.width, fields_.height(id)));
    }
    if (mask & kSelectedChanged) {
        if (auto* option = qobject_cast<QRadioButton*>(widget))
            option->setChecked(fields_.selected(id));
    }
    if (mask & kToolTipChanged) {
        setToolTipAndDescription(*widget, QString::fromStdString(fields_.toolTip(id)));
    }
    if (mask & kBoldChanged) {
        QFont font = qFont(kControls[id.index].font);
        font.setBold(fields_.bold(id));
        widget->setFont(font);
    }
    if (mask & kAccessibleNameChanged) {
        const std::string& name = fields_.accessibleName(id);
        const ControlSpec& control = kControls[id.index];
        widget->setAccessibleName(!name.empty()                    ? QString::fromStdString(name)
                                  : control.accessibleName.empty() ? QString()
                                                                   : spokenName(control));
    }
}

// "AZEL IS NOT UPDATING" lies wholly under the seconds box, which hides it on screen. A screen
// reader does not know what is covered and would announce the warning all the time,
// so its widget is shown only while the seconds box is hidden: the same picture, and the
// warning is read exactly when it is seen.
void MainWindow::showWarningOnlyWhenUncovered() {
    constexpr FieldId warning = field("stale_warning");
    const bool uncovered = !fields_.visible(field("seconds"));
    widgets_[warning.index]->setVisible(fields_.visible(warning) && uncovered);
}

// Background and text colours. A control without its own colours keeps the
// system's: window colours for text boxes, button face for everything else.
void MainWindow::applyColours(FieldId id) {
    QWidget* widget = widgets_[id.index];
    const ControlSpec& control = kControls[id.index];
    const bool isTextBox = control.kind == Kind::TextBox;
    QPalette palette = widget->palette();
    const QPalette::ColorRole backRole = isTextBox ? QPalette::Base : QPalette::Window;
    const QPalette::ColorRole foreRole = isTextBox ? QPalette::Text : QPalette::WindowText;
    const Rgb back = fields_.backColour(id), fore = fields_.foreColour(id);
    palette.setColor(backRole, back == kSystemColour
                                   ? palette.color(isTextBox ? QPalette::Base : QPalette::Button)
                                   : qColour(back));
    if (fore != kSystemColour) palette.setColor(foreRole, qColour(fore));
    widget->setPalette(palette);
}

}  // namespace selvora
