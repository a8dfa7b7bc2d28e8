#pragma once

#include "engine/generate/line_format.h"
#include "engine/generate/ticket_mask.h"

#include <QString>
#include <QStringView>
#include <cstdint>
#include <deque>
#include <vector>

// The bytes of many lines in blocks that never move once full: the arena grows by starting a
// new block, so a report of gigabytes never stops to copy itself. A line's place is one word,
// its block (high 8 bits) and where it starts in it (low 24 bits).
class LineArena
{
public:
    static constexpr int kBlockBits = 24; // 16 MB blocks, at most 256 of them
    static constexpr std::size_t kBlockSize = std::size_t { 1 } << kBlockBits;

    // Room for `length` bytes; returns the place and where to write them.
    std::uint32_t add(std::size_t length, char*& out);
    const char* at(std::uint32_t place) const
    {
        return blocks_[place >> kBlockBits].data() + (place & (kBlockSize - 1));
    }
    // Gives back the last bytes added, when they end the last block.
    void dropLast(std::uint32_t place, std::size_t length);
    void clear() { blocks_.clear(); }
    void swap(LineArena& other) { blocks_.swap(other.blocks_); }
    std::size_t capacity() const;

private:
    std::vector<std::vector<char>> blocks_;
};

// The lines of a large text area (closing, draws, report): single-byte text in an arena, each
// line with its mask beside it. Holds millions of lines; inserting at the top and at the bottom
// is cheap. Views follow it through revision() and the counts of rows added at either end.
class LineStore
{
public:
    struct Entry {
        std::uint32_t offset;
        std::uint32_t length : 31;
        std::uint32_t regular : 1;
        TicketMask mask;
    };

    qsizetype size() const { return static_cast<qsizetype>(entries_.size()); }
    bool empty() const { return entries_.empty(); }

    QString line(qsizetype row) const;
    // The stored bytes of a line, without building a QString (scans over millions of lines).
    QLatin1StringView lineBytes(qsizetype row) const
    {
        const Entry& e = entries_[static_cast<std::size_t>(row)];
        return QLatin1StringView(arena_.at(e.offset), e.length);
    }
    qsizetype length(qsizetype row) const { return entries_[static_cast<std::size_t>(row)].length; }
    // The mask of a line and whether it agrees with the text's CountCommon.
    const TicketMask& mask(qsizetype row) const
    {
        return entries_[static_cast<std::size_t>(row)].mask;
    }
    bool regular(qsizetype row) const { return entries_[static_cast<std::size_t>(row)].regular; }
    qsizetype irregularCount() const { return irregular_; }

    void append(QStringView text);
    void prepend(QStringView text);
    // A line whose mask is already known to match its text (built from the mask).
    void appendBuilt(QStringView text, const TicketMask& mask);
    void prependBuilt(QStringView text, const TicketMask& mask);
    void clear();
    // Takes the other store's lines in one move (the other gets these): a closing built aside
    // replaces the shown one at once, so nothing is ever half replaced.
    void swapLines(LineStore& other);
    // Drops the last `count` rows.
    void removeLast(qsizetype count);
    // Keeps the rows whose flag is set, in their order (keep holds one flag per row).
    void keepOnly(const std::vector<bool>& keep);
    void setLines(const QStringList& lines);
    QStringList lines() const;
    // Appends every line of a text (split at line ends).
    void setText(const QString& text);
    QString text() const;
    // Rows first..last (both included) joined by line feeds, and its length in characters;
    // built in one allocation, so a million lines take a fraction of a second.
    QString text(qsizetype first, qsizetype last) const;
    qint64 textLength(qsizetype first, qsizetype last) const;

    // Hit count of a line against a candidate (mask fast path, text where the line is odd).
    int hits(qsizetype row, const TicketMask& candidateMask, QStringView candidateText) const
    {
        const Entry& e = entries_[static_cast<std::size_t>(row)];
        if (e.regular) return common(e.mask, candidateMask);
        return LineFormat::CountCommon(line(row), candidateText);
    }

    // Change tracking for views: rows added at either end since the last take, or a change
    // of any other kind (clear, replace) that needs a full refresh.
    struct Changes {
        qsizetype prepended = 0, appended = 0;
        bool reset = false;
    };
    Changes takeChanges();
    std::uint64_t revision() const { return revision_; }

    std::size_t memoryBytes() const;

private:
    Entry store(QStringView text, const TicketMask* knownMask);
    void noteAdded(bool atTop);

    LineArena arena_;
    std::deque<Entry> entries_;
    qsizetype irregular_ = 0;
    std::uint64_t revision_ = 0;
    Changes changes_;
};
