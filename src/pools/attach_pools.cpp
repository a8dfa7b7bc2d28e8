#include "pools/attach_pools.h"

#include "app/tform1.h"
#include "pools/tform_gol.h"
#include "pools/tform_loteca.h"

#include <QPushButton>

void attachPools(TForm1& form)
{
    QObject::connect(form.Button15, &QPushButton::clicked, &form, [&form] {
        form.guarded([&form] {
            TFormLoteca window(&form, &form);
            window.exec();
        });
    });
    QObject::connect(form.Button4, &QPushButton::clicked, &form, [&form] {
        form.guarded([&form] {
            TFormGOL window(&form, &form);
            window.exec();
        });
    });
}
