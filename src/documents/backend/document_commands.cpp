#include "documents/backend/document_commands.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <string>

#include "documents/backend/workbook.h"
#include "documents/core/export_cells.h"
#include "documents/core/print_layout.h"
#include "documents/core/tally_texts.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "print/print_commands.h"

namespace lumora {

namespace {

// Names the programs that the system's users have (Excel first on Windows).
std::string noSpreadsheetQuestion() {
    return std::string("Не удалось запустить программу для работы с таблицами (") +
           platform::spreadsheetProgramNames() +
           " или другую, которая открывает файлы .xlsx).\nСохранить книгу в файл?";
}
const char kWorkbookFilter[] = "Книга Excel (*.xlsx)";

// A name in `folder` that no file has: workbook-XXXXXX.xlsx, with six random letters and digits.
QString freshWorkbookName(const QString &folder) {
    const QDir dir(folder);
    if (!dir.exists()) return QString();
    for (int attempt = 0; attempt < 100; ++attempt) {
        QString letters;
        for (int k = 0; k < 6; ++k)
            letters +=
                QLatin1Char("abcdefghijklmnopqrstuvwxyz0123456789"[QRandomGenerator::global()->bounded(36)]);
        const QString name = dir.filePath(QStringLiteral("workbook-%1.xlsx").arg(letters));
        if (!QFileInfo::exists(name)) return name;
    }
    return QString();
}

}  // namespace

bool DesktopSpreadsheet::open(const QString &workbookPath) {
    return platform::openInSpreadsheetProgram(workbookPath);
}

QString exportFolder() { return platform::cacheFolder() + QStringLiteral("/export"); }

void removeStaleWorkbooks(const QString &folder) {
    const QDir dir(folder);
    const QDateTime dayAgo = QDateTime::currentDateTime().addDays(-1);
    for (const QFileInfo &file : dir.entryInfoList({QStringLiteral("workbook-*.xlsx")}, QDir::Files))
        if (file.lastModified() < dayAgo) QFile::remove(file.absoluteFilePath());
}

DocumentCommands::DocumentCommands(Form &form, DocumentDialogs &dialogs, PrinterDialogs &printerDialogs,
                                   FileStore *files, SpreadsheetLauncher *spreadsheet)
    : form_(form),
      dialogs_(dialogs),
      printerDialogs_(printerDialogs),
      files_(files ? *files : disk_),
      spreadsheet_(spreadsheet ? *spreadsheet : desktop_) {}

std::optional<TallyCounts> DocumentCommands::Open() { return openTally(form_, dialogs_, files_); }
void DocumentCommands::Save() { saveTally(form_, dialogs_, files_); }
void DocumentCommands::SaveAs() { saveTallyAs(form_, dialogs_, files_); }

void DocumentCommands::Command4() {
    form_.returnFocusIndex = form_.focusCountIndex;
    saveTally(form_, dialogs_, files_);
    form_.giveFocusToCount(form_.returnFocusIndex);
}

void DocumentCommands::ExportXLS() { exportWorkbook(); }

void DocumentCommands::Command5() {
    form_.returnFocusIndex = form_.focusCountIndex;
    exportWorkbook();
    form_.giveFocusToCount(form_.returnFocusIndex);
}

void DocumentCommands::exportWorkbook() {
    // Every value is converted before a file is made: a text that is not a number stops the export
    // with nothing written.
    std::vector<WorkbookSheet> sheets;
    if (auto error = addTallySheet(sheets, "Лист1", tallyTexts(form_), form_.numberFormat(), form_.tallyTitle,
                                   workbookDate()))
        return dialogs_.message(*error);
    handToSpreadsheet(
        [&sheets](const QString &path) -> std::optional<std::string> {
            StagedFile file(path);
            if (auto error = writeWorkbook(sheets, file)) return error;
            return file.commit();
        },
        dialogs_, spreadsheet_);
}

void handToSpreadsheet(const std::function<std::optional<std::string>(const QString &)> &write,
                       DocumentDialogs &dialogs, SpreadsheetLauncher &spreadsheet) {
    // The workbook the spreadsheet program opens stays after we return; it gets a plain ASCII name,
    // which every program reads whatever the locale, in the user's cache folder, where the next start
    // removes it once it is a day old.
    const QString folder = exportFolder();
    QDir().mkpath(folder);
    // The name is only chosen here: the workbook is written beside it and renamed into place, so no
    // handle of ours is open on it then (Windows refuses to rename over an open file) and a failure
    // leaves no empty file behind.
    const QString path = freshWorkbookName(folder);
    if (path.isEmpty()) return dialogs.message("Не удалось создать временный файл книги.");
    if (auto error = write(path)) {
        QFile::remove(path);
        return dialogs.message(*error);
    }
    if (spreadsheet.open(path)) return;
    QFile::remove(path);

    if (!dialogs.question(noSpreadsheetQuestion())) return;
    auto name = dialogs.saveFileName("Сохранить книгу", kWorkbookFilter);
    if (!name) return;
    if (auto error = write(QString::fromStdString(*name))) dialogs.message(*error);
}

// The tally's own title is offered, the blank form of one for a tally without it. A title typed
// here becomes the tally's (the step that runs the command records it, and the tally is unsaved);
// the blank form accepted as it is leaves the tally without one.
std::string DocumentCommands::askTitle() {
    const std::string offered = form_.tallyTitle.empty() ? std::string(kDefaultSheetTitle) : form_.tallyTitle;
    const std::optional<std::string> typed =
        dialogs_.inputText("Введите название таблицы", "Название таблицы", offered);
    if (!typed) return "";
    const std::string title = titleLine(*typed);
    form_.tallyTitle = title == kDefaultSheetTitle ? std::string() : title;
    return title;
}

// Printing needs Qt's print support, which is loaded at the first print (print/print_commands.h).
void DocumentCommands::Print() {
    printTally(form_, dialogs_, printerDialogs_, [this] { return askTitle(); });
}

void DocumentCommands::PrintPreview() {
    previewTally(form_, dialogs_, printerDialogs_, [this] { return askTitle(); });
}

}  // namespace lumora
