// Reading and writing whole files in tests that check what a command left on disk.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

namespace lumora::test {

// The file's bytes, or "<missing>" when it cannot be read.
// A name as the program keeps it: absolute on this system ("/day/a.txt" gains a drive on Windows).
inline QString absolute(const QString &path) { return QDir::cleanPath(QFileInfo(path).absoluteFilePath()); }

inline QByteArray contents(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

inline void put(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Whether a workbook can be read back here (Windows has no unzip).
inline bool canUnzip() { return !QStandardPaths::findExecutable("unzip").isEmpty(); }

// One member of a zip package (a workbook), as bytes; empty when it cannot be read.
inline QByteArray unzipped(const QString &zip, const QString &member) {
    QProcess unzip;
    unzip.start("unzip", {"-p", zip, member});
    unzip.waitForFinished(-1);
    return unzip.readAllStandardOutput();
}

// The package's listing with each member's method ("Defl:N", "Stored"), as unzip -v prints it.
inline QString zipListing(const QString &zip) {
    QProcess unzip;
    unzip.start("unzip", {"-v", zip});
    unzip.waitForFinished(-1);
    return QString::fromUtf8(unzip.readAllStandardOutput());
}

}  // namespace lumora::test
