#pragma once

#include "slips/print_settings.h"
#include "ui/run_host.h"
#include "ui/run_rules.h"

#include <QDialog>
#include <QPushButton>
#include <QStringView>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

class FieldExitFilter;
class LineView;
class QLabel;

// What the two football-pool windows share: modal, fixed size and centred, handlers run under
// the error guard, field exit handlers, no closing while a generation run is active, and the
// ticket list with its count, kept row for row beside the window's closing. The window runs
// its own generation job.
class PoolWindow : public QDialog, public RunHost
{
    Q_OBJECT
public:
    // The print tab's mode and calibration, which the window's slips use.
    using PrintSettingsSource = std::function<PrintSettings()>;
    // Without a source the slips print with the defaults (plain paper, margins 64 and 0 mm).
    explicit PoolWindow(QWidget* parent = nullptr, PrintSettingsSource printSettings = {});

    // Runs a handler; an error shows its message and puts the window back in its idle state.
    void guarded(const std::function<void()>& handler);
    // Calls handler when a field loses focus.
    void onExit(QWidget* field, std::function<void()> handler);
    bool running() const { return jobs_.current().has_value(); }
    bool mayRun(Command command) override;
    PrintSettings printSettings() const;

    void reject() override;

    void appendTicket(const QString& text);
    void clearTickets();

protected:
    // Each button runs its handler of the window W under the error guard.
    template <typename W>
    void bindClicks(std::initializer_list<std::pair<QPushButton*, void (W::*)()>> bindings)
    {
        // Plain copies, not structured bindings: clang 14 cannot capture those.
        for (const auto& binding : bindings) {
            void (W::*handler)() = binding.second;
            connect(binding.first, &QPushButton::clicked, this, [this, handler] {
                guarded([this, handler] { (static_cast<W*>(this)->*handler)(); });
            });
        }
    }
    // The list the tickets are shown in and the label that counts them.
    void setTicketList(LineView* list, QLabel* count);
    void showTicketCount();
    // The window's closing, which mirrors the ticket list row for row.
    virtual void appendClosingRow(QStringView text) = 0;
    virtual void clearClosing() = 0;
    virtual qsizetype closingSize() const = 0;

    // Fixes the window at its laid-out size and centres it on the screen.
    void settleGeometry();
    void closeEvent(QCloseEvent* event) override;

    JobState& runState() override { return jobs_; }
    std::vector<QWidget*> commandsOffWhileRunning(Job) const override { return {}; }

private:
    bool refuseClose();
    JobState jobs_;
    FieldExitFilter* exitFilter_;
    PrintSettingsSource printSettings_;
    LineView* ticketList_ = nullptr;
    QLabel* ticketCount_ = nullptr;
};
