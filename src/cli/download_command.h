#pragma once

#include "cli/command_support.h"

// "baixar": the results of a range of contests, as "Baixar" fetches them (the settings, the
// cache and the checks of the window), written as a draws file for "conferir".
Command downloadCommand();
