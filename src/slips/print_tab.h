#pragma once

#include "engine/bet/modality.h"
#include "slips/print_settings.h"

#include <QObject>
#include <memory>

class BetBoard;
class ClosingArea;
class RunHost;
class WindowSeams;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSlider;
class SlipReport;
class QWidget;

// The "Impressão de Bilhetes" tab: identification, "Teimosinha" and mirror bet (which follow the
// modality), official-slip mode, margin calibration and "Imprimir Fechamento", which picks the
// slip for the modality and opens its preview.
class PrintTab : public QObject
{
    Q_OBJECT
public:
    PrintTab(WindowSeams& window, RunHost& runs, const BetBoard& board, ClosingArea& closing);

    QComboBox* ComboBox2; // "Teimosinha"
    QCheckBox* CheckBox2; // "Imprimir Aposta Espelho"
    QLineEdit* Edit12; // identification
    QCheckBox* CheckBox10; // "Imprimir no Bilhete Oficial"
    QSlider* TrackBar1; // left margin adjustment
    QLineEdit* Edit45;
    QSlider* TrackBar2; // top margin adjustment
    QLineEdit* Edit46;
    QPushButton* Button12; // "Imprimir Fechamento"

    // What a slip reads from the tab (the track bars' positions, not the fields' texts).
    PrintSettings settings() const;
    // The slip report for the modality and the first closing line, or none.
    std::unique_ptr<SlipReport> chooseSlip() const;

    void Button12Click();
    void TrackBar1Change();
    void TrackBar2Change();
    void Edit45Exit();
    void Edit46Exit();
    // The repeat choices and the mirror bet of the modality chosen.
    void modalityChanged(Modality m);

    // The print tab of a main window (created by attachPrinting).
    static PrintTab* of(const QWidget& window);

private:
    WindowSeams& window_;
    RunHost& runs_;
    const BetBoard& board_;
    ClosingArea& closing_;
};

// Builds the print tab's controls and binds its handlers.
PrintTab* attachPrinting(
    WindowSeams& window, RunHost& runs, const BetBoard& board, ClosingArea& closing);
