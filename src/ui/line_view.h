#pragma once

#include "engine/generate/line_store.h"

#include <QAbstractScrollArea>
#include <QTimer>

class QMenu;

// The read-only multi-line text area of the main window (closing, draws, report). It paints
// only the lines in sight straight from its LineStore, so scrolling and inserting cost the same
// with ten lines or ten million. It follows the store on a short timer (and on sync()), so a
// long run can fill the store at full speed while the view catches up between time slices.
// Whole lines can be selected (mouse, Shift+keys, Ctrl+A) and copied as text.
class LineView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    // Beyond this much text a copy is refused rather than risk exhausting memory.
    static constexpr qint64 kCopyLimitBytes = 50LL * 1000 * 1000;

    explicit LineView(QWidget* parent = nullptr);

    LineStore& store() { return store_; }
    const LineStore& store() const { return store_; }
    // Makes the view show the store's current content at once.
    void sync();
    // Scroll bars as the runs switch them: false hides the vertical one.
    void setVerticalScrollAllowed(bool allowed);
    // The first line in sight.
    qsizetype topLine() const;
    void scrollToLine(qsizetype row);

    // The selection runs from an anchor line to a cursor line, both included, so it costs the
    // same for one line or a million; it follows lines added at the top and ends with a reset.
    struct Selection {
        qsizetype first = -1, last = -1;
        bool empty() const { return first < 0; }
        qsizetype count() const { return empty() ? 0 : last - first + 1; }
    };
    Selection selection() const;
    void select(qsizetype anchor, qsizetype cursor);
    void selectAll();
    void clearSelection();
    // Puts the selected lines on the clipboard, one per line; false when nothing was copied.
    bool copy();
    QMenu* createContextMenu(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    int lineHeight() const;
    int visibleLines() const;
    void updateScrollRanges();
    qsizetype rowAt(int y) const;
    void moveCursorTo(qsizetype row);
    void ensureVisible(qsizetype row);

    LineStore store_;
    QTimer followTimer_;
    std::uint64_t shownRevision_ = ~std::uint64_t { 0 };
    qsizetype widestLine_ = 0; // in characters, over the lines seen so far
    qsizetype anchor_ = -1, cursor_ = -1; // -1: nothing selected
};
