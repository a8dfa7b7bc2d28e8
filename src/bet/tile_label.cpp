#include "bet/tile_label.h"

#include "engine/generate/line_format.h"

#include <QMouseEvent>

TileLabel::TileLabel(int number, QWidget* parent)
    : QLabel(LineFormat::numberText(number), parent)
    , number_(number)
{
    setObjectName(QStringLiteral("StaticText%1").arg(number));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    showState(Board::State::Free);
}

void TileLabel::showState(Board::State state)
{
    QColor colour;
    switch (state) {
    case Board::State::Free:
        colour = Qt::white;
        break;
    case Board::State::Selected:
        colour = QColor(166, 202, 240);
        break;
    case Board::State::Fixed:
        colour = QColor(255, 0, 0);
        break;
    case Board::State::OutOfRange:
        colour = palette().color(QPalette::Button);
        break;
    }
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
    setEnabled(state != Board::State::OutOfRange);
}

void TileLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && isEnabled()) emit clicked(number_);
    QLabel::mousePressEvent(event);
}
