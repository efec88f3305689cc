#include "ui/grid_frame.h"

#include <QCoreApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QToolTip>
#include <QWheelEvent>

#include "editing/qt_text.h"
#include "ui/count_box.h"
#include "ui/palette.h"

namespace lumora {

namespace {

// Designed geometry inside Frame1, in twips.
constexpr int kViewTop = 275;      // the top edge box covers slot 0
constexpr int kViewBottom = 5685;  // the bottom edge box covers everything from here down
constexpr int kViewWidth = 2980;   // up to the scroll bar
constexpr int kCellHeight = 285;
struct Column {
    int left, width;
};
constexpr std::array<Column, 4> kColumns{{{120, 615}, {720, 495}, {1185, 610}, {1800, 1100}}};  // by Cell

}  // namespace

// Paints the diameter and unit-volume captions and answers their tool tips; holds the boxes.
class GridViewport : public QWidget {
public:
    GridViewport(GridFrame *grid, QWidget *parent) : QWidget(parent), grid_(grid) {}

protected:
    void paintEvent(QPaintEvent *e) override {
        QPainter p(this);
        const QRect clip = e->rect();
        const QColor grey(128, 128, 128);  // the grey text of the unit volumes
        const QColor text = palette().color(QPalette::WindowText);
        const int margin = style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 2;  // as a line edit
        const QFont upright = font();
        QFont italic = upright;
        italic.setItalic(true);
        bool italicSet = false;  // the painter's font is set only when it changes
        for (int i = 1; i <= kRowCount; ++i) {
            const auto &r = grid_->rows_[static_cast<size_t>(i - 1)];
            for (Cell c : {Cell::Vm3, Cell::D, Cell::VD}) {
                if (!r.visible[static_cast<size_t>(c)]) continue;
                const QRect rect = grid_->cellRect(i, c);
                if (!rect.intersects(clip)) continue;
                const bool estimated = c == Cell::Vm3 ? r.vm3Estimated : c == Cell::VD && r.vdEstimated;
                p.setPen(c == Cell::Vm3 ? grey : text);
                if (estimated != italicSet) p.setFont(estimated ? italic : upright);
                italicSet = estimated;
                QRect drawn;
                if (c == Cell::VD)
                    p.drawText(rect.adjusted(margin, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, r.vdShown,
                               &drawn);
                else
                    p.drawText(rect, Qt::AlignCenter, c == Cell::Vm3 ? r.vm3 : r.d, &drawn);
                if (estimated) paintMark(p, drawn);
            }
        }
    }

    // The small raised "*" right after an estimated volume, as on the printed sheet.
    void paintMark(QPainter &p, const QRect &text) {
        const QFont before = p.font();
        QFont small = before;
        small.setPointSizeF(small.pointSizeF() * 0.8);
        p.setFont(small);
        p.drawText(QPoint(text.right() + 1, text.top() + QFontMetrics(small).ascent()), QStringLiteral("*"));
        p.setFont(before);
    }

    bool event(QEvent *e) override {
        if (e->type() == QEvent::ToolTip) {
            auto *help = static_cast<QHelpEvent *>(e);
            const Form &f = grid_->form_;
            if (int i = grid_->rowAt(help->pos(), Cell::D)) {
                QToolTip::showText(help->globalPos(), qs(f.dToolTip(i)), this, grid_->cellRect(i, Cell::D));
            } else if (int j = grid_->rowAt(help->pos(), Cell::Vm3)) {
                QToolTip::showText(help->globalPos(), qs(f.vm3ToolTip(j)), this,
                                   grid_->cellRect(j, Cell::Vm3));
            } else if (int k = grid_->rowAt(help->pos(), Cell::VD)) {
                QToolTip::showText(help->globalPos(), qs(f.vdToolTip(k)), this, grid_->cellRect(k, Cell::VD));
            } else {
                QToolTip::hideText();
                e->ignore();
            }
            return true;
        }
        return QWidget::event(e);
    }

    // The wheel over the rows moves the grid as the scroll bar does.
    void wheelEvent(QWheelEvent *e) override {
        if (grid_->scroll_->isVisible()) QCoreApplication::sendEvent(grid_->scroll_, e);
    }

private:
    GridFrame *grid_;
};

GridFrame::GridFrame(const Twips &tw, const Form &form, CountBoxHost *host, QWidget *parent)
    : QFrame(parent), tw_(tw), form_(form) {
    setObjectName("Frame1");
    viewTop_ = tw_.y(kViewTop);
    viewport_ = new GridViewport(this, this);
    viewport_->setGeometry(tw_.rect(0, kViewTop, kViewWidth, kViewBottom - kViewTop));
    viewport_->setAttribute(Qt::WA_OpaquePaintEvent, false);

    for (int i = 1; i <= kRowCount; ++i) {
        Shown &r = rows_[static_cast<size_t>(i - 1)];
        r.count = new CountBox(1000 + i, host, viewport_);
        r.count->setObjectName(QStringLiteral("Text%1").arg(1000 + i));
        const QString countTip = qs(form.countToolTip(i));
        r.count->setToolTip(countTip);
        r.count->setAccessibleName(countTip);
        r.d = qs(form.row(i).d);
    }

    scroll_ = new QScrollBar(Qt::Vertical, this);
    scroll_->setObjectName("VScroll2");
    scroll_->setGeometry(tw_.rect(2980, 250, 255, 5420));
    scroll_->setSingleStep(1);
    scroll_->setPageStep(20);
    scroll_->setFocusPolicy(Qt::ClickFocus);
}

QWidget *GridFrame::viewport() const { return viewport_; }

QRect GridFrame::cellRect(int i, Cell cell) const {
    const Shown &r = rows_[static_cast<size_t>(i - 1)];
    const Column col = kColumns[static_cast<size_t>(cell)];
    const int top = r.top[static_cast<size_t>(cell)];
    QRect rect = tw_.rect(col.left, top, col.width, kCellHeight);
    rect.translate(0, -viewTop_);
    return rect;
}

int GridFrame::rowAt(QPoint pos, Cell cell) const {
    // Later rows lie above earlier ones where they overlap, so look from the last row up.
    for (int i = kRowCount; i >= 1; --i) {
        const Shown &r = rows_[static_cast<size_t>(i - 1)];
        if (r.visible[static_cast<size_t>(cell)] && cellRect(i, cell).contains(pos)) return i;
    }
    return 0;
}

void GridFrame::noteCountSelection(int i, int start, int length) {
    Shown &r = rows_[static_cast<size_t>(i - 1)];
    r.selStart = start;
    r.selLength = length;
}

void GridFrame::showForm() {
    bool repaintCaptions = false;
    for (int i = 1; i <= kRowCount; ++i) showRow(i, repaintCaptions);
    if (repaintCaptions) viewport_->update();
    showScrollBar();
}

void GridFrame::showRow(int i, bool &repaintCaptions) {
    const GridRow &f = form_.row(i);
    Shown &r = rows_[static_cast<size_t>(i - 1)];
    const bool first = !r.known;
    r.known = true;

    if (first || f.vm3 != r.vm3Text) {
        r.vm3Text = f.vm3;
        r.vm3 = qs(f.vm3);
        repaintCaptions = true;
    }
    if (first || f.vd != r.vdText) {
        r.vdText = f.vd;
        r.vdShown = qs(f.vd);
        repaintCaptions = true;
    }
    const bool vm3Estimated = f.vm3Estimated && !f.vm3.empty(), vdEstimated = form_.vdEstimated(i);
    if (first || vm3Estimated != r.vm3Estimated || vdEstimated != r.vdEstimated) {
        r.vm3Estimated = vm3Estimated;
        r.vdEstimated = vdEstimated;
        repaintCaptions = true;
    }
    for (Cell c : {Cell::Vm3, Cell::D, Cell::VD}) {
        const auto k = static_cast<size_t>(c);
        if (first || f.visible[k] != r.visible[k] || f.top[k] != r.top[k]) {
            r.visible[k] = f.visible[k];
            r.top[k] = f.top[k];
            repaintCaptions = true;
        }
    }
    constexpr auto kCount = static_cast<size_t>(Cell::Count);
    if (first || f.top[kCount] != r.top[kCount]) {
        r.top[kCount] = f.top[kCount];
        r.count->setGeometry(cellRect(i, Cell::Count));
    }
    if (first || f.visible[kCount] != r.visible[kCount]) {
        r.visible[kCount] = f.visible[kCount];
        r.count->setVisible(f.visible[kCount]);
    }
    if (first || f.countLocked != r.locked) {
        r.locked = f.countLocked;
        r.count->setReadOnly(f.countLocked);
    }
    bool caretMoved = false;
    if (first || f.count != r.countText) {
        r.countText = f.count;
        r.count->setText(qs(f.count));
        caretMoved = true;  // setting a text moves the line edit's caret to its end
    }
    if (caretMoved || f.selStart != r.selStart || f.selLength != r.selLength) {
        r.selStart = f.selStart;
        r.selLength = f.selLength;
        if (f.selLength > 0)
            r.count->setSelection(f.selStart, f.selLength);
        else
            r.count->setCursorPosition(f.selStart);
    }
}

void GridFrame::showScrollBar() {
    const QSignalBlocker block(scroll_);
    if (form_.vscroll2Max() != scrollMax_) {
        scrollMax_ = form_.vscroll2Max();
        scroll_->setRange(0, scrollMax_);
    }
    if (form_.vscroll2Value() != scroll_->value() || form_.vscroll2Value() != scrollValue_) {
        scrollValue_ = form_.vscroll2Value();
        scroll_->setValue(scrollValue_);
    }
    if (form_.vscroll2Visible() != scroll_->isVisibleTo(this)) scroll_->setVisible(form_.vscroll2Visible());
}

}  // namespace lumora
