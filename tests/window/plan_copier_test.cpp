// The plan on the clipboard. On the xcb platform (CI runs this under Xvfb) the
// clipboard is read back by another X client, xclip, as a text editor would paste it.
#include <QAction>
#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include "app/desktop_app.h"
#include "app/saved_path.h"
#include "plan/sked_plan_text.h"
#include "support/desktop_under_test.h"
#include "support/fakes.h"
#include "support/temp_dir.h"

namespace selvora {
namespace {

// The clipboard as another program sees it. xclip waits for this process to hand
// the text over, so the event loop runs meanwhile.
QString pastedText() {
    if (QGuiApplication::platformName() != QStringLiteral("xcb"))
        return QGuiApplication::clipboard()->text();
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"), {"-o", "-selection", "clipboard"});
    QElapsedTimer waited;
    waited.start();
    while (xclip.state() != QProcess::NotRunning && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(xclip.exitCode(), 0) << xclip.readAllStandardError().toStdString();
    return QString::fromUtf8(xclip.readAllStandardOutput());
}

class CopyPlanTest : public testing::DesktopUnderTest {
  protected:
    void SetUp() override {
        dir.write(kSettingsFile,
                  dir.write("azel.dat",
                            "09:19:31,123.4, 45.6,Moon\n09:19:31,200.1, 12.0,Sun\n"
                            "09:19:31,  0.0,  0.0,Source\n"
                            " 1296,   124.3,   -1.25,   258.7,   -2.50,Doppler, R\n") +
                      "\r\n");
        app.start();
        app.tick();
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    }
    QWidget* widget(std::string_view name) { return app.window().widget(*findField(name)); }
    QString plan() { return QString::fromStdString(app.core().planText()); }
    void pressCtrlC(QWidget* focus) {
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_C, Qt::ControlModifier);
    }
};

TEST_F(CopyPlanTest, CtrlCCopiesThePlanWhereverTheFocusIs) {
    ASSERT_TRUE(plan().startsWith("Sked frequency: 1296 MHz\nResolution: 10 Hz\n"));
    for (const char* name : {"tx_full_doppler", "azel_path", "hz1", "save_path"}) {
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        pressCtrlC(widget(name));
        EXPECT_EQ(pastedText().toStdString(), plan().toStdString()) << name;
    }
}

TEST_F(CopyPlanTest, ASelectionInATextBoxIsCopiedAsUsual) {
    auto* path = qobject_cast<QLineEdit*>(widget("azel_path"));
    path->setFocus();
    path->setSelection(0, 4);
    pressCtrlC(path);
    EXPECT_EQ(pastedText().toStdString(), path->text().left(4).toStdString());
}

TEST_F(CopyPlanTest, TheWindowsContextMenuHasCopySkedPlan) {
    EXPECT_EQ(app.window().contextMenuPolicy(), Qt::ActionsContextMenu);
    ASSERT_TRUE(app.window().actions().contains(&app.planCopier().action()));
    EXPECT_TRUE(app.planCopier().action().text().startsWith("Copy sked plan\t"));
    app.planCopier().action().trigger();
    EXPECT_EQ(pastedText().toStdString(), plan().toStdString());
}

}  // namespace
}  // namespace selvora
