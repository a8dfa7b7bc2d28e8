#pragma once

#include <QObject>

class BetBoard;
class BetParameters;
class DrawsArea;
class RunHost;
class WindowSeams;
class QCategoryAxis;
class QChartView;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QScatterSeries;
class QValueAxis;

// The "Comparativo de Dezenas" tab: counts the numbers of the draws area, plots them, lists
// them by frequency and puts the checked ones on the board.
class ComparisonChart : public QObject
{
    Q_OBJECT
public:
    ComparisonChart(WindowSeams& window, RunHost& runs, const BetParameters& parameters,
        BetBoard& board, DrawsArea& draws);

    QChartView* ChartView1;
    QScatterSeries* Series1;
    QListWidget* CheckListBox1;
    QLabel* Label116; // checked count
    QPushButton* Button22; // "Gráfico Comparativo"
    QPushButton* Button23; // "Marcar Dezenas Selecionadas"

    // Empties the chart and the list, whose draws are gone.
    void reset();

    void Button22Click();
    void CheckListBox1ClickCheck();
    void Button23Click();

    int checkedCount() const;

private:
    void clearAxisLabels();
    void setCountRange(int top);

    WindowSeams& window_;
    RunHost& runs_;
    const BetParameters& parameters_;
    BetBoard& board_;
    DrawsArea& draws_;
    QCategoryAxis* axisX_;
    QValueAxis* axisY_;
};

void attachChart(WindowSeams& window, RunHost& runs, const BetParameters& parameters,
    BetBoard& board, DrawsArea& draws);
