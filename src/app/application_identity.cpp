#include "app/application_identity.h"

#include <QGuiApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ApplicationIdentity {

void apply()
{
    QCoreApplication::setApplicationName(kApplicationName);
    QGuiApplication::setDesktopFileName(kDesktopEntry);
    QIcon icon;
    for (const char* size : { "48", "128" })
        icon.addFile(QStringLiteral(":/icons/quirva-%1.png").arg(QLatin1String(size)));
    QGuiApplication::setWindowIcon(icon);
}

void loadQtTranslations()
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto* translator = new QTranslator(QCoreApplication::instance());
    // A language Qt has no translation for (the C locale too) gets the window's own language.
    if (translator->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"), folder)
        || translator->load(QStringLiteral("qtbase_pt_BR"), folder))
        QCoreApplication::installTranslator(translator);
}

} // namespace ApplicationIdentity
