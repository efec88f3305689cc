#include "ui/menu_bar_style.h"

#include <QApplication>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

namespace lumora {

namespace {

class PackedMenuBarStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override {
        return metric == PM_MenuBarItemSpacing ? 0 : QProxyStyle::pixelMetric(metric, option, widget);
    }

    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget) const override {
        if (type == CT_MenuBarItem) return size + QSize(4, 4);
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override {
        const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
        if (element == CE_MenuBarItem && item && (item->state & State_Selected)) {
            // Some styles light an item only while its menu is open; a keyboard user needs it sooner.
            QStyleOptionMenuItem lit(*item);
            lit.state |= State_Sunken;
            QProxyStyle::drawControl(element, &lit, painter, widget);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

}  // namespace

void packMenuBar(QMenuBar *bar) {
    auto *style = new PackedMenuBarStyle(QApplication::style()->name());
    style->setParent(bar);
    bar->setStyle(style);
}

}  // namespace lumora
