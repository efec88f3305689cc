#include "ui/changed_file_question.h"

#include <QMessageBox>
#include <QPushButton>

namespace lumora {

ChangedFileAnswer askAboutChangedFile(QWidget *parent, const QString &fileName) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Люмора"),
                    QStringLiteral("Файл «%1» изменён другой программой после открытия.").arg(fileName),
                    QMessageBox::NoButton, parent);
    QPushButton *overwrite = box.addButton(QStringLiteral("Сохранить поверх"), QMessageBox::DestructiveRole);
    QPushButton *saveAs = box.addButton(QStringLiteral("Сохранить как..."), QMessageBox::AcceptRole);
    QPushButton *cancel = box.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
    // Nothing is written over by a stray Enter.
    box.setDefaultButton(saveAs);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == overwrite) return ChangedFileAnswer::Overwrite;
    if (box.clickedButton() == saveAs) return ChangedFileAnswer::SaveAs;
    return ChangedFileAnswer::Cancel;
}

}  // namespace lumora
