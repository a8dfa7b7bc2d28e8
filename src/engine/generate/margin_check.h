#pragma once

#include "engine/base/random_source.h"
#include "engine/generate/combination_index.h"
#include "engine/generate/line_store.h"
#include "engine/generate/ticket_mask.h"

#include <QChar>
#include <QString>
#include <QStringList>
#include <vector>

// The margin of a closing: every draw with exactly C numbers among the bet (all fixed numbers
// plus C - F selected ones) is compared with the closing, newest line first, and counted as
// covered when some line shares G numbers with it. With completion, each uncovered draw
// becomes a ticket at once (its numbers first, topped up at random from the bet), appended at
// the end of the closing, so that afterwards the closing covers every such draw.
//
// Widget-free and resumable: advance() examines a chunk of draws. The completion is also
// usable on its own (see completeToMarginZero) by code that wants a closing with margin 0.
class MarginCheck
{
public:
    struct Setup {
        int K = 0, F = 0, G = 0, C = 0;
        std::vector<int> selected; // selectedNumbers, positions 0 .. T-F-1
        std::vector<int> fixed; // the board's fixed numbers, in board order
        QString fixedLine; // the fixed-numbers line as shown ("" when F = 0)
        bool complete = false; // "Completar para Fechar 100%"
        // Compare every line by CountCommon on its text (the plain definition; the fast path
        // uses the masks and falls back to the text only for lines that need it).
        bool literalText = false;
        qsizetype lineBound = 0; // completion stops once the closing holds this many (0: none)
    };
    enum class State { Running, Finished, LineBound };

    MarginCheck(Setup setup, LineStore& closing, RandomSource& random);

    // Examines up to maxDraws draws; returns how many it examined.
    qsizetype advance(qsizetype maxDraws, QChar separator);

    State state() const { return state_; }
    double total() const { return total_; }
    double covered() const { return covered_; }
    double uncovered() const { return total_ - covered_; }
    qsizetype ticketsAdded() const { return ticketsAdded_; }
    // True once per 5000 draws, at the end of a run of the last index.
    bool takeReportDue();
    // "35. Sendo 0 não fechados em 38760 sorteios não repetidos."
    QString report() const;

    // Would the completion be sound? With fewer numbers per ticket than the guarantee no
    // ticket can cover a draw, yet the completion would count the draw as covered.
    static bool completionPossible(int K, int G) { return K >= G; }
    // What the window says when there is no closing to check, or when the completion is not
    // possible.
    static QString emptyClosingText();
    static QString completionImpossibleText();

private:
    bool isCovered(const TicketMask& draw, QChar separator);
    QString drawText(QChar separator) const;
    void feedPending(int number);
    void addTicket(QChar separator);
    void refreshPrefix(int from);

    Setup setup_;
    LineStore& closing_;
    RandomSource& random_;
    CombinationIndex index_;
    TicketMask fixedMask_;
    TicketMask prefixMask_; // fixed numbers and every index but the last
    std::vector<TicketMask> prefixMasks_;
    std::vector<TicketMask> positionMask_;
    // The closing's masks side by side, for a fast scan while every line is regular.
    std::vector<TicketMask> masks_;
    bool byMasks_ = false;
    QStringList literalLines_; // the closing's text, for the literal comparison only
    std::vector<int> pending_;
    TicketMask pendingMask_;
    State state_ = State::Running;
    double total_ = 0, covered_ = 0;
    int drawsSinceReport_ = 0;
    bool reportDue_ = false;
    qsizetype ticketsAdded_ = 0;
};

// Completes a closing until every draw with C numbers among the bet is covered with G hits
// (margin 0), appending tickets to `closing`. Runs to the end in one call (no window events);
// returns the number of tickets added, or -1 when K < G makes it impossible or lineBound was
// reached (the tickets added so far stay in the closing).
qsizetype completeToMarginZero(const std::vector<int>& selected, const std::vector<int>& fixed,
    int K, int G, int C, LineStore& closing, RandomSource& random, QChar separator = u' ',
    qsizetype lineBound = 0);
