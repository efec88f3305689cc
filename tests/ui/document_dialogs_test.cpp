// The document dialogs as the user sees them: titles, prompts, filters and what Cancel returns.
#include "ui/document_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
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
        EXPECT_EQ(d->windowTitle(), "Название таблицы");
        EXPECT_EQ(d->labelText(), "Введите название таблицы");
        EXPECT_EQ(d->textValue(), "Кв.  , выд. , дел. ");
        d->setTextValue("Кв. 5");
        d->accept();
    });
    EXPECT_EQ(dialogs.inputText("Введите название таблицы", "Название таблицы", "Кв.  , выд. , дел. "),
              std::optional<std::string>("Кв. 5"));
    whenShown<QInputDialog>([](QInputDialog *d) { d->reject(); });
    EXPECT_EQ(dialogs.inputText("a", "b", "c"), std::nullopt);
}

TEST(DocumentDialogs, FileDialogsCarryTheTitleAndFilterAndACancelIsDistinct) {
    QtDocumentDialogs dialogs(nullptr);
    whenShown<QFileDialog>([](QFileDialog *d) {
        EXPECT_EQ(d->windowTitle(), "Загрузить текстовый файл");
        EXPECT_EQ(d->nameFilters(), QStringList{"Текстовые файлы (*.txt)"});
        EXPECT_EQ(d->fileMode(), QFileDialog::ExistingFile);
        d->reject();
    });
    EXPECT_EQ(dialogs.openFileName("Загрузить текстовый файл", "Текстовые файлы (*.txt)"), std::nullopt);
    whenShown<QFileDialog>([](QFileDialog *d) {
        EXPECT_EQ(d->windowTitle(), "Сохранить как...");
        EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_FALSE(d->testOption(QFileDialog::DontConfirmOverwrite));
        d->reject();
    });
    EXPECT_EQ(dialogs.saveFileName("Сохранить как...", "Текстовые файлы (*.txt)"), std::nullopt);
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
