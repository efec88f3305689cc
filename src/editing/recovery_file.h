// The window's crash-recovery file, kept in the user's data folder while the tally differs from what
// was last saved or loaded. Each window writes its own file and holds a lock beside it, so a file
// whose lock nobody holds was left by a window that ended without a clean exit (a crash, a power cut,
// a kill), and the next start offers it back.
#pragma once

#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

#include "documents/core/recovery_text.h"

namespace lumora {

class RecoveryFile {
public:
    // The files live in `folder`; by default the program's folder under the user's data folder
    // (QStandardPaths::AppLocalDataLocation, e.g. ~/.local/share/lumora/lumora).
    explicit RecoveryFile(QString folder = defaultFolder());
    ~RecoveryFile();  // keeps the file: only remove() deletes it
    RecoveryFile(RecoveryFile &&) = default;
    RecoveryFile &operator=(RecoveryFile &&) = default;
    static QString defaultFolder();

    const QString &path() const { return path_; }
    bool exists() const;

    // Replaces the file's contents in one step (a temporary renamed over it). The error in Russian
    // on failure, nullopt when written.
    std::optional<QString> write(const RecoveredTally &tally);
    // Deletes the file and gives up its lock.
    void remove();

    // A file left by a window that is gone; its lock is now held by `lock`, or null when the folder
    // takes no lock (it has become read-only): such a file is still offered, but stays where it is.
    struct Orphan {
        QString path;
        QDateTime written;
        RecoveredTally tally;
        std::shared_ptr<QLockFile> lock;
    };
    struct Scan {
        std::vector<Orphan> orphans;  // newest first
        QStringList setAside;         // the new names of files that could not be read
    };
    // Every orphan in `folder`. One that cannot be read (cut short, foreign, not a plain file, counts
    // its length cannot show) is set aside under the name "unreadable-…" and never offered again; a
    // lock left empty, garbled, or by another computer more than a day ago does not hold its file.
    static Scan scan(const QString &folder = defaultFolder());
    // This window takes the orphan over: its file becomes ours (it is rewritten at the next change).
    // One without a lock stays as it is: the tally goes to this window's own file.
    void adopt(Orphan &orphan);
    // Deletes an orphan the user did not want back.
    static void discard(Orphan &orphan);
    // Leaves an orphan for the next start.
    static void keep(Orphan &orphan);

private:
    bool claim();
    QString folder_;
    QString path_;
    std::shared_ptr<QLockFile> lock_;
};

}  // namespace lumora
