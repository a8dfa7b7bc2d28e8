#pragma once

#include "generate/line_store.h"

#include <QAbstractScrollArea>
#include <QTimer>

// The read-only multi-line text area of the main window (closing, draws, report). It paints
// only the lines in sight straight from its LineStore, so scrolling and inserting cost the same
// with ten lines or ten million. It follows the store on a short timer (and on sync()), so a
// long run can fill the store at full speed while the view catches up between time slices.
class LineView : public QAbstractScrollArea
{
    Q_OBJECT
public:
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

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int lineHeight() const;
    int visibleLines() const;
    void updateScrollRanges();

    LineStore store_;
    QTimer followTimer_;
    std::uint64_t shownRevision_ = ~std::uint64_t { 0 };
    qsizetype widestLine_ = 0; // in characters, over the lines seen so far
};
