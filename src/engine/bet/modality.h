#pragma once

#include <QString>
#include <QStringList>
#include <array>

// The six number-lottery modalities, in the order of their switches.
enum class Modality { Lotomania, Lotofacil, MegaSena, DuplaSena, Quina, Outros };

// What choosing a modality writes (Outros writes nothing).
struct ModalityDefaults {
    const char* code; // file name code: "LM", "LF", ...
    const char* name; // switch caption
    int U, T, S, K, D, G, C;
    QStringList repeatChoices; // "Teimosinha" list
    bool mirrorBet; // mirror-bet box shown
};

const ModalityDefaults& modalityDefaults(Modality m);
QString modalityCode(Modality m);
