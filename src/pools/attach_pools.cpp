#include "pools/attach_pools.h"

#include "app/bet_context.h"
#include "pools/tform_gol.h"
#include "pools/tform_loteca.h"

#include <QPushButton>

void attachPools(BetContext& context, QPushButton* loteca, QPushButton* lotogol)
{
    QWidget* window = &context.host();
    QObject::connect(loteca, &QPushButton::clicked, window, [&context, window] {
        context.guarded([window] {
            TFormLoteca pool(window, window);
            pool.exec();
        });
    });
    QObject::connect(lotogol, &QPushButton::clicked, window, [&context, window] {
        context.guarded([window] {
            TFormGOL pool(window, window);
            pool.exec();
        });
    });
}
