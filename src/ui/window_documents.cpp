#include "ui/window_documents.h"

#include "documents/backend/document_commands.h"
#include "documents/backend/file_store.h"
#include "ui/document_dialogs.h"

namespace lumora {

// The files, noting whether a tally file was written in full.
class WindowDocuments::WatchedFiles : public FileStore {
public:
    explicit WatchedFiles(FileStore *inner) : inner_(inner ? *inner : disk_) {}
    bool written = false;

    FileRead read(const std::string &name, size_t maxBytes) override { return inner_.read(name, maxBytes); }
    std::optional<std::string> writeAtomically(const std::string &name, const std::string &bytes) override {
        auto error = inner_.writeAtomically(name, bytes);
        written = written || !error;
        return error;
    }

private:
    DiskFiles disk_;
    FileStore &inner_;
};

WindowDocuments::WindowDocuments(MainWindow &window)
    : qtDialogs_(std::make_unique<QtDocumentDialogs>(&window)),
      files_(std::make_unique<WatchedFiles>(nullptr)),
      commands_(std::make_unique<DocumentCommands>(window.form(), *qtDialogs_, *qtDialogs_, files_.get())) {
    connect(window);
}

WindowDocuments::WindowDocuments(MainWindow &window, DocumentDialogs &dialogs, PrinterDialogs &printerDialogs,
                                 FileStore *files, SpreadsheetLauncher *spreadsheet)
    : files_(std::make_unique<WatchedFiles>(files)),
      commands_(std::make_unique<DocumentCommands>(window.form(), dialogs, printerDialogs, files_.get(),
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
    hooks.save = saving(&DocumentCommands::Save);
    hooks.command4 = saving(&DocumentCommands::Command4);
    hooks.saveAs = saving(&DocumentCommands::SaveAs);
    hooks.exportXls = [this] { commands_->ExportXLS(); };
    hooks.command5 = [this] { commands_->Command5(); };
    hooks.print = [this] { commands_->Print(); };
    hooks.printPreview = [this] { commands_->PrintPreview(); };
    window.setDocumentHooks(std::move(hooks));
}

WindowDocuments::~WindowDocuments() = default;

}  // namespace lumora
