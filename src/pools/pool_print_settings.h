#pragma once

#include "slips/print_settings.h"

class QWidget;

// The print tab's mode and calibration as the pool slips need them. A missing main window or
// print tab gives the defaults (plain paper, margins 64 and 0 mm).
PrintSettings poolPrintSettings(const QWidget* mainWindow);
