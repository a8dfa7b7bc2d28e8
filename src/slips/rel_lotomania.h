#pragma once

#include "slips/number_slip.h"

// The Lotomania slip: one bet of 50 numbers out of 100 per slip, with the mirror-bet box.
class RelLotomania : public NumberSlip
{
public:
    RelLotomania(const LineStore& closing, const PrintSettings& settings);

    void BeforePrint() override { RelLotomaniaBeforePrint(); }
    void NeedData(bool& more) override { RelLotomaniaNeedData(more); }
    void RelLotomaniaBeforePrint();
    void RelLotomaniaNeedData(bool& more);

protected:
    // The 150 characters of a bet do not fit one label: numbers 1 to 25 and 26 to 50.
    void fillBetTexts(int cursor) override;
};
