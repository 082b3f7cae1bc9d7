#include "window/rig_menus.h"

#include <QAction>
#include <QMenu>

#include "display/scheme_fields.h"
#include "window/qt_text.h"

namespace selvora {

RigMenus::RigMenus(MainWindow& window, Actions actions) : actions_(std::move(actions)) {
    for (const SkedSchemeInfo& info : kSkedSchemes) {
        const SchemeFields& row = kSchemeFields[schemeRow(info.scheme)];
        for (const FieldId id : {row.caption, row.rx, row.tx}) {
            QWidget* widget = window.widget(id);
            widget->setContextMenuPolicy(Qt::CustomContextMenu);
            connect(widget, &QWidget::customContextMenuRequested, this,
                    [this, scheme = info.scheme, widget](const QPoint& at) {
                        showMenu(scheme, widget, at);
                    });
        }
    }
}

void RigMenus::showMenu(SkedScheme scheme, QWidget* on, const QPoint& at) {
    const std::optional<SkedScheme> tracked = actions_.tracked();
    QMenu menu(on);
    QAction* tune =
        menu.addAction(QStringLiteral("Tune the rig to %1").arg(qText(schemeInfo(scheme).caption)));
    tune->setCheckable(true);
    tune->setChecked(tracked == scheme);
    QAction* stop = menu.addAction(QStringLiteral("Stop tuning the rig"));
    stop->setEnabled(tracked.has_value());
    menu.addSeparator();
    QAction* settings = menu.addAction(QStringLiteral("Rig settings…"));
    if (moreEntries_) {
        menu.addSeparator();
        moreEntries_(menu);
    }
    QAction* chosen = menu.exec(on->mapToGlobal(at));
    if (chosen == tune && tracked != scheme) actions_.track(scheme);
    if (chosen == tune && !tune->isChecked()) actions_.stop();
    if (chosen == stop) actions_.stop();
    if (chosen == settings) actions_.openSettings();
}

}  // namespace selvora
