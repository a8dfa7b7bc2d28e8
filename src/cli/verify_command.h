#pragma once

#include "cli/command_support.h"

// "conferir": a closing checked against a draws file, with the report lines of "Simulação e
// Conferência" in the mode "Usar Arquivo para Conferir".
Command verifyCommand();
