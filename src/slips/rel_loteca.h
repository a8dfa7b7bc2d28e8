#pragma once

class TFormLoteca;

// The Loteca slip report: one ticket of the Loteca window per slip.
class RelLoteca
{
public:
    // Builds the report over the window's ticket list and shows its modal preview.
    static void preview(TFormLoteca& window);
};
