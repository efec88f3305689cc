#include "ui/window_documents.h"

#include <map>
#include <utility>

#include "documents/backend/document_commands.h"
#include "documents/backend/file_store.h"
#include "ui/document_dialogs.h"

namespace lumora {

// The files, noting whether a tally file was written in full, and the bytes last read from or
// written to each one.
class WindowDocuments::WatchedFiles : public FileStore {
public:
    explicit WatchedFiles(FileStore *inner) : inner_(inner ? *inner : disk_) {}
    bool written = false;
    std::map<std::string, std::string> lastBytes;

    FileRead read(const std::string &name, size_t maxBytes) override {
        FileRead file = inner_.read(name, maxBytes);
        if (file.ok) lastBytes[name] = file.bytes;
        return file;
    }
    std::optional<std::string> writeAtomically(const std::string &name, const std::string &bytes) override {
        auto error = inner_.writeAtomically(name, bytes);
        written = written || !error;
        if (!error) lastBytes[name] = bytes;
        return error;
    }
    std::optional<std::string> onDisk(const std::string &name) {
        FileRead file = inner_.read(name, kMaxTallyFileBytes);
        return file.ok ? std::optional<std::string>(std::move(file.bytes)) : std::nullopt;
    }

private:
    DiskFiles disk_;
    FileStore &inner_;
};

// The dialogs, except that a file named beforehand (on the command line, in the recent files)
// answers the open dialog.
class WindowDocuments::NamedFileDialogs : public DocumentDialogs {
public:
    explicit NamedFileDialogs(DocumentDialogs &inner) : inner_(inner) {}
    std::optional<std::string> namedFile;

    std::optional<std::string> openFileName(const std::string &title, const std::string &filter) override {
        if (namedFile) return std::exchange(namedFile, std::nullopt);
        return inner_.openFileName(title, filter);
    }
    std::optional<std::string> saveFileName(const std::string &title, const std::string &filter) override {
        return inner_.saveFileName(title, filter);
    }
    void message(const std::string &text) override { inner_.message(text); }
    bool question(const std::string &text) override { return inner_.question(text); }
    std::optional<std::string> inputText(const std::string &prompt, const std::string &title,
                                         const std::string &defaultText) override {
        return inner_.inputText(prompt, title, defaultText);
    }

private:
    DocumentDialogs &inner_;
};

WindowDocuments::WindowDocuments(MainWindow &window)
    : qtDialogs_(std::make_unique<QtDocumentDialogs>(&window)),
      dialogs_(std::make_unique<NamedFileDialogs>(*qtDialogs_)),
      files_(std::make_unique<WatchedFiles>(nullptr)),
      commands_(std::make_unique<DocumentCommands>(window.form(), *dialogs_, *qtDialogs_, files_.get())) {
    connect(window);
}

WindowDocuments::WindowDocuments(MainWindow &window, DocumentDialogs &dialogs, PrinterDialogs &printerDialogs,
                                 FileStore *files, SpreadsheetLauncher *spreadsheet)
    : dialogs_(std::make_unique<NamedFileDialogs>(dialogs)),
      files_(std::make_unique<WatchedFiles>(files)),
      commands_(std::make_unique<DocumentCommands>(window.form(), *dialogs_, printerDialogs, files_.get(),
                                                   spreadsheet)) {
    connect(window);
}

void WindowDocuments::connect(MainWindow &window) {
    auto saving = [this](void (DocumentCommands::*command)()) {
        return [this, command] {
            files_->written = false;
            (commands_.get()->*command)();
            return files_->written;
        };
    };
    DocumentHooks hooks;
    hooks.open = [this] { return commands_->Open(); };
    hooks.openFile = [this](const std::string &name) {
        dialogs_->namedFile = name;
        auto loaded = commands_->Open();
        dialogs_->namedFile.reset();
        return loaded;
    };
    hooks.save = saving(&DocumentCommands::Save);
    hooks.command4 = saving(&DocumentCommands::Command4);
    hooks.saveAs = saving(&DocumentCommands::SaveAs);
    hooks.exportXls = [this] { commands_->ExportXLS(); };
    hooks.command5 = [this] { commands_->Command5(); };
    hooks.print = [this] { commands_->Print(); };
    hooks.printPreview = [this] { commands_->PrintPreview(); };
    hooks.lastBytes = [this](const std::string &name) -> std::optional<std::string> {
        const auto bytes = files_->lastBytes.find(name);
        if (bytes == files_->lastBytes.end()) return std::nullopt;
        return bytes->second;
    };
    hooks.onDisk = [this](const std::string &name) { return files_->onDisk(name); };
    window.setDocumentHooks(std::move(hooks));
}

WindowDocuments::~WindowDocuments() = default;

}  // namespace lumora
