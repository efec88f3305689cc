#include "ui/document_questions_qt.h"

#include <QPushButton>

#include "ui/recovery_dialog.h"

namespace lumora {

ThreeAnswer askThreeWay(QWidget *parent, const ThreeAnswerBox &b) {
    QMessageBox box(b.icon, b.title, b.text, QMessageBox::NoButton, parent);
    box.setObjectName(QString::fromLatin1(b.objectName));
    QPushButton *accept = box.addButton(b.accept, QMessageBox::AcceptRole);
    QPushButton *destructive = box.addButton(b.destructive, QMessageBox::DestructiveRole);
    QPushButton *reject = box.addButton(b.reject, QMessageBox::RejectRole);
    box.setDefaultButton(accept);
    box.setEscapeButton(reject);
    box.exec();
    if (box.clickedButton() == accept) return ThreeAnswer::Accept;
    if (box.clickedButton() == destructive) return ThreeAnswer::Destructive;
    return ThreeAnswer::Reject;
}

LeaveAnswer QtDocumentQuestions::askToSave(const std::string &question) {
    ThreeAnswerBox box;
    box.title = QStringLiteral("Люмора");
    box.text = QString::fromStdString(question);
    box.accept = QStringLiteral("Сохранить");
    box.destructive = QStringLiteral("Не сохранять");
    box.reject = QStringLiteral("Отмена");
    box.objectName = "SaveQuestion";
    switch (askThreeWay(parent_, box)) {
        case ThreeAnswer::Accept:
            return LeaveAnswer::Save;
        case ThreeAnswer::Destructive:
            return LeaveAnswer::Discard;
        case ThreeAnswer::Reject:
            break;
    }
    return LeaveAnswer::Cancel;
}

ChangedFileAnswer QtDocumentQuestions::askAboutChangedFile(const QString &fileName) {
    ThreeAnswerBox box;
    box.icon = QMessageBox::Warning;
    box.title = QStringLiteral("Люмора");
    box.text = QStringLiteral("Файл «%1» изменён другой программой после открытия.").arg(fileName);
    // Nothing is written over by a stray Enter.
    box.accept = QStringLiteral("Сохранить как...");
    box.destructive = QStringLiteral("Сохранить поверх");
    box.reject = QStringLiteral("Отмена");
    box.objectName = "ChangedFileQuestion";
    switch (askThreeWay(parent_, box)) {
        case ThreeAnswer::Accept:
            return ChangedFileAnswer::SaveAs;
        case ThreeAnswer::Destructive:
            return ChangedFileAnswer::Overwrite;
        case ThreeAnswer::Reject:
            break;
    }
    return ChangedFileAnswer::Cancel;
}

std::vector<RecoveryChoice> QtDocumentQuestions::chooseRecovery(const std::vector<RecoveryOffer> &offers) {
    return askAboutRecovery(parent_, offers);
}

}  // namespace lumora
