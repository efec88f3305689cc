#include "ui/window_documents.h"

#include <utility>

#include "documents/backend/document_commands.h"
#include "documents/backend/file_store.h"
#include "ui/document_dialogs.h"

namespace lumora {

// Passes everything to the Qt dialogs and notes whether a failure was told to the user.
class WindowDocuments::WatchedDialogs : public DocumentDialogs {
public:
    explicit WatchedDialogs(DocumentDialogs &inner) : inner_(inner) {}
    bool failureTold = false;
    // A file named beforehand (on the command line, in the recent files) answers the open dialog.
    std::optional<std::string> namedFile;

    std::optional<std::string> openFileName(const std::string &title, const std::string &filter) override {
        if (namedFile) return std::exchange(namedFile, std::nullopt);
        return inner_.openFileName(title, filter);
    }
    std::optional<std::string> saveFileName(const std::string &title, const std::string &filter) override {
        return inner_.saveFileName(title, filter);
    }
    void message(const std::string &text) override {
        failureTold = true;
        inner_.message(text);
    }
    bool question(const std::string &text) override { return inner_.question(text); }
    std::optional<std::string> inputText(const std::string &prompt, const std::string &title,
                                         const std::string &defaultText) override {
        return inner_.inputText(prompt, title, defaultText);
    }

private:
    DocumentDialogs &inner_;
};

// The disk, noting whether a tally file was read and whether one was written in full.
class WindowDocuments::WatchedFiles : public FileStore {
public:
    bool read_ = false, written = false;

    FileRead read(const std::string &name, size_t maxBytes) override {
        FileRead r = disk_.read(name, maxBytes);
        read_ = read_ || r.ok;
        return r;
    }
    std::optional<std::string> writeAtomically(const std::string &name, const std::string &bytes) override {
        auto error = disk_.writeAtomically(name, bytes);
        written = written || !error;
        return error;
    }

private:
    DiskFiles disk_;
};

WindowDocuments::WindowDocuments(MainWindow &window)
    : qtDialogs_(std::make_unique<QtDocumentDialogs>(&window)),
      dialogs_(std::make_unique<WatchedDialogs>(*qtDialogs_)),
      files_(std::make_unique<WatchedFiles>()),
      commands_(std::make_unique<DocumentCommands>(window.form(), *dialogs_, *qtDialogs_, files_.get())) {
    auto watched = [this](void (DocumentCommands::*command)()) {
        return [this, command] {
            dialogs_->failureTold = false;
            files_->read_ = files_->written = false;
            (commands_.get()->*command)();
        };
    };
    DocumentHooks hooks;
    auto open = watched(&DocumentCommands::Open);
    hooks.open = [this, open] {
        open();
        return files_->read_ && !dialogs_->failureTold;  // a refused file changes nothing
    };
    hooks.openFile = [this, open](const std::string &name) {
        dialogs_->namedFile = name;
        open();
        dialogs_->namedFile.reset();
        return files_->read_ && !dialogs_->failureTold;
    };
    auto save = watched(&DocumentCommands::Save);
    hooks.save = [this, save] {
        save();
        return files_->written;
    };
    auto command4 = watched(&DocumentCommands::Command4);
    hooks.command4 = [this, command4] {
        command4();
        return files_->written;
    };
    auto saveAs = watched(&DocumentCommands::SaveAs);
    hooks.saveAs = [this, saveAs] {
        saveAs();
        return files_->written;
    };
    hooks.exportXls = [this] { commands_->ExportXLS(); };
    hooks.command5 = [this] { commands_->Command5(); };
    hooks.print = [this] { commands_->Print(); };
    hooks.printPreview = [this] { commands_->PrintPreview(); };
    window.setDocumentHooks(std::move(hooks));
}

WindowDocuments::~WindowDocuments() = default;

}  // namespace lumora
