#include "slips/page_view.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <climits>
#include <cmath>

namespace {
constexpr int kGap = 12;
}

PageView::PageView(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(40);
}

void PageView::setPages(int count, const QSizeF& pageMm, Renderer renderer)
{
    count_ = std::max(0, count);
    pageMm_ = pageMm;
    renderer_ = std::move(renderer);
    kept_.clear();
    updateScrollRanges();
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

double PageView::dotsPerInch() const
{
    return logicalDpiY() * zoom_;
}

QSize PageView::pageSize() const
{
    return QSize(qRound(pageMm_.width() / 25.4 * dotsPerInch()),
        qRound(pageMm_.height() / 25.4 * dotsPerInch()));
}

qint64 PageView::pitch() const
{
    return pageSize().height() + kGap;
}

qint64 PageView::scrollTop() const
{
    return qint64(verticalScrollBar()->value()) * unit_;
}

int PageView::currentPage() const
{
    if (count_ == 0) return 0;
    return static_cast<int>(std::clamp<qint64>(scrollTop() / pitch(), 0, count_ - 1));
}

void PageView::showPage(int page)
{
    page = std::clamp(page, 0, std::max(count_ - 1, 0));
    verticalScrollBar()->setValue(static_cast<int>(page * pitch() / unit_));
}

void PageView::setZoom(double zoom)
{
    zoom = std::clamp(zoom, kLeastZoom, kMostZoom);
    if (zoom == zoom_) return;
    const int page = currentPage();
    zoom_ = zoom;
    kept_.clear();
    updateScrollRanges();
    showPage(page);
    viewport()->update();
}

void PageView::fitWidth()
{
    if (pageMm_.width() <= 0) return;
    const double widthAtOne = pageMm_.width() / 25.4 * logicalDpiY();
    setZoom((viewport()->width() - 2 * kGap) / widthAtOne);
}

void PageView::updateScrollRanges()
{
    const qint64 total = count_ * pitch() + kGap;
    unit_ = static_cast<int>(std::max<qint64>(1, total / (INT_MAX / 2) + 1));
    const qint64 room = std::max<qint64>(0, total - viewport()->height());
    verticalScrollBar()->setRange(0, static_cast<int>(room / unit_));
    verticalScrollBar()->setPageStep(std::max(1, viewport()->height() / unit_));
    verticalScrollBar()->setSingleStep(std::max(1, 40 / unit_));
    const int width = pageSize().width() + 2 * kGap;
    horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
}

const QImage& PageView::imageOf(int page)
{
    for (auto it = kept_.begin(); it != kept_.end(); ++it)
        if (it->first == page) {
            if (it != kept_.begin()) {
                auto entry = std::move(*it);
                kept_.erase(it);
                kept_.push_front(std::move(entry));
            }
            return kept_.front().second;
        }
    const double ratio = devicePixelRatioF();
    QImage image = renderer_ ? renderer_(page, dotsPerInch() * ratio) : QImage();
    image.setDevicePixelRatio(ratio);
    kept_.emplace_front(page, std::move(image));
    while (static_cast<int>(kept_.size()) > kKeptPages)
        kept_.pop_back();
    return kept_.front().second;
}

void PageView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const QSize size = pageSize();
    const int left
        = std::max(kGap, (viewport()->width() - size.width()) / 2) - horizontalScrollBar()->value();
    const qint64 top = scrollTop();
    const int first = currentPage();
    for (int page = std::max(0, first - 1); page < count_; ++page) {
        const qint64 y = kGap + page * pitch() - top;
        if (y >= event->rect().bottom() + 1) break;
        const QRect target(left, static_cast<int>(y), size.width(), size.height());
        if (!target.intersects(event->rect())) continue;
        painter.fillRect(target.translated(3, 3), palette().shadow());
        const QImage& image = imageOf(page);
        if (image.isNull())
            painter.fillRect(target, Qt::white);
        else
            painter.drawImage(target, image);
    }
    if (first != shownPage_) {
        shownPage_ = first;
        emit currentPageChanged(first);
    }
}

void PageView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRanges();
}

void PageView::scrollContentsBy(int, int)
{
    viewport()->update();
}
