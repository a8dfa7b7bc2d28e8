#include "engine/bet/modality.h"

const ModalityDefaults& modalityDefaults(Modality m)
{
    static const std::array<ModalityDefaults, 6> table { {
        { "LM", "Lotomania", 100, 60, 20, 50, 20, 17, 20, { "1", "2", "4", "8" }, true },
        { "LF", "Lotofácil", 25, 22, 15, 15, 15, 11, 15, { "1", "2", "4" }, false },
        { "MS", "Mega-Sena", 60, 12, 6, 6, 6, 3, 6, { "1", "2", "4", "8" }, false },
        { "DS", "Dupla-Sena", 50, 20, 20, 6, 6, 3, 6, { "1", "2", "4", "8" }, false },
        { "QI", "Quina", 80, 15, 5, 5, 5, 3, 5, { "1", "3", "6", "12" }, false },
        { "OU", "Outros", 0, 0, 0, 0, 0, 0, 0, {}, false },
    } };
    return table[static_cast<std::size_t>(m)];
}

QString modalityCode(Modality m)
{
    return QString::fromLatin1(modalityDefaults(m).code);
}
