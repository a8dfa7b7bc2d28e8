#pragma once

#include <functional>

class LineView;

// The draws the closing is checked against, on the "Simulação e Conferência" tab, and what is
// built from them. Implemented by the verification panel, which builds the tab.
class DrawsArea
{
public:
    virtual ~DrawsArea() = default;

    virtual LineView& draws() = 0;
    // Switches the verification to the draws ("Usar Arquivo para Conferir"), as its click.
    virtual void verifyAgainstDraws() = 0;
    // What was built from the draws goes stale when they or the modality change: `reset` runs
    // then.
    virtual void onDrawsReset(std::function<void()> reset) = 0;
    virtual void drawsReset() = 0;
};
