#pragma once

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
// ticket list with its count, kept row for row beside the window's closing.
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

    // Unlocks what a run locked and raises the stop flag.
    virtual void restoreAfterError() = 0;
    // Fixes the window at its laid-out size and centres it on the screen.
    void settleGeometry();
    void closeEvent(QCloseEvent* event) override;

private:
    bool refuseClose();
    FieldExitFilter* exitFilter_;
    LineView* ticketList_ = nullptr;
    QLabel* ticketCount_ = nullptr;
};
