// What the document asks the user, and how it tells them: the file dialogs and messages of the file
// commands, the question before an unsaved tally is replaced or left, the question before Save
// writes over a file another program changed, and the offer of tallies left by windows that did not
// end cleanly. The window answers with Qt's dialogs (ui/document_questions_qt.h); tests script it.
#pragma once

#include <QDateTime>
#include <QString>
#include <string>
#include <vector>

#include "documents/core/tally_commands.h"

namespace lumora {

enum class LeaveAnswer { Save, Discard, Cancel };

// The answer when the file that Save would write over was changed by another program.
enum class ChangedFileAnswer { Overwrite, SaveAs, Cancel };

struct RecoveryOffer {
    QDateTime written;
    QString fileName;  // "" when the tally had no file yet
    QString length;    // as the length list shows it, "" for none
    long long logs = 0;
};

enum class RecoveryChoice { Later, Restore, Discard };

// The questions before an unsaved tally goes.
extern const char kReplaceQuestion[];  // "Данные подсчёта не сохранены. Сохранить их?"
extern const char kLeaveQuestion[];  // the same, "перед выходом"

class DocumentQuestions : public DocumentDialogs {
public:
    // «Сохранить», «Не сохранять» or «Отмена» for `question` (one of the two above).
    virtual LeaveAnswer askToSave(const std::string &question) = 0;
    // «Сохранить поверх», «Сохранить как...» or «Отмена» for the file (named as the system shows it).
    virtual ChangedFileAnswer askAboutChangedFile(const QString &fileName) = 0;
    // One choice per offer, in order, at most one Restore; fewer (none) means "ask again next time".
    virtual std::vector<RecoveryChoice> chooseRecovery(const std::vector<RecoveryOffer> &offers) = 0;
};

}  // namespace lumora
