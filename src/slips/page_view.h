#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QSizeF>
#include <deque>
#include <functional>
#include <utility>

// The pages of a report one under the other, scrolled like a document. Only the pages in sight
// are painted, from images that a renderer makes on demand; a few are kept for scrolling back,
// so the memory held is that of the pages in sight, however many pages there are.
class PageView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    // A page as an image at the given resolution.
    using Renderer = std::function<QImage(int page, double dotsPerInch)>;
    static constexpr int kKeptPages = 8;
    static constexpr double kLeastZoom = 0.25, kMostZoom = 4.0;

    explicit PageView(QWidget* parent = nullptr);

    void setPages(int count, const QSizeF& pageMm, Renderer renderer);
    int pageCount() const { return count_; }
    // The page at the top of the view, from 0.
    int currentPage() const;
    void showPage(int page);

    // 1 shows a page at its paper size on the screen.
    double zoom() const { return zoom_; }
    void setZoom(double zoom);
    void fitWidth();

    int keptPages() const { return static_cast<int>(kept_.size()); }

signals:
    void currentPageChanged(int page);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    double dotsPerInch() const;
    QSize pageSize() const; // on the screen, in device-independent pixels
    qint64 pitch() const; // a page and the gap below it
    qint64 scrollTop() const; // the content's y at the view's top
    void updateScrollRanges();
    const QImage& imageOf(int page);

    int count_ = 0;
    QSizeF pageMm_;
    Renderer renderer_;
    double zoom_ = 1.0;
    int unit_ = 1; // pixels a scroll bar step stands for, so that any page count fits an int
    int shownPage_ = -1;
    std::deque<std::pair<int, QImage>> kept_; // newest first
};
