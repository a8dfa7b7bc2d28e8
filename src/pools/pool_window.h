#pragma once

#include "app/run_rules.h"

#include <QDialog>
#include <functional>
#include <utility>
#include <vector>

class FieldExitFilter;

// What the two football-pool windows share: modal, fixed size and centred, handlers run under
// the error guard, field exit handlers, and no closing while a generation run is active.
class PoolWindow : public QDialog
{
    Q_OBJECT
public:
    explicit PoolWindow(QWidget* parent = nullptr);

    // Runs a handler; an error shows its message and puts the window back in its idle state.
    void guarded(const std::function<void()>& handler);
    // Calls handler when a field loses focus.
    void onExit(QWidget* field, std::function<void()> handler);
    virtual bool running() const = 0;
    // The window's own long job, its generation run.
    virtual Job job() const = 0;
    // True when command may run now; otherwise tells the player why not and changes nothing.
    bool mayRun(Command command);

    void reject() override;

protected:
    // Unlocks what a run locked and raises the stop flag.
    virtual void restoreAfterError() = 0;
    // Fixes the window at its laid-out size and centres it on the screen.
    void settleGeometry();
    void closeEvent(QCloseEvent* event) override;

private:
    bool refuseClose();
    FieldExitFilter* exitFilter_;
};
