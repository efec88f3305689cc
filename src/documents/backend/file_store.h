// Tally files on disk: whole-file reads with a size limit, and saves that replace the target only
// once the new contents are completely written (QSaveFile), so a failed save keeps the old file.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "documents/core/tally_commands.h"

namespace lumora {

class DiskFiles : public FileStore {
public:
    FileRead read(const std::string &name, size_t maxBytes) override;
    std::optional<std::string> writeAtomically(const std::string &name, const std::string &bytes) override;
};

// Writes the bytes to the file through QSaveFile (in place where the folder takes no temporary).
// Returns the error in Russian, or nullopt.
std::optional<std::string> saveFileAtomically(const QString &name, const QByteArray &bytes);

// Writes the bytes over the file itself, as a plain save does: the old contents are read first and
// written back when the write fails, so that no failure leaves the file cut or empty. The error says
// whether the file still holds its old contents.
std::optional<std::string> writeFileInPlace(const QString &name, const QByteArray &bytes);

// Why `name` cannot be written over (it exists and is a folder, a device, a pipe...), or nullopt.
std::optional<std::string> refuseTarget(const QString &name);

// A file written under a temporary name in the target's folder and put in place by commit(), so
// that several documents can appear together or not at all. Removed unless committed. As a save in
// the window does, it writes through a symbolic link to the file it names, and an existing file keeps
// its permissions (a new one gets the user's usual ones).
class StagedFile {
public:
    explicit StagedFile(const QString &target);
    StagedFile(const StagedFile &) = delete;
    StagedFile &operator=(const StagedFile &) = delete;
    ~StagedFile() { discard(); }

    const QString &target() const { return target_; }
    // The temporary's name, made on the first call ("" and `error` set when the folder refuses it).
    const QString &temporary(std::string &error);
    // Writes the bytes as the temporary's whole contents.
    std::optional<std::string> write(const QByteArray &bytes);
    // Renames the temporary over the target (with `replace`, a rename that replaces).
    using Replace = std::function<bool(const QString &from, const QString &to)>;
    std::optional<std::string> commit(const Replace &replace);
    std::optional<std::string> commit();
    void discard();

private:
    QString target_, temporary_;
};

// What a batch says when a signal stopped it before its documents were all in place.
extern const char kBatchInterrupted[];

// How commitAll renames, and whether it is asked to stop before the next file (a signal ended the
// batch). The renames are the operating system's unless a test injects a failure.
struct CommitSteps {
    StagedFile::Replace replace;
    std::function<bool()> stopped;
};

// Puts every staged file in place, or none: the previous contents of each target already replaced
// are kept aside until the last one is in place, and put back when a later one fails or the batch is
// stopped. Returns the first error in Russian, or nullopt; when an old content cannot be put back,
// the error names the file that holds it.
std::optional<std::string> commitAll(const std::vector<StagedFile *> &files, const CommitSteps &steps = {});

}  // namespace lumora
