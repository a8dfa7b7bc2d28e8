#pragma once

#include "cli/command_support.h"

// "gerar": a closing for a bet as "&Gerar" makes it (the random covering generator for a time,
// or every combination where the window enumerates), then optionally completed to 100 % and
// optimized, written in the window's closing-file format.
Command generateCommand();
