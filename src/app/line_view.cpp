#include "app/line_view.h"

#include <QFont>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

LineView::LineView(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(8);
    setFont(f);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    followTimer_.setInterval(50);
    connect(&followTimer_, &QTimer::timeout, this, &LineView::sync);
    followTimer_.start();
    connect(
        verticalScrollBar(), &QScrollBar::valueChanged, viewport(), qOverload<>(&QWidget::update));
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, viewport(),
        qOverload<>(&QWidget::update));
}

int LineView::lineHeight() const
{
    return fontMetrics().height();
}

int LineView::visibleLines() const
{
    return qMax(1, viewport()->height() / qMax(1, lineHeight()));
}

qsizetype LineView::topLine() const
{
    return verticalScrollBar()->value();
}

void LineView::scrollToLine(qsizetype row)
{
    sync();
    verticalScrollBar()->setValue(static_cast<int>(std::clamp<qsizetype>(row, 0, INT_MAX)));
}

void LineView::sync()
{
    const LineStore::Changes changes = store_.takeChanges();
    if (store_.revision() == shownRevision_ && !changes.reset) return;
    shownRevision_ = store_.revision();
    if (changes.reset) widestLine_ = 0;
    // Lines added at the top push the content down, as in a text area: keep the first line the
    // user was looking at unless the view stood at the very top.
    const int value = verticalScrollBar()->value();
    updateScrollRanges();
    if (changes.reset)
        verticalScrollBar()->setValue(0);
    else if (value > 0 && changes.prepended > 0)
        verticalScrollBar()->setValue(
            static_cast<int>(qMin<qsizetype>(value + changes.prepended, INT_MAX)));
    viewport()->update();
}

void LineView::updateScrollRanges()
{
    const qsizetype lines = store_.size();
    const int page = visibleLines();
    verticalScrollBar()->setPageStep(page);
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setRange(
        0, static_cast<int>(std::clamp<qsizetype>(lines - page, 0, INT_MAX)));
    const qsizetype first = verticalScrollBar()->value();
    for (qsizetype i = first; i < qMin(lines, first + page + 1); ++i)
        widestLine_ = qMax(widestLine_, store_.length(i));
    const int width
        = static_cast<int>(widestLine_) * fontMetrics().horizontalAdvance(QLatin1Char('0')) + 8;
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setRange(0, qMax(0, width - viewport()->width()));
}

void LineView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Text));
    const int h = lineHeight();
    const qsizetype first = verticalScrollBar()->value();
    const qsizetype last = qMin(store_.size(), first + visibleLines() + 1);
    const int x = 2 - horizontalScrollBar()->value();
    const int ascent = fontMetrics().ascent();
    bool wider = false;
    for (qsizetype row = first; row < last; ++row) {
        painter.drawText(x, static_cast<int>(row - first) * h + ascent, store_.line(row));
        if (store_.length(row) > widestLine_) {
            widestLine_ = store_.length(row);
            wider = true;
        }
    }
    if (wider) QTimer::singleShot(0, this, &LineView::updateScrollRanges);
}

void LineView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRanges();
}

void LineView::keyPressEvent(QKeyEvent* event)
{
    QScrollBar* bar = verticalScrollBar();
    switch (event->key()) {
    case Qt::Key_Up:
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case Qt::Key_Down:
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    case Qt::Key_PageUp:
        bar->triggerAction(QAbstractSlider::SliderPageStepSub);
        break;
    case Qt::Key_PageDown:
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        break;
    case Qt::Key_Home:
        bar->triggerAction(QAbstractSlider::SliderToMinimum);
        break;
    case Qt::Key_End:
        bar->triggerAction(QAbstractSlider::SliderToMaximum);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void LineView::setVerticalScrollAllowed(bool allowed)
{
    setVerticalScrollBarPolicy(allowed ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}
