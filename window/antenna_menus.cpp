#include "window/antenna_menus.h"

#include <QAction>
#include <QMenu>

namespace selvora {

namespace {

// The moon's direction and its elevation bar, where an operator looks for the antenna.
constexpr FieldId kMoonFields[] = {field("azimuth_caption"),   field("moon_azimuth"),
                                   field("elevation_caption"), field("moon_elevation"),
                                   field("elevation_scale"),   field("elevation_bar")};

}  // namespace

AntennaMenus::AntennaMenus(MainWindow& window, Actions actions) : actions_(std::move(actions)) {
    for (const FieldId id : kMoonFields) {
        QWidget* widget = window.widget(id);
        widget->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(widget, &QWidget::customContextMenuRequested, this,
                [this, widget](const QPoint& at) { showMenu(widget, at); });
    }
}

void AntennaMenus::addEntries(QMenu& menu) {
    const std::optional<PointAt> pointing = actions_.pointing();
    const auto pointAt = [&](const QString& text, PointAt body) {
        QAction* action = menu.addAction(text);
        action->setCheckable(true);
        action->setChecked(pointing == body);
        connect(action, &QAction::triggered, this, [this, body] { actions_.point(body); });
    };
    pointAt(QStringLiteral("Point the antenna at the moon"), PointAt::Moon);
    pointAt(QStringLiteral("Point the antenna at the sun"), PointAt::Sun);
    connect(menu.addAction(QStringLiteral("Stop the antenna")), &QAction::triggered, this,
            [this] { actions_.stop(); });
    connect(menu.addAction(QStringLiteral("Park the antenna")), &QAction::triggered, this,
            [this] { actions_.park(); });
    menu.addSeparator();
    connect(menu.addAction(QStringLiteral("Antenna settings…")), &QAction::triggered, this,
            [this] { actions_.openSettings(); });
}

void AntennaMenus::showMenu(QWidget* on, const QPoint& at) {
    QMenu menu(on);
    addEntries(menu);
    menu.exec(on->mapToGlobal(at));
}

}  // namespace selvora
