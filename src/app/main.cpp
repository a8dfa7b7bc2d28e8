#include "app/tform1.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QUIRVA"));
    QApplication::setApplicationDisplayName(QStringLiteral("QUIRVA"));
    TForm1 form;
    form.FormCreate();
    form.show();
    return app.exec();
}
