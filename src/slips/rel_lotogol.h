#pragma once

class TFormGOL;

// The Lotogol slip report: one ticket of the Lotogol window per slip, with the bet value.
class RelLotogol
{
public:
    // Builds the report over the window's ticket list and shows its modal preview.
    static void preview(TFormGOL& window);
};
