#pragma once

#include "engine/pools/loteca_closing.h"
#include "pools/pool_window.h"

#include <array>

class LineView;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The Loteca closing window: the board of 42 outcome marks, the generation run with its
// guarantee, the simulation, closing files and the slip print.
class TFormLoteca : public PoolWindow
{
    Q_OBJECT
public:
    explicit TFormLoteca(QWidget* parent = nullptr, PrintSettingsSource printSettings = {});
    ~TFormLoteca() override;

    std::array<QCheckBox*, 43> lotecaBoxes {}; // 1-based: match g, outcome c at 3(g-1)+c
    QLabel *Label10, *Label11, *Label12; // simples, duplas, triplas
    QLineEdit *Edit1, *Edit2, *Edit11, *Edit3; // D, T, G, C
    LineView* Memo1; // ticket list
    QLabel* Label1; // ticket count
    QPlainTextEdit* Memo2; // simulation
    QLineEdit* Edit12; // identification
    QCheckBox *CheckBox43, *CheckBox51; // keep list, use typed result
    QLineEdit* MaskEdit1; // typed result
    QPushButton *Button1, *Button2, *Button3, *Button4, *Button5, *Button6, *Button7, *Button8;

    bool lotecaStopFlag = true;
    LotecaClosing closing; // the masks of Memo1's rows

    // The board as a line: every checked box is an "X".
    LotecaLine marks() const;

    void FormCreate();
    void CheckBox1Click();
    void Button5Click();
    void Button3Click();
    void Edit1Exit();
    void Edit2Exit();
    void Edit11Exit();
    void Button1Click();
    void Button2Click();
    void Button4Click();
    void CheckBox51Click();
    void Button8Click();
    void Button7Click();
    void Button6Click();
    void MaskEdit1Exit();

    // The default name of a saved closing, from the fields and mark counts.
    QString defaultFileName() const;
    static QString formatMessage();

protected:
    void appendClosingRow(QStringView text) override { closing.append(text); }
    void clearClosing() override { closing.clear(); }
    qsizetype closingSize() const override { return closing.size(); }

    bool& runStopFlag() override { return lotecaStopFlag; }
    void lockForRun(bool locked) override;
    QWidget* stopCommand() const override;

private:
    QString pickMarkedSimple(int match) const;
};
