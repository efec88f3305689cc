// The few words of Qt's own dialogs that its Russian translation (qtbase_ru) lacks: the file
// dialog's type column names a folder «Folder», a drive «Drive», a link «Shortcut». Installed after
// Qt's translation, for every dialog the program shows.
#pragma once

#include <QTranslator>

namespace lumora {

class QtMissingWords : public QTranslator {
public:
    using QTranslator::QTranslator;
    QString translate(const char *context, const char *sourceText, const char *disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override { return false; }
};

}  // namespace lumora
