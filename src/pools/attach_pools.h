#pragma once

class BetContext;
class QPushButton;

// Binds the main window's Loteca and Lotogol buttons: each press opens a new modal window.
void attachPools(BetContext& context, QPushButton* loteca, QPushButton* lotogol);
