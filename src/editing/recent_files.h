// The last tallies opened or saved, newest first, kept between runs in the user's settings
// (QSettings under the program's organisation and application names).
#pragma once

#include <QString>
#include <QStringList>

namespace lumora {

class RecentFiles {
public:
    static constexpr int kMaxFiles = 5;

    // Reads the list kept by earlier runs.
    RecentFiles();

    const QStringList &files() const { return files_; }
    // Puts a file at the top (it may already be further down) and keeps the list.
    void add(const QString &path);
    void remove(const QString &path);
    void clear();

private:
    void keep() const;
    QStringList files_;
};

// The menu caption of the k-th recent file (from 1): an access key for the first nine, the file's
// name, and the folder it is in.
QString recentFileCaption(int k, const QString &path);

}  // namespace lumora
