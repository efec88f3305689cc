#include "ui/svg_icon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// The pictures live in a static library, whose resources are registered only when asked for.
static void registerIconResources() { Q_INIT_RESOURCE(icons); }

namespace lumora {

namespace {

class SvgIconEngine : public QIconEngine {
public:
    explicit SvgIconEngine(const QString &path) : path_(path), renderer_(path) {}
    SvgIconEngine(const SvgIconEngine &other)
        : QIconEngine(other), path_(other.path_), renderer_(other.path_) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override {
        if (mode == QIcon::Disabled) painter->setOpacity(0.4);
        renderer_.render(painter, QRectF(rect));
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
        QPixmap pm(size * scale);
        pm.fill(Qt::transparent);
        {
            QPainter p(&pm);
            paint(&p, QRect(QPoint(0, 0), pm.size()), mode, state);
        }
        pm.setDevicePixelRatio(scale);
        return pm;
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine *clone() const override { return new SvgIconEngine(*this); }
    QString key() const override { return QStringLiteral("lumora-svg"); }

private:
    QString path_;
    QSvgRenderer renderer_;
};

}  // namespace

QIcon svgIcon(const QString &resourcePath) {
    static const bool registered = (registerIconResources(), true);
    (void)registered;
    return QIcon(new SvgIconEngine(resourcePath));
}

}  // namespace lumora
