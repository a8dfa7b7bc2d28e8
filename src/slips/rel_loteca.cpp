#include "slips/rel_loteca.h"

#include "app/dialogs.h"
#include "pools/tform_loteca.h"

void RelLoteca::preview(TFormLoteca& window)
{
    Dialogs::information(&window, QStringLiteral("Impressão dos bilhetes da LOTECA indisponível."));
}
