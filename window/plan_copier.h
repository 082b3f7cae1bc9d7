// "Copy sked plan": Ctrl+C anywhere in the window but a text box with a selection,
// or the window's context menu, puts the plan on the clipboard as plain text.
#pragma once

#include <functional>
#include <string>

#include <QAction>
#include <QObject>
#include <QWidget>

namespace selvora {

class PlanCopier final : public QObject {
  public:
    // `planText` gives the plan as it stands when the operator copies it.
    PlanCopier(QWidget& window, std::function<std::string()> planText);

    void copy();
    QAction& action() { return action_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool isCopyForThePlan(QObject* watched, QEvent* event) const;

    QWidget& window_;
    std::function<std::string()> planText_;
    QAction action_;
};

}  // namespace selvora
