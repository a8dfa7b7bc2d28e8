#pragma once

#include "engine/bet/modality.h"
#include "engine/bet/parameters.h"

#include <QString>
#include <functional>

class QWidget;

// The closing parameters as their fields hold them, converted at every use (a field that is not
// a number raises the conversion error where it is read). The main window implements it: its
// parameter panel holds T, K, F, D, G and C, beside the highest number and the simulated draw
// size that other panels place.
class BetParameters
{
public:
    virtual ~BetParameters() = default;

    virtual ParameterFields fields() const = 0;
    virtual void setFields(const ParameterFields& fields) = 0;
    virtual int T() const = 0;
    virtual int K() const = 0;
    virtual int F() const = 0;
    virtual int D() const = 0;
    virtual int G() const = 0;
    virtual int C() const = 0;
    virtual int U() const = 0;
    // "Total de Dezenas a Apostar" and "Dezenas Fixas" as typed.
    virtual void setT(const QString& text) = 0;
    virtual void setF(const QString& text) = 0;

    // Checks and corrects every field, and what follows from them (odds, captions, masks).
    virtual void normalise() = 0;
    // Leaving a field that sizes the bet: the normalisation, then the reducer tabs K opens.
    virtual void betSizeFieldLeft() = 0;
    // Runs handler when a field placed outside the parameter panel loses focus, as the panel's
    // own fields do: not while a run forbids editing the parameters.
    virtual void onParameterFieldExit(QWidget* field, std::function<void()> handler) = 0;
    // The player chose a lottery: its parameters, board range and tabs.
    virtual void switchModality(Modality m) = 0;
};
