#include "pools/attach_pools.h"

#include "pools/tform_gol.h"
#include "pools/tform_loteca.h"
#include "ui/window_seams.h"

#include <QPushButton>

void attachPools(WindowSeams& window, QPushButton* loteca, QPushButton* lotogol,
    std::function<PrintSettings()> printSettings)
{
    QWidget* host = &window.host();
    QObject::connect(loteca, &QPushButton::clicked, host, [&window, host, printSettings] {
        window.guarded([host, printSettings] {
            TFormLoteca pool(host, printSettings);
            pool.exec();
        });
    });
    QObject::connect(lotogol, &QPushButton::clicked, host, [&window, host, printSettings] {
        window.guarded([host, printSettings] {
            TFormGOL pool(host, printSettings);
            pool.exec();
        });
    });
}
