// The about box "О программе": title, version, creation date, the program's web page and e-mail
// address as clickable labels, and a button that starts the system's information viewer.
#pragma once

#include <QDialog>
#include <QString>
#include <QUrl>
#include <functional>

class QLabel;
class QPushButton;

namespace lumora {

// "Версия программы " + major.minor.0.revision of the program.
QString versionText();

extern const char kWebPageUrl[];        // the page that the web label opens
extern const char *const kWebPageText;  // how the web label reads
extern const char kEmailAddress[];

// What the about box asks of the desktop; tests replace these.
struct AboutServices {
    std::function<void(const QUrl &)> openUrl;  // the system's handler for a web page or mailto link
    std::function<bool()> startSystemInfo;      // false when no viewer could be started
    std::function<void(QWidget *parent, const QString &)> message;  // a message with an OK button
};

// The platform's services: QDesktopServices, the first system-information viewer found on PATH and
// a QMessageBox.
AboutServices desktopAboutServices();

class AboutBox : public QDialog {
    Q_OBJECT
public:
    AboutBox(AboutServices services, QWidget *parent);

    void clickWebLabel();
    void clickEmailLabel();
    void clickSysInfo();

private:
    AboutServices services_;
};

}  // namespace lumora
