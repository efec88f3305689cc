// The document commands as the main window uses them, with the two facts that leaving needs: whether
// an Open loaded a tally and whether a save wrote one.
#pragma once

#include <memory>

#include "ui/main_window.h"

namespace lumora {

class QtDocumentDialogs;
class DocumentCommands;

class WindowDocuments {
public:
    // Connects the File menu and the toolbar's export and save buttons of `window` to the commands.
    explicit WindowDocuments(MainWindow &window);
    ~WindowDocuments();

private:
    class WatchedDialogs;
    class WatchedFiles;
    std::unique_ptr<QtDocumentDialogs> qtDialogs_;
    std::unique_ptr<WatchedDialogs> dialogs_;
    std::unique_ptr<WatchedFiles> files_;
    std::unique_ptr<DocumentCommands> commands_;
};

}  // namespace lumora
