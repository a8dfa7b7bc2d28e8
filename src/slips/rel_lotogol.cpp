#include "slips/rel_lotogol.h"

#include "app/dialogs.h"
#include "pools/tform_gol.h"

void RelLotogol::preview(TFormGOL& window)
{
    Dialogs::information(
        &window, QStringLiteral("Impressão dos bilhetes da LOTOGOL indisponível."));
}
