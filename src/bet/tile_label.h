#pragma once

#include "engine/bet/board.h"

#include <QLabel>

// One number tile of the board: a sunken label that reports clicks and shows a state colour.
class TileLabel : public QLabel
{
    Q_OBJECT
public:
    TileLabel(int number, QWidget* parent);
    int number() const { return number_; }
    void showState(Board::State state);

signals:
    void clicked(int number);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    int number_;
};
