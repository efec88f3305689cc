// The document commands as the main window uses them, with the two facts that leaving needs: whether
// an Open loaded a tally and whether a save wrote one.
#pragma once

#include <memory>

#include "ui/main_window.h"

namespace lumora {

class QtDocumentDialogs;
class DocumentCommands;
class DocumentDialogs;
class PrinterDialogs;
class FileStore;
class SpreadsheetLauncher;

class WindowDocuments {
public:
    // Connects the File menu and the toolbar's export and save buttons of `window` to the commands,
    // with Qt's dialogs and the disk.
    explicit WindowDocuments(MainWindow &window);
    // The same with other dialogs, files and spreadsheet program (tests script them).
    WindowDocuments(MainWindow &window, DocumentDialogs &dialogs, PrinterDialogs &printerDialogs,
                    FileStore *files = nullptr, SpreadsheetLauncher *spreadsheet = nullptr);
    ~WindowDocuments();

private:
    class NamedFileDialogs;
    class WatchedFiles;
    void connect(MainWindow &window);
    std::unique_ptr<QtDocumentDialogs> qtDialogs_;
    std::unique_ptr<NamedFileDialogs> dialogs_;
    std::unique_ptr<WatchedFiles> files_;
    std::unique_ptr<DocumentCommands> commands_;
};

}  // namespace lumora
