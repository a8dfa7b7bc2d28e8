#pragma once

#include "engine/generate/line_store.h"
#include "engine/generate/ticket_mask.h"

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

// Checks a closing against a sample of draws and writes the report, one slice of work per
// step() so that the window can let messages through and stop between draws. Hit counts use
// the masks where both lines are regular and the literal text comparison otherwise.
class VerificationEngine
{
public:
    struct Setup {
        int D = 0; // numbers drawn: the tally lists 0..D hits
        int G = 0; // a draw is guaranteed when some ticket has at least G hits
        bool detail = false;
        QString selectedLine; // the bet's numbers, for the per-draw result line
        QString selectedCount;
        // Past this size of the report the detail lines stop (the tally goes on), so that a
        // huge detailed run cannot exhaust memory.
        std::size_t detailByteLimit = std::size_t { 3 } << 30;
    };

    VerificationEngine(
        const LineStore& closing, const LineStore& draws, LineStore& report, const Setup& setup);

    // Zeroes the tally, clears the report and writes its heading.
    void begin();
    bool drawsLeft() const { return nextDraw_ < drawCount(); }
    // True while a draw has been started and not all its tickets were checked.
    bool midDraw() const { return ticket_ > 0; }
    // Checks up to `tickets` tickets of the current draw.
    void step(qsizetype tickets = 8192);
    // With the detail on, one draw against a large closing writes for seconds: Parar may then
    // drop the draw under way, its hits and its report lines, as if it had not begun. False
    // (nothing dropped) without the detail, where a draw takes milliseconds.
    bool abandonDraw();

    // The closing's totals, one hit count per call.
    void beginTotals();
    bool totalsLeft() const { return nextTotal_ <= setup_.D; }
    void writeNextTotal();
    // The summary over the draws checked; an interrupted run says how far it got.
    void writeSummary();

    qsizetype drawCount() const { return draws_.size(); }
    qsizetype drawsChecked() const { return nextDraw_ - (midDraw() ? 1 : 0); }
    qsizetype failures() const { return failures_; }
    const std::array<std::int64_t, 101>& hitTally() const { return hitTally_; }
    int nextTotal() const { return nextTotal_; }

private:
    void startDraw();
    void finishDraw();
    void add(const QString& text);

    const LineStore& closing_;
    const LineStore& draws_;
    LineStore& report_;
    Setup setup_;

    std::vector<TicketMask> masks_; // the closing's masks side by side for the popcount loop
    std::vector<std::uint8_t> regular_;
    bool allRegular_ = true;
    LineFormat::LineInfo selected_;

    std::array<std::int64_t, 101> hitTally_ {};
    qsizetype failures_ = 0;
    qsizetype nextDraw_ = 0; // the draw being checked is nextDraw_ - 1 while midDraw()
    qsizetype ticket_ = 0;
    bool guaranteed_ = false;
    bool detail_ = false;
    QString drawText_;
    TicketMask drawMask_;
    bool drawRegular_ = false;
    int nextTotal_ = 0;
    // What a dropped draw puts back (detail only).
    std::array<std::int64_t, 101> tallyBeforeDraw_ {};
    qsizetype reportBeforeDraw_ = 0;
    bool detailBeforeDraw_ = false;
};
