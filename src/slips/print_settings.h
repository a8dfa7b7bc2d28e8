#pragma once

#include <QString>

// What the slips read from the print tab while they run: the calibration and mode for every
// slip, the marks of the number-lottery slips.
struct PrintSettings {
    QString identification; // "Identificação a ser impressa nos bilhetes"
    QString teimosinha = QStringLiteral("1"); // the chosen repeat-draw item's text
    bool mirrorBet = false; // "Imprimir Aposta Espelho"
    bool officialSlip = false; // "Imprimir no Bilhete Oficial"
    int leftMarginMm = 64; // TrackBar1 position
    int topMarginMm = 0; // TrackBar2 position
};
