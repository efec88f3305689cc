// The document dialogs as the user sees them: titles, prompts, filters and what Cancel returns.
#include "ui/document_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "platform/desktop.h"

namespace lumora {
namespace {

// Runs `act` on the modal dialog once it is shown. A test asserts `shown()` after the call: when no
// dialog appears, the check in `act` never runs, and the timer goes with this object instead of
// firing in a later test.
template <typename Dialog>
class OnDialog {
public:
    explicit OnDialog(std::function<void(Dialog *)> act) {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, [this, act] {
            auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            shown_ = true;
            act(dialog);
        });
        timer_.start(0);
    }
    bool shown() const { return shown_; }

private:
    QTimer timer_;
    bool shown_ = false;
};

TEST(DocumentDialogs, TheTitleBoxOffersTheFormToFillInAndReturnsTheTypedTitle) {
    QtDocumentDialogs dialogs(nullptr);
    OnDialog<QInputDialog> typed([](QInputDialog *d) {
        EXPECT_EQ(d->windowTitle(), "Название таблицы");
        EXPECT_EQ(d->labelText(), "Введите название таблицы");
        EXPECT_EQ(d->textValue(), "Кв.  , выд. , дел. ");
        d->setTextValue("Кв. 5");
        d->accept();
    });
    EXPECT_EQ(dialogs.inputText("Введите название таблицы", "Название таблицы", "Кв.  , выд. , дел. "),
              std::optional<std::string>("Кв. 5"));
    EXPECT_TRUE(typed.shown());
    OnDialog<QInputDialog> cancelled([](QInputDialog *d) { d->reject(); });
    EXPECT_EQ(dialogs.inputText("a", "b", "c"), std::nullopt);
    EXPECT_TRUE(cancelled.shown());
}

TEST(DocumentDialogs, FileDialogsCarryTheTitleAndFilterAndACancelIsDistinct) {
    QtDocumentDialogs dialogs(nullptr);
    OnDialog<QFileDialog> open([](QFileDialog *d) {
        EXPECT_EQ(d->windowTitle(), "Загрузить текстовый файл");
        EXPECT_EQ(d->nameFilters(), QStringList{"Текстовые файлы (*.txt)"});
        EXPECT_EQ(d->fileMode(), QFileDialog::ExistingFile);
        d->reject();
    });
    EXPECT_EQ(dialogs.openFileName("Загрузить текстовый файл", "Текстовые файлы (*.txt)"), std::nullopt);
    EXPECT_TRUE(open.shown());
    OnDialog<QFileDialog> save([](QFileDialog *d) {
        EXPECT_EQ(d->windowTitle(), "Сохранить как...");
        EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_FALSE(d->testOption(QFileDialog::DontConfirmOverwrite));
        d->reject();
    });
    EXPECT_EQ(dialogs.saveFileName("Сохранить как...", "Текстовые файлы (*.txt)"), std::nullopt);
    EXPECT_TRUE(save.shown());
}

TEST(DocumentDialogs, ANameTypedWithoutAnExtensionIsSavedWithTheFiltersOneAndOpenOffersEveryFile) {
    QtDocumentDialogs dialogs(nullptr);
    QTemporaryDir dir;
    OnDialog<QFileDialog> save([&dir](QFileDialog *d) {
        EXPECT_EQ(d->defaultSuffix(), "txt");
        d->setDirectory(dir.path());
        d->selectFile(QStringLiteral("участок 7"));
        static_cast<QDialog *>(d)->accept();
    });
    EXPECT_EQ(dialogs.saveFileName("Сохранить...", "Текстовые файлы (*.txt)"),
              std::optional<std::string>(dir.filePath("участок 7.txt").toStdString()));
    EXPECT_TRUE(save.shown());
    OnDialog<QFileDialog> open([](QFileDialog *d) {
        EXPECT_EQ(d->nameFilters(), QStringList({"Текстовые файлы (*.txt)", "Все файлы (*)"}));
        d->reject();
    });
    EXPECT_EQ(dialogs.openFileName("Загрузить текстовый файл", kTallyOpenFilter), std::nullopt);
    EXPECT_TRUE(open.shown());
    EXPECT_EQ(defaultSuffix("Книга Excel (*.xlsx)"), "xlsx");
}

TEST(DocumentDialogs, ThePrintDialogOffersTheGivenPdfNameForPrintingToAFile) {
    if (!platform::printDialogOffersPdfWithoutPrinter() && QPrinterInfo::availablePrinterNames().isEmpty())
        GTEST_SKIP() << "no print dialog without a printer here";
    QtDocumentDialogs dialogs(nullptr);
    OnDialog<QPrintDialog> print([](QPrintDialog *d) {
        auto *file = d->findChild<QLineEdit *>("filename");
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(file->text(), QDir::toNativeSeparators("/луг/участок 7.pdf"));
        d->reject();
    });
    QPrinter printer(QPrinter::HighResolution);
    EXPECT_FALSE(dialogs.choosePrinter(printer, "/луг/участок 7.pdf"));
    EXPECT_TRUE(print.shown());
}

TEST(DocumentDialogs, MessagesHaveOnlyAnOkButton) {
    QtDocumentDialogs dialogs(nullptr);
    OnDialog<QMessageBox> message([](QMessageBox *box) {
        EXPECT_EQ(box->text(), "В строке 3 не число.");
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        box->accept();
    });
    dialogs.message("В строке 3 не число.");
    EXPECT_TRUE(message.shown());
}

// Where the system's print dialog cannot open without a printer (Windows), Print asks whether to save
// the sheet as a PDF, offers the tally's name, and prints into that file.
TEST(DocumentDialogs, WithoutAPrinterPrintOffersTheSheetAsAPdf) {
    if (platform::printDialogOffersPdfWithoutPrinter())
        GTEST_SKIP() << "the system's print dialog prints to a PDF itself";
    if (!QPrinterInfo::availablePrinterNames().isEmpty()) GTEST_SKIP() << "a printer is installed";
    QTemporaryDir dir;
    const QString pdf = dir.filePath("t.pdf");
    QtDocumentDialogs dialogs(nullptr);
    QPrinter printer(QPrinter::HighResolution);
    bool asked = false, offered = false;
    QTimer answer;
    answer.setInterval(10);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            asked = box->text() == "Принтер не установлен. Сохранить лист в файл PDF?";
            box->button(QMessageBox::Yes)->click();
        } else if (auto *files = qobject_cast<QFileDialog *>(modal)) {
            offered = QFileInfo(files->selectedFiles().value(0)) == QFileInfo(pdf);
            static_cast<QDialog *>(files)->accept();  // its own accept() is protected
        }
    });
    answer.start();
    EXPECT_TRUE(dialogs.choosePrinter(printer, pdf));
    EXPECT_TRUE(asked);
    EXPECT_TRUE(offered);
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(QFileInfo(printer.outputFileName()), QFileInfo(pdf));
}

}  // namespace
}  // namespace lumora
