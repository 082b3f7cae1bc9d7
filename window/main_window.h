// The window selvora_1_3 as Qt widgets: a thin view over the Fields model.
//
// Every widget is built from the control table. What the user types goes into the
// model at once; after each handler, showChanges() pushes exactly the properties
// the handler changed into the widgets, so an unchanged tick repaints nothing.
#pragma once

#include <functional>
#include <vector>

#include <QWidget>

#include "display/fields.h"

namespace selvora {

class BackgroundFill;

class MainWindow final : public QWidget {
  public:
    // The window's user commands; the view calls showChanges() after each.
    struct Commands {
        std::function<void(FieldId button)> click;        // a click on a command button
        std::function<void(char16_t& key)> skedKeyPress;  // a character typed into the sked box
    };

    MainWindow(Fields& fields, Commands commands);

    void showChanges();

    // The widget of a control; nullptr for the timer, which has none.
    QWidget* widget(FieldId id) const { return widgets_[id.index]; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* createWidget(const ControlSpec& control, FieldId id);
    void connectTyping(FieldId id);
    void applyChange(FieldId id, unsigned mask);
    void applyColours(FieldId id);
    void stackAndOrder();
    void showWarningOnlyWhenUncovered();

    Fields& fields_;
    Commands commands_;
    std::vector<QWidget*> widgets_;   // by FieldId
    BackgroundFill* backgroundFill_;  // paints the filled controls' backgrounds; a child
};

// Twips to device-independent pixels, 15 to one; edges are rounded, so
// adjacent controls stay adjacent.
QRect twipsToPixels(double left, double top, double width, double height);

}  // namespace selvora
