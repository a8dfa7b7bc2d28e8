#pragma once

#include "engine/bet/modality.h"

#include <QObject>
#include <QString>
#include <array>

class BetContext;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;
class TileLabel;

// The "Seleção das Dezenas a Apostar" tab: the board of 100 tiles with its counts and number
// lines, the modalities with the highest number, the bet's commands and the doors to the pool
// windows and the About window. The board itself is the context's; this tab shows it.
class BoardTab : public QObject
{
    Q_OBJECT
public:
    BoardTab(BetContext& context, QWidget* page);

    Modality modality() const;
    QLineEdit* highestNumberField() const { return Edit8; }
    QPushButton* lotecaButton() const { return Button15; }
    QPushButton* lotogolButton() const { return Button4; }

    void refresh(); // tiles, counts and number lines from the board
    int CountSelected();
    int CountFixed();
    QString SelectedText() const;
    QString FixedText() const;
    QString selectedLine() const; // as shown
    QString fixedLine() const;
    QString selectedCountShown() const;
    void ApplyNumberRange();
    void MarkSelected(const QString& line, bool clearFirst);
    void MarkFixed(const QString& line, bool clearFirst);

    // A modality switch: its picture, and whether the highest number may be typed.
    void showModality(Modality m);
    void lock(bool locked);

    // Handlers
    void StaticText1Click(int n);
    void Button7Click(); // "Limpar Bilhete"
    void Button8Click(); // "&Sortear Bilhete"
    void Button16Click(); // "Sobre"
    void Edit8Exit();

private:
    void showTiles();
    QRadioButton* modalityButton(Modality m) const;

    BetContext& context_;
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
