// The document dialogs as the user sees them: titles, prompts, filters and what Cancel returns.
#include "ui/document_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

namespace lumora {
namespace {

// Runs `act` on the modal dialog once it is shown.
template <typename Dialog>
void whenShown(std::function<void(Dialog *)> act) {
    QTimer::singleShot(0, [act] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(dialog);
    });
}

TEST(DocumentDialogs, TheTitleBoxOffersTheFormToFillInAndReturnsTheTypedTitle) {
    QtDocumentDialogs dialogs(nullptr);
    whenShown<QInputDialog>([](QInputDialog *d) {
        EXPECT_EQ(d->windowTitle(), "Нзвание таблицы");
        EXPECT_EQ(d->labelText(), "Введите название таблицы");
        EXPECT_EQ(d->textValue(), "Кв.  , выд. , дел. ");
        d->setTextValue("Кв. 5");
        d->accept();
    });
    EXPECT_EQ(dialogs.inputText("Введите название таблицы", "Нзвание таблицы", "Кв.  , выд. , дел. "),
              std::optional<std::string>("Кв. 5"));
    whenShown<QInputDialog>([](QInputDialog *d) { d->reject(); });
    EXPECT_EQ(dialogs.inputText("a", "b", "c"), std::nullopt);
}

TEST(DocumentDialogs, FileDialogsCarryTheTitleAndFilterAndACancelIsDistinct) {
    QtDocumentDialogs dialogs(nullptr);
    whenShown<QFileDialog>([](QFileDialog *d) {
        EXPECT_EQ(d->windowTitle(), "Загрузить текстовой файл");
        EXPECT_EQ(d->nameFilters(), QStringList{"Текстовые файлы (*.txt)"});
        EXPECT_EQ(d->fileMode(), QFileDialog::ExistingFile);
        d->reject();
    });
    EXPECT_EQ(dialogs.openFileName("Загрузить текстовой файл", "Текстовые файлы (*.txt)"), std::nullopt);
    whenShown<QFileDialog>([](QFileDialog *d) {
        EXPECT_EQ(d->windowTitle(), "Сохранить как...");
        EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_FALSE(d->testOption(QFileDialog::DontConfirmOverwrite));
        d->reject();
    });
    EXPECT_EQ(dialogs.saveFileName("Сохранить как...", "Текстовые файлы (*.txt)"), std::nullopt);
}

TEST(DocumentDialogs, ANameTypedWithoutAnExtensionIsSavedWithTheFiltersOneAndOpenOffersEveryFile) {
    QtDocumentDialogs dialogs(nullptr);
    QTemporaryDir dir;
    whenShown<QFileDialog>([&dir](QFileDialog *d) {
        EXPECT_EQ(d->defaultSuffix(), "txt");
        d->setDirectory(dir.path());
        d->selectFile(QStringLiteral("участок 7"));
        static_cast<QDialog *>(d)->accept();
    });
    EXPECT_EQ(dialogs.saveFileName("Сохранить...", "Текстовые файлы (*.txt)"),
              std::optional<std::string>(dir.filePath("участок 7.txt").toStdString()));
    whenShown<QFileDialog>([](QFileDialog *d) {
        EXPECT_EQ(d->nameFilters(), QStringList({"Текстовые файлы (*.txt)", "Все файлы (*)"}));
        d->reject();
    });
    EXPECT_EQ(dialogs.openFileName("Загрузить текстовой файл", kTallyOpenFilter), std::nullopt);
    EXPECT_EQ(defaultSuffix("Книга Excel (*.xlsx)"), "xlsx");
}

TEST(DocumentDialogs, MessagesHaveOnlyAnOkButton) {
    QtDocumentDialogs dialogs(nullptr);
    whenShown<QMessageBox>([](QMessageBox *box) {
        EXPECT_EQ(box->text(), "В строке 3 не число.");
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        box->accept();
    });
    dialogs.message("В строке 3 не число.");
}

}  // namespace
}  // namespace lumora
