#pragma once

#include "engine/pools/lotogol_closing.h"
#include "pools/pool_window.h"

#include <array>

class LineView;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The Lotogol closing window: the board of score marks for the ten teams, the generation run
// with its guarantee, the simulation, closing files, the bet value and the slip print.
class TFormGOL : public PoolWindow
{
    Q_OBJECT
public:
    explicit TFormGOL(QWidget* parent = nullptr, PrintSettingsSource printSettings = {});
    ~TFormGOL() override;

    std::array<QCheckBox*, 51> lotogolBoxes {}; // 1-based: team row r, score k at 5(r-1)+k
    QLabel *Label10, *Label11, *Label12, *Label13, *Label14; // rows with 1..5 marks
    QLineEdit *Edit11, *Edit1; // G, C
    QComboBox* ComboBox2; // bet value
    LineView* Memo1; // ticket list
    QLabel* Label1; // ticket count
    QPlainTextEdit* Memo2; // simulation
    QLineEdit* Edit12; // identification
    QCheckBox *CheckBox52, *CheckBox51; // keep list, use typed result
    QLineEdit* MaskEdit1; // typed result
    QPushButton *Button1, *Button2, *Button3, *Button4, *Button5, *Button6, *Button7, *Button10;

    bool lotogolStopFlag = true;
    LotogolClosing closing; // the packed groups of Memo1's rows

    // One of the checked scores of a team row (1..10), uniformly; empty when none is checked.
    QString PickMarkedScore(int row) const;
    QString drawnLine() const;

    void FormCreate();
    void CheckBox1Click();
    void Button5Click();
    void Button3Click();
    void Edit11Exit();
    void ComboBox2Exit();
    void Button1Click();
    void Button2Click();
    void Button4Click();
    void CheckBox51Click();
    void Button7Click();
    void Button10Click();
    void Button6Click();

    QString defaultFileName() const;
    static QString formatMessage();

protected:
    void appendClosingRow(QStringView text) override { closing.append(text); }
    void clearClosing() override { closing.clear(); }
    qsizetype closingSize() const override { return closing.size(); }

    bool& runStopFlag() override { return lotogolStopFlag; }
    void lockForRun(bool locked) override;
    QWidget* stopCommand() const override;

private:
    bool rowHasMark(int row) const;
};
