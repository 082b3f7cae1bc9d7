#include "window/plan_copier.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>

namespace selvora {

PlanCopier::PlanCopier(QWidget& window, std::function<std::string()> planText)
    : window_(window),
      planText_(std::move(planText)),
      // The menu names the key; the key itself is caught below, also in text boxes.
      action_(QStringLiteral("Copy sked plan\t") +
              QKeySequence(QKeySequence::Copy).toString(QKeySequence::NativeText)) {
    connect(&action_, &QAction::triggered, this, &PlanCopier::copy);
    window_.addAction(&action_);
    window_.setContextMenuPolicy(Qt::ActionsContextMenu);
    // Text boxes take Ctrl+C themselves, so it is caught on its way to whichever
    // control has the focus.
    qApp->installEventFilter(this);
}

void PlanCopier::copy() {
    QGuiApplication::clipboard()->setText(QString::fromStdString(planText_()));
}

bool PlanCopier::eventFilter(QObject* watched, QEvent* event) {
    if (!isCopyForThePlan(watched, event)) return false;
    copy();
    return true;
}

// Ctrl+C typed in this window, unless a text box has a selection to copy instead.
bool PlanCopier::isCopyForThePlan(QObject* watched, QEvent* event) const {
    if (event->type() != QEvent::KeyPress) return false;
    if (!static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != &window_) return false;
    auto* box = qobject_cast<QLineEdit*>(widget);
    return box == nullptr || !box->hasSelectedText();
}

}  // namespace selvora
