#pragma once

#include "engine/bet/modality.h"

#include <QString>

// The texts of the parameter fields, as the window holds them. Values are converted at each
// use; a text that is not an integer throws ConversionError at the step that reads it.
struct ParameterFields {
    QString T; // Edit1  total numbers bet
    QString K; // Edit2  numbers per ticket
    QString F; // Edit10 fixed numbers
    QString D; // Edit4  numbers drawn
    QString G; // Edit5  guarantee wanted
    QString C; // Edit6  hit condition
    QString U; // Edit8  highest number
    QString S; // Edit13 numbers per simulated draw
};

// K, D and G written alike: only the list of every combination keeps such a guarantee, so
// "&Gerar" enumerates instead of running the random generator. Compared as the texts are.
bool enumeratesEveryCombination(const ParameterFields& fields);

// Steps 1..14 of the normalisation: modality bounds, then the chain of clamps between
// T, K, D, G, C and F. Only fields whose value changes are rewritten.
void normaliseParameters(ParameterFields& fields, Modality modality);
// Step 19: the simulated draw size stays within F .. D.
void clampSimulatedDrawSize(ParameterFields& fields);
// Writes a modality's defaults in the switch's order (U, T, F, S, K, D, G, C).
void applyModalityDefaults(ParameterFields& fields, Modality modality);

// The outcome of leaving U (Outros): T follows U upwards, U is capped at 100.
void leaveHighestNumber(ParameterFields& fields);

// Typed-result mask for D numbers: "99 99 ...;1;_".
QString typedResultMask(int D);
