#include "window/qt_messages.h"

#include <QMessageBox>
#include <QTimer>

namespace selvora {

QString displayText(std::string_view text) {
    QString out = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return out;
}

QtMessages::QtMessages(std::function<void()> endProgram) : endProgram_(std::move(endProgram)) {}

void QtMessages::inform(std::string_view title, std::string_view text) {
    auto* box = new QMessageBox(QMessageBox::Warning, displayText(title), displayText(text),
                                QMessageBox::Ok, parent_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QTimer::singleShot(0, box, [box] { box->open(); });
}

void QtMessages::informAndEnd(std::string_view title, std::string_view text) {
    QMessageBox box(QMessageBox::NoIcon, displayText(title), displayText(text), QMessageBox::Ok,
                    parent_);
    box.exec();
    endProgram_();
}

}  // namespace selvora
