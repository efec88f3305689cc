#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include "platform/desktop.h"
#include "platform_support.h"
#include "ui/run_window.h"

// Each test starts with settings of its own (no recent files left by the test before it).
class FreshSettings : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo &) override {
        QSettings settings;
        settings.clear();
        settings.sync();
    }
};

int main(int argc, char **argv) {
    lumora::platform::chooseHeadlessPainting();
    // The window keeps its settings (recent files), its recovery file and export workbooks in the
    // user's folders: the tests get folders of their own.
    QTemporaryDir home;
    lumora::os::isolateUserFolders(home.path());
    lumora::setProgramNames();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshSettings);
    return RUN_ALL_TESTS();
}
