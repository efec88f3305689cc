// The grid frame Frame1: 93 diameter steps, of which the rows between the top and bottom edges show.
//
// Each row has four cells placed at the Top that the form gives them (twips inside the frame, slot s
// at 270 s). The count boxes are line edits; the diameter, unit-volume and step-volume cells, which
// the user only reads, are painted by the grid's viewport, which also answers their tool tips (93
// fewer line edits keep the start-up close to that of an empty window). The viewport
// clips the rows: only what stands between Top 275 and Top 5685 (slots 1 to 20) is seen, as the
// designed edge boxes did. A unit volume that is an estimate, not the standard's value, and a step
// volume built on one are painted in italics with a small raised "*".
#pragma once

#include <QFrame>
#include <QString>
#include <array>
#include <string>

#include "tally/form.h"
#include "ui/twips.h"

class QScrollBar;

namespace lumora {

class CountBox;
class CountBoxHost;
class GridViewport;

class GridFrame : public QFrame {
    Q_OBJECT
public:
    GridFrame(const Twips &tw, const Form &form, CountBoxHost *host, QWidget *parent);

    CountBox *countBox(int i) const { return rows_[static_cast<size_t>(i - 1)].count; }
    // The step volume as the grid shows it.
    const QString &stepVolumeText(int i) const { return rows_[static_cast<size_t>(i - 1)].vdShown; }
    const QString &unitVolumeText(int i) const { return rows_[static_cast<size_t>(i - 1)].vm3; }
    // Whether the grid marks the unit volume or the step volume of row i as an estimate.
    bool vm3MarkedEstimated(int i) const { return rows_[static_cast<size_t>(i - 1)].vm3Estimated; }
    bool vdMarkedEstimated(int i) const { return rows_[static_cast<size_t>(i - 1)].vdEstimated; }
    QScrollBar *scrollBar() const { return scroll_; }
    QWidget *viewport() const;

    // Shows the form's rows and scroll bar, touching only what changed since the last call.
    void showForm();

    // The row (1..93) whose cell `cell` is painted at `pos` of the viewport, or 0.
    int rowAt(QPoint pos, Cell cell) const;
    // Where a cell of row i stands in the viewport (may lie outside it).
    QRect cellRect(int i, Cell cell) const;

    // The caret and selection of count box i as last shown or reported, so that a report from the
    // line edit does not come back to it.
    void noteCountSelection(int i, int start, int length);

private:
    friend class GridViewport;
    struct Shown {
        CountBox *count = nullptr;
        std::string countText, vdText, vm3Text;
        QString vm3, d, vdShown;
        bool locked = false, known = false;
        bool vm3Estimated = false, vdEstimated = false;
        std::array<bool, 4> visible{};
        std::array<int16_t, 4> top{};
        int selStart = -1, selLength = -1;
    };
    void showRow(int i, bool &repaintCaptions);
    void showScrollBar();

    Twips tw_;
    const Form &form_;
    GridViewport *viewport_;
    QScrollBar *scroll_;
    std::array<Shown, kRowCount> rows_;
    int scrollMax_ = -1, scrollValue_ = -1;
    int viewTop_;  // pixels of the frame above the viewport
};

}  // namespace lumora
