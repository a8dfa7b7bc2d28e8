#pragma once

#include "engine/bet/modality.h"
#include "ui/bet_board.h"

#include <QObject>
#include <QString>
#include <array>

class BetParameters;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;
class RunHost;
class SettingsPage;
class TileLabel;
class WindowSeams;

// The "Seleção das Dezenas a Apostar" tab: the board of 100 tiles with its counts and number
// lines, the modalities with the highest number, the bet's commands and the doors to the pool
// windows and the About window. It shows the window's board and plays the bet's board role.
class BoardTab : public QObject, public BetBoard
{
    Q_OBJECT
public:
    BoardTab(WindowSeams& window, RunHost& runs, BetParameters& parameters, Board& board,
        const SettingsPage& settings);
    void build(QWidget* page);

    // --- the board role
    Modality modality() const override;
    Board& board() override { return board_; }
    void refresh() override;
    void clear() override { Button7Click(); }
    void drawRandomBet() override { Button8Click(); }
    int countSelected() const override;
    int countFixed() const override;
    std::vector<int> selectedNumbers() const override;
    QString selectedLine() const override; // as shown
    QString fixedLine() const override;
    QString selectedCountShown() const override;
    void markSelected(const QString& line, bool clearFirst) override;
    void markFixed(const QString& line, bool clearFirst) override;

    QLineEdit* highestNumberField() const { return Edit8; }
    QPushButton* lotecaButton() const { return Button15; }
    QPushButton* lotogolButton() const { return Button4; }
    QPushButton* aboutButton() const { return Button16; }
    // A modality switch: its picture, and whether the highest number may be typed.
    void showModality(Modality m);
    void lock(bool locked);

    // Handlers and helpers by their documented names; the counts also show themselves.
    void StaticText1Click(int n);
    void Button7Click(); // "Limpar Bilhete"
    void Button8Click(); // "&Sortear Bilhete"
    void Edit8Exit();
    int CountSelected();
    int CountFixed();
    QString SelectedText() const;
    QString FixedText() const;
    void ApplyNumberRange();

private:
    void showTiles();
    QRadioButton* modalityButton(Modality m) const;

    WindowSeams& window_;
    RunHost& runs_;
    BetParameters& parameters_;
    Board& board_;
    const SettingsPage& settings_;
    std::array<TileLabel*, 101> tiles {};
    QRadioButton *RadioButton1, *RadioButton2, *RadioButton3, *RadioButton4, *RadioButton5,
        *RadioButton6;
    QLineEdit* Edit8; // U
    QPushButton *Button7, *Button8; // "Limpar Bilhete", "&Sortear Bilhete"
    QLabel *Label20, *Label21, *Label22; // selected, fixed, total counts
    QLineEdit *Edit9, *Edit11; // selected and fixed number lines
    std::array<QLabel*, 5> images {}; // the modalities' pictures
    QPushButton *Button4, *Button15, *Button16; // Lotogol, Loteca, About
};
