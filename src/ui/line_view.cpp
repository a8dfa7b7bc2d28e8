#include "ui/line_view.h"

#include "ui/dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFont>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
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
    if (changes.reset) {
        widestLine_ = 0;
        clearSelection();
    } else if (changes.prepended > 0 && anchor_ >= 0) {
        anchor_ += changes.prepended;
        cursor_ += changes.prepended;
    }
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
    const Selection selected = selection();
    const QColor text = palette().color(QPalette::Text);
    const QColor highlighted = palette().color(QPalette::HighlightedText);
    bool wider = false;
    for (qsizetype row = first; row < last; ++row) {
        const int top = static_cast<int>(row - first) * h;
        const bool inSelection = row >= selected.first && row <= selected.last;
        if (inSelection)
            painter.fillRect(0, top, viewport()->width(), h, palette().color(QPalette::Highlight));
        painter.setPen(inSelection ? highlighted : text);
        painter.drawText(x, top + ascent, store_.line(row));
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
    if (event->matches(QKeySequence::Copy)) {
        copy();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
        return;
    }
    if (event->modifiers() & Qt::ShiftModifier) {
        sync();
        if (store_.empty()) return;
        if (selection().empty()) anchor_ = cursor_ = qMin(topLine(), store_.size() - 1);
        const qsizetype from = cursor_;
        const qsizetype page = visibleLines();
        switch (event->key()) {
        case Qt::Key_Up:
            return moveCursorTo(from - 1);
        case Qt::Key_Down:
            return moveCursorTo(from + 1);
        case Qt::Key_PageUp:
            return moveCursorTo(from - page);
        case Qt::Key_PageDown:
            return moveCursorTo(from + page);
        case Qt::Key_Home:
            return moveCursorTo(0);
        case Qt::Key_End:
            return moveCursorTo(store_.size() - 1);
        default:
            break;
        }
    }
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

LineView::Selection LineView::selection() const
{
    // The store may have changed since the last sync: never hand out a row it no longer has.
    const qsizetype lines = store_.size();
    if (anchor_ < 0 || lines == 0) return {};
    const qsizetype first = qMin(anchor_, cursor_), last = qMax(anchor_, cursor_);
    if (first >= lines) return {};
    return { first, qMin(last, lines - 1) };
}

void LineView::select(qsizetype anchor, qsizetype cursor)
{
    sync();
    const qsizetype lines = store_.size();
    if (lines == 0) return clearSelection();
    anchor_ = std::clamp<qsizetype>(anchor, 0, lines - 1);
    cursor_ = std::clamp<qsizetype>(cursor, 0, lines - 1);
    viewport()->update();
}

void LineView::selectAll()
{
    select(0, store_.size() - 1);
}

void LineView::clearSelection()
{
    anchor_ = cursor_ = -1;
    viewport()->update();
}

bool LineView::copy()
{
    sync();
    const Selection selected = selection();
    if (selected.empty()) return false;
    if (store_.textLength(selected.first, selected.last) > kCopyLimitBytes) {
        Dialogs::information(this,
            QStringLiteral("A seleção tem mais de 50 MB de texto e não foi copiada. "
                           "Selecione menos linhas ou use \"Salvar Fechamento\"."));
        return false;
    }
    QApplication::clipboard()->setText(store_.text(selected.first, selected.last));
    return true;
}

QMenu* LineView::createContextMenu(QWidget* parent)
{
    auto* menu = new QMenu(parent);
    QAction* copyAction = menu->addAction(QStringLiteral("Copiar"), this, &LineView::copy);
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setEnabled(!selection().empty());
    QAction* allAction
        = menu->addAction(QStringLiteral("Selecionar Tudo"), this, &LineView::selectAll);
    allAction->setShortcut(QKeySequence::SelectAll);
    allAction->setEnabled(!store_.empty());
    return menu;
}

void LineView::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createContextMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

qsizetype LineView::rowAt(int y) const
{
    const int h = qMax(1, lineHeight());
    const qsizetype offset = y < 0 ? -1 - (-1 - y) / h : y / h;
    return topLine() + offset;
}

void LineView::ensureVisible(qsizetype row)
{
    const qsizetype top = topLine();
    const qsizetype page = visibleLines();
    if (row < top)
        scrollToLine(row);
    else if (row >= top + page)
        scrollToLine(row - page + 1);
}

void LineView::moveCursorTo(qsizetype row)
{
    if (store_.empty()) return;
    row = std::clamp<qsizetype>(row, 0, store_.size() - 1);
    if (anchor_ < 0 || anchor_ >= store_.size()) anchor_ = row;
    cursor_ = row;
    ensureVisible(row);
    viewport()->update();
}

void LineView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
    sync();
    if (store_.empty()) return;
    const qsizetype row
        = std::clamp<qsizetype>(rowAt(qRound(event->position().y())), 0, store_.size() - 1);
    if ((event->modifiers() & Qt::ShiftModifier) && !selection().empty())
        cursor_ = row;
    else
        anchor_ = cursor_ = row;
    viewport()->update();
}

void LineView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mouseReleaseEvent(event);
    event->accept();
}

void LineView::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton) || anchor_ < 0)
        return QAbstractScrollArea::mouseMoveEvent(event);
    moveCursorTo(rowAt(qRound(event->position().y())));
}
