// Message boxes for the operator, with Qt.
#pragma once

#include <functional>

#include <QString>

#include "common/user_messages.h"

class QWidget;

namespace selvora {

class QtMessages final : public UserMessages {
  public:
    // `endProgram` leaves the event loop.
    explicit QtMessages(std::function<void()> endProgram);
    // The window the boxes belong to, once it exists.
    void setParentWidget(QWidget* parent) { parent_ = parent; }

    // Shown once the event loop runs, without blocking it.
    void inform(std::string_view title, std::string_view text) override;
    void informAndEnd(std::string_view title, std::string_view text) override;

  private:
    QWidget* parent_ = nullptr;
    std::function<void()> endProgram_;
};

// Qt breaks lines at LF; the messages are written with CR LF line ends.
QString displayText(std::string_view text);

}  // namespace selvora
