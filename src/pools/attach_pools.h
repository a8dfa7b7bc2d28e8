#pragma once

#include "slips/print_settings.h"

#include <functional>

class QPushButton;
class WindowSeams;

// Binds the two buttons of the board tab that open the Loteca and Lotogol windows; each press
// opens a new modal window whose slips print with the print tab's settings at the time.
void attachPools(WindowSeams& window, QPushButton* loteca, QPushButton* lotogol,
    std::function<PrintSettings()> printSettings);
