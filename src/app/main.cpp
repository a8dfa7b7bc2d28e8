#include "app/application_identity.h"
#include "app/tform1.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    ApplicationIdentity::apply();
    ApplicationIdentity::loadQtTranslations();
    TForm1 form;
    form.FormCreate();
    form.show();
    return app.exec();
}
