#pragma once

class ClosingArea;
class RunHost;
class RunStatus;
class WindowSeams;

// What the reducer tabs use of the main window: its pages and guard, its runs with their status
// line, and the closing they cut.
struct ReducerRoles {
    WindowSeams& window;
    RunHost& runs;
    RunStatus& status;
    ClosingArea& closing;
};
