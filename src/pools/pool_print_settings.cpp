#include "pools/pool_print_settings.h"

#include <QWidget>

#include <QAbstractSlider>
#include <QCheckBox>

PrintSettings poolPrintSettings(const QWidget* mainWindow)
{
    PrintSettings settings;
    if (!mainWindow) return settings;
    // Found by name: the print tab's controls belong to the slip printing of the main window.
    if (auto* official = mainWindow->findChild<QCheckBox*>(QStringLiteral("CheckBox10")))
        settings.officialSlip = official->isChecked();
    if (auto* left = mainWindow->findChild<QAbstractSlider*>(QStringLiteral("TrackBar1")))
        settings.leftMarginMm = left->value();
    if (auto* top = mainWindow->findChild<QAbstractSlider*>(QStringLiteral("TrackBar2")))
        settings.topMarginMm = top->value();
    return settings;
}
