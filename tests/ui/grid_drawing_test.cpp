// The grid as it is drawn: every row's cells stand at the Top that the form gives the row, the count
// boxes as widgets and the painted captions and step volumes alike.
#include <gtest/gtest.h>

#include <QImage>

#include "ui/grid_frame.h"
#include "window_test_support.h"

namespace lumora {
namespace {

using test::rowOf;

class GridDrawing : public test::WindowTest {
protected:
    void SetUp() override { showWindow(); }

    // Pixel rows of a column band of the grid's picture that hold text (dark pixels on the blue).
    std::vector<int> inkRows(const QImage &img, int left, int right, int top, int bottom) {
        std::vector<int> rows;
        for (int y = std::max(top, 0); y < std::min(bottom, img.height()); ++y)
            for (int x = left; x < right; ++x)
                if (QColor(img.pixel(x, y)).lightness() < 100) {
                    rows.push_back(y);
                    break;
                }
        return rows;
    }
};

// A grid drawn one or more rows off its place would show a count next to the wrong diameter.
TEST_F(GridDrawing, EveryRowIsDrawnAtItsTop) {
    Form &f = w->form();
    test::typeCount(f, 24, "5");
    f.setVScroll2Value(17);  // 24 cm (row 22) in slot 5
    w->showForm();
    GridFrame *grid = widget<GridFrame>("Frame1");
    QWidget *viewport = grid->viewport();
    const QImage img = w->grab(QRect(viewport->mapTo(w.get(), QPoint(0, 0)), viewport->size())).toImage();
    const Twips &tw = w->twips();
    const int viewTop = tw.y(275);  // the top edge of the grid hides slot 0

    int shown = 0;
    for (int i = 1; i <= kRowCount; ++i) {
        const GridRow &r = f.row(i);
        const int top = r.top[static_cast<size_t>(Cell::Count)];
        const int slot = top / kRowPitch;
        if (!r.visible[static_cast<size_t>(Cell::Count)] || slot < 1 || slot > 19) continue;
        ++shown;
        SCOPED_TRACE("row " + std::to_string(i) + " in slot " + std::to_string(slot));
        const QRect cell = tw.rect(0, top, 100, 285).translated(0, -viewTop);

        CountBox *box = widget<CountBox>(QString("Text%1").arg(1000 + i).toUtf8());
        EXPECT_EQ(box->geometry(), tw.rect(1185, top, 610, 285).translated(0, -viewTop));

        // The diameter caption is centred in its cell.
        const std::vector<int> d = inkRows(img, tw.x(720) + 1, tw.x(1185) - 1, cell.top(), cell.bottom() + 1);
        ASSERT_FALSE(d.empty());
        EXPECT_NEAR((d.front() + d.back()) / 2.0, cell.center().y(), 2.0);

        // Only the row with a count has a step volume, in its own cell.
        const std::vector<int> vd = inkRows(img, tw.x(1800) + 1, tw.x(2900), cell.top(), cell.bottom() + 1);
        EXPECT_EQ(!vd.empty(), i == rowOf(24));
        if (!vd.empty()) {
            EXPECT_NEAR((vd.front() + vd.back()) / 2.0, cell.center().y(), 2.0);
        }
    }
    EXPECT_EQ(shown, 19);
    EXPECT_EQ(f.row(rowOf(24)).top[static_cast<size_t>(Cell::Count)], 5 * kRowPitch);
}

}  // namespace
}  // namespace lumora
