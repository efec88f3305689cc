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
    const ThreeAnswerBox box{QMessageBox::Question,
                             QStringLiteral("Люмора"),
                             QString::fromStdString(question),
                             QStringLiteral("Сохранить"),
                             QStringLiteral("Не сохранять"),
                             QStringLiteral("Отмена"),
                             "SaveQuestion"};
    return askThreeWay(parent_, box, LeaveAnswer::Save, LeaveAnswer::Discard, LeaveAnswer::Cancel);
}

ChangedFileAnswer QtDocumentQuestions::askAboutChangedFile(const QString &fileName) {
    // Nothing is written over by a stray Enter.
    const ThreeAnswerBox box{
        QMessageBox::Warning,
        QStringLiteral("Люмора"),
        QStringLiteral("Файл «%1» изменён другой программой после открытия.").arg(fileName),
        QStringLiteral("Сохранить как..."),
        QStringLiteral("Сохранить поверх"),
        QStringLiteral("Отмена"),
        "ChangedFileQuestion"};
    return askThreeWay(parent_, box, ChangedFileAnswer::SaveAs, ChangedFileAnswer::Overwrite,
                       ChangedFileAnswer::Cancel);
}

std::vector<RecoveryChoice> QtDocumentQuestions::chooseRecovery(const std::vector<RecoveryOffer> &offers) {
    return askAboutRecovery(parent_, offers);
}

}  // namespace lumora
