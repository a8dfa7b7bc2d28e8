#pragma once

#include <QObject>

class QPushButton;
class BetContext;

// "Otimizar Fechamento" on the closing tab: runs the closing optimizer on the closing and the
// bet of the main window until "Parar", then leaves the smallest verified complete closing.
class OptimizerPanel : public QObject
{
    Q_OBJECT
public:
    explicit OptimizerPanel(BetContext& context);

    QPushButton* ButtonOptimize;
    void ButtonOptimizeClick();

private:
    void run();
    void finishRun();
    BetContext& context_;
};

// Binds the optimizer to the main window.
void attachOptimizer(BetContext& context);
