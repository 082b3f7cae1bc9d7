// The model's UTF-8 texts as Qt strings, and a tool tip that a screen reader reads too.
#pragma once

#include <string_view>

#include <QString>
#include <QWidget>

namespace selvora {

inline QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Tool tips double as accessible descriptions.
inline void setToolTipAndDescription(QWidget& widget, const QString& toolTip) {
    widget.setToolTip(toolTip);
    widget.setAccessibleDescription(toolTip);
}

}  // namespace selvora
