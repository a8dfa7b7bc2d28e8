#pragma once

#include <QObject>

class QPushButton;
class TForm1;

// "Otimizar Fechamento" on the closing tab: runs the closing optimizer on the closing and the
// bet of the main window until "Parar", then leaves the smallest verified complete closing.
class OptimizerPanel : public QObject
{
    Q_OBJECT
public:
    explicit OptimizerPanel(TForm1& form);

    QPushButton* ButtonOptimize;
    void ButtonOptimizeClick();

private:
    void run();
    void finishRun();
    TForm1& form_;
};

// Binds the optimizer to the main window.
void attachOptimizer(TForm1& form);
