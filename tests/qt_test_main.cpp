#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "ui/run_window.h"

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The settings the window keeps (recent files) go to a folder of this run, never the user's.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    lumora::setProgramNames();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
