// The about box "О программе": title, version, creation date, the program's documentation as a
// clickable label, and a button that starts the system's information viewer. The program has no web
// site or mail box of its own: the "site" is the README installed with it, and the e-mail pair stays
// hidden while there is no address.
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

extern const char kEmailAddress[];  // "" while there is none

// The README installed with the program (beside it on Windows, in the documentation folder
// elsewhere); "" when it is not there, as in a build folder.
QString installedReadme();

// What the about box asks of the desktop; tests replace these.
struct AboutServices {
    std::function<void(const QUrl &)> openUrl;  // the system's handler for a web page or mailto link
    std::function<bool()> startSystemInfo;      // false when no viewer could be started
    std::function<void(QWidget *parent, const QString &)> message;  // a message with an OK button
    // What the web label opens; "" for none.
    QString readme;
};

// The platform's services: QDesktopServices, the first system-information viewer found on PATH,
// a QMessageBox and the installed README.
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
