// Files and folders: reading and replacing the user's files, reading the files the program keeps
// for itself, and the folders where it keeps them.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace lumora::platform {

// What reading and replacing files needs from the operating system: opening a file for reading
// without waiting on it and learning what kind of file it is, pushing written bytes to the disk, and
// putting a new file in place of an old one in one step. POSIX and Windows implementations.

enum class FileKind { Missing, Regular, Directory, Other };

// What is at `name` now, following links.
FileKind fileKind(const QString &name);

struct OpenedForReading {
    int fd = -1;  // a C library descriptor, open only when kind is Regular
    FileKind kind = FileKind::Missing;
    int error = 0;  // errno when the file could not be opened
};

// Opens `name` for reading in binary mode without waiting for a writer (a pipe would otherwise hold
// the caller), and keeps it open only when it is a regular file. The descriptor is not inherited by
// programs started later.
OpenedForReading openForReading(const QString &name);
void closeDescriptor(int fd);

// Makes the bytes written through `fd` durable. False with errno set on failure.
bool flushToDisk(int fd);

// Renames `from` over `to`, replacing a file that is there, in one step (on Windows keeping the old
// file's access list and creation time, and trying again for a moment when a scanner holds the new
// one). False with lastError() set.
bool replaceFile(const QString &from, const QString &to);

// Whether `error` (an errno value) means that the user's disk quota is used up.
bool isQuotaExceeded(int error);
// Whether it means that another program holds the file open (Windows locks such files).
bool isInUse(int error);
// Whether another program holds `name` open so that it cannot be replaced (Windows; never on POSIX).
bool heldOpenElsewhere(const QString &name);

// The error of the last failed file call, Qt's or ours, as an errno value: errno on POSIX, the
// system's last error on Windows (where Qt's file engine does not set errno). clearLastError() before
// the call.
void clearLastError();
int lastError();

// A write past the process's file-size limit then fails with an error instead of ending the
// program (SIGXFSZ on POSIX; Windows has no such limit).
void ignoreFileSizeLimitSignal();

// Reading a file that the program keeps for itself (a recovery file): it is read only when it is a
// plain file in its own right. It is opened without following a symbolic link and without waiting,
// then checked, so a link to a FIFO or a device planted in the folder can neither hold the program
// at start nor be read as ours.

// The first `maxBytes` + 1 bytes of `path` (one more than allowed shows an oversized file), or
// nullopt when it is not a plain file or cannot be read.
std::optional<QByteArray> readPlainFile(const QString &path, qint64 maxBytes);

// True when `path` itself is a plain file (not a link, a folder, a FIFO or a device).
bool isPlainFile(const QString &path);

// Where the program keeps what it needs between runs besides the user's tally files: the recovery
// file (data), workbooks handed to the spreadsheet program (cache) and the recent files (settings).
//   POSIX:   the XDG folders, e.g. ~/.local/share/lumora/lumora, ~/.cache/lumora/lumora,
//            ~/.config/lumora/lumora.conf
//   Windows: %LOCALAPPDATA%\lumora\lumora, ...\lumora\lumora\cache and ...\lumora\lumora.ini, never
//            the registry; the environment variable is honoured, so a private one isolates a run.

// Points QSettings at the program's settings file. Called once, after the program's names are set
// and before any QSettings is made.
void setUpUserFolders();

QString dataFolder();
QString cacheFolder();

}  // namespace lumora::platform
