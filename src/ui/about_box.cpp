#include "ui/about_box.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>

#include "platform/desktop.h"
#include "ui/palette.h"

namespace lumora {

const char kEmailAddress[] = "";

QString installedReadme() {
    const QString path = QDir::cleanPath(
        QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromUtf8(LUMORA_README_FROM_PROGRAM)));
    return QFileInfo(path).isFile() ? path : QString();
}

QString versionText() {
    return QStringLiteral("Версия программы %1.%2.0.%3")
        .arg(LUMORA_VERSION_MAJOR)
        .arg(LUMORA_VERSION_MINOR)
        .arg(LUMORA_VERSION_REVISION);
}

namespace {

// A label that acts like a link: a hand cursor, underlined, and a click runs `onClick`.
class ClickableLabel : public QLabel {
public:
    ClickableLabel(const QString &text, std::function<void()> onClick, QWidget *parent)
        : QLabel(text, parent), onClick_(std::move(onClick)) {
        setCursor(Qt::PointingHandCursor);
        QFont f = font();
        f.setUnderline(true);
        setFont(f);
        QPalette p = palette();
        p.setColor(QPalette::WindowText, QColor(0, 0, 160));
        setPalette(p);
    }

protected:
    void mouseReleaseEvent(QMouseEvent *e) override {
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) onClick_();
    }

private:
    std::function<void()> onClick_;
};

}  // namespace

AboutServices desktopAboutServices() {
    AboutServices s;
    s.openUrl = [](const QUrl &url) { QDesktopServices::openUrl(url); };
    s.startSystemInfo = platform::startSystemInfoTool;
    s.message = [](QWidget *parent, const QString &text) {
        QMessageBox::information(parent, QStringLiteral("Люмора"), text, QMessageBox::Ok);
    };
    s.readme = installedReadme();
    return s;
}

AboutBox::AboutBox(AboutServices services, QWidget *parent)
    : QDialog(parent), services_(std::move(services)) {
    setObjectName("Aboute");
    setWindowTitle(QStringLiteral("О программе"));
    setModal(false);
    paintBackgroundBlue(this);

    auto *picIcon = new QLabel(this);
    picIcon->setObjectName("picIcon");
    picIcon->setPixmap(
        QIcon(QStringLiteral(":/icons/about_round.png")).pixmap(QSize(48, 48), devicePixelRatio()));
    picIcon->setGeometry(16, 16, 48, 48);

    auto place = [](QLabel *label, const char *name, int x, int y, int w) {
        label->setObjectName(name);
        label->setGeometry(x, y, w, 20);
        return label;
    };
    auto *lblTitle = place(new QLabel(QStringLiteral("Люмора ГОСТ 2708-75"), this), "lblTitle", 80, 16, 260);
    QFont bold = lblTitle->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    lblTitle->setFont(bold);
    lblTitle->setGeometry(80, 14, 260, 24);
    place(new QLabel(versionText(), this), "lblVersion", 80, 42, 260);
    place(new QLabel(QStringLiteral("Дата создания 19.02.2011 г."), this), "lblDescription", 80, 64, 260);

    place(new QLabel(QStringLiteral("Сайт программы"), this), "Label2", 16, 100, 120);
    // The description installed with the program; its file is in the tool tip.
    place(new ClickableLabel(
              QStringLiteral("Описание программы"), [this] { clickWebLabel(); }, this),
          "Label1", 140, 100, 200)
        ->setToolTip(QDir::toNativeSeparators(services_.readme));
    QLabel *email = place(new QLabel(QStringLiteral("E-mail"), this), "Label4", 16, 124, 120);
    QLabel *address = place(new ClickableLabel(
                                QString::fromUtf8(kEmailAddress), [this] { clickEmailLabel(); }, this),
                            "Label3", 140, 124, 200);
    for (QLabel *l : {email, address}) l->setVisible(kEmailAddress[0] != '\0');

    auto *line = new QFrame(this);
    line->setObjectName("Line1");
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(16, 154, 328, 4);

    auto *ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName("cmdOK");
    ok->setGeometry(236, 168, 108, 28);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::close);
    auto *sysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    sysInfo->setObjectName("cmdSysInfo");
    sysInfo->setGeometry(236, 202, 108, 28);
    connect(sysInfo, &QPushButton::clicked, this, &AboutBox::clickSysInfo);
    for (QPushButton *b : {ok, sysInfo}) paintBoxBlue(b);

    setFixedSize(360, 244);
}

void AboutBox::clickWebLabel() {
    if (services_.readme.isEmpty())
        services_.message(
            this, QStringLiteral(
                      "Файл описания программы (README) не найден: эта копия программы не установлена."));
    else
        services_.openUrl(QUrl::fromLocalFile(services_.readme));
}

void AboutBox::clickEmailLabel() {
    if (kEmailAddress[0] != '\0')
        services_.openUrl(QUrl(QStringLiteral("mailto:") + QString::fromUtf8(kEmailAddress)));
}

void AboutBox::clickSysInfo() {
    if (!services_.startSystemInfo())
        services_.message(this, QStringLiteral("System Information Is Unavailable At This Time"));
}

}  // namespace lumora
