#pragma once

#include <QObject>

class QCategoryAxis;
class QLabel;
class QListWidgetItem;
class QPushButton;
class QValueAxis;
class TForm1;

// The "Comparativo de Dezenas" tab: counts the numbers of the draws area, plots them, lists
// them by frequency and puts the checked ones on the board.
class ComparisonChart : public QObject
{
    Q_OBJECT
public:
    explicit ComparisonChart(TForm1& form);

    QPushButton* Button22; // "Gráfico Comparativo"

    void Button22Click();
    void CheckListBox1ClickCheck();
    void Button23Click();

    int checkedCount() const;

private:
    void clearAxisLabels();
    void setCountRange(int top);

    TForm1& form_;
    QCategoryAxis* axisX_;
    QValueAxis* axisY_;
};

void attachChart(TForm1& form);
