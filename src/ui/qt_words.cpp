#include "ui/qt_words.h"

#include <cstring>

namespace lumora {

QString QtMissingWords::translate(const char *context, const char *sourceText, const char *, int) const {
    if (!context || !sourceText || std::strcmp(context, "QAbstractFileIconProvider") != 0) return QString();
    static const struct {
        const char *english, *russian;
    } words[] = {{"Folder", "Папка"},    {"File Folder", "Папка с файлами"},
                 {"Drive", "Диск"},      {"Shortcut", "Ярлык"},
                 {"Alias", "Псевдоним"}, {"Unknown", "Неизвестно"}};
    for (const auto &w : words)
        if (std::strcmp(sourceText, w.english) == 0) return QString::fromUtf8(w.russian);
    return QString();
}

}  // namespace lumora
