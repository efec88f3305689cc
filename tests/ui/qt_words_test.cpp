// Qt's file dialog in Russian: the words its own translation lacks come from ours.
#include "ui/qt_words.h"

#include <gtest/gtest.h>

#include <QAbstractFileIconProvider>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace lumora {
namespace {

TEST(QtMissingWords, TheFileDialogsTypeColumnNamesAFolderInRussian) {
    QAbstractFileIconProvider icons;
    const QFileInfo folder(QDir::tempPath());
    const QString before = icons.type(folder);
    QtMissingWords words;
    QCoreApplication::installTranslator(&words);
    // Qt calls a folder "File Folder" on Windows and "Folder" elsewhere.
    EXPECT_EQ(icons.type(folder), before == "File Folder" ? "Папка с файлами" : "Папка")
        << before.toStdString();
    // Other contexts are left to Qt's own translation.
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Folder"), "Folder");
    QCoreApplication::removeTranslator(&words);
}

}  // namespace
}  // namespace lumora
