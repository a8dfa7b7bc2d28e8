#pragma once

class TForm1;

// Binds the main window's Loteca and Lotogol buttons: each press opens a new modal window.
void attachPools(TForm1& form);
