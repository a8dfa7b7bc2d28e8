#include "engine/generate/line_store.h"

#include <QStringList>
#include <algorithm>
#include <utility>

std::uint32_t LineArena::add(std::size_t length, char*& out)
{
    if (blocks_.empty() || blocks_.back().size() + length > blocks_.back().capacity()) {
        const std::size_t needed = blocks_.empty() ? length : blocks_.back().size() + length;
        if (!blocks_.empty() && needed <= kBlockSize) {
            // The first blocks grow by doubling up to the block size: small stores stay small,
            // and no copy is ever larger than one block.
            std::vector<char>& last = blocks_.back();
            last.reserve(std::min(kBlockSize, std::max(needed, 2 * last.capacity())));
        } else {
            std::vector<char> block;
            block.reserve(std::max<std::size_t>(length, 4096));
            blocks_.push_back(std::move(block));
        }
    }
    std::vector<char>& last = blocks_.back();
    const std::size_t at = last.size();
    last.resize(at + length);
    out = last.data() + at;
    return static_cast<std::uint32_t>(((blocks_.size() - 1) << kBlockBits) | at);
}

void LineArena::dropLast(std::uint32_t place, std::size_t length)
{
    if (blocks_.empty() || (place >> kBlockBits) != blocks_.size() - 1) return;
    std::vector<char>& last = blocks_.back();
    const std::size_t at = place & (kBlockSize - 1);
    if (at + length == last.size()) last.resize(at);
}

std::size_t LineArena::capacity() const
{
    std::size_t bytes = 0;
    for (const std::vector<char>& block : blocks_)
        bytes += block.capacity();
    return bytes;
}

QString LineStore::line(qsizetype row) const
{
    const Entry& e = entries_[static_cast<std::size_t>(row)];
    return QString::fromLatin1(arena_.at(e.offset), e.length);
}

LineStore::Entry LineStore::store(QStringView text, const TicketMask* knownMask)
{
    Entry e {};
    char* out = nullptr;
    e.offset = arena_.add(static_cast<std::size_t>(text.size()), out);
    e.length = static_cast<std::uint32_t>(text.size());
    for (QChar c : text)
        *out++ = static_cast<char>(c.unicode() <= 0xFF ? c.unicode() : '?');
    if (knownMask) {
        e.mask = *knownMask;
        e.regular = 1;
    } else {
        const LineFormat::LineInfo info = LineFormat::analyse(text);
        e.mask = info.mask;
        e.regular = info.regular ? 1 : 0;
    }
    if (!e.regular) ++irregular_;
    return e;
}

void LineStore::noteAdded(bool atTop)
{
    ++revision_;
    if (!changes_.reset) (atTop ? changes_.prepended : changes_.appended) += 1;
}

void LineStore::append(QStringView text)
{
    entries_.push_back(store(text, nullptr));
    noteAdded(false);
}

void LineStore::prepend(QStringView text)
{
    entries_.push_front(store(text, nullptr));
    noteAdded(true);
}

void LineStore::appendBuilt(QStringView text, const TicketMask& mask)
{
    entries_.push_back(store(text, &mask));
    noteAdded(false);
}

void LineStore::prependBuilt(QStringView text, const TicketMask& mask)
{
    entries_.push_front(store(text, &mask));
    noteAdded(true);
}

void LineStore::clear()
{
    arena_.clear();
    entries_.clear();
    entries_.shrink_to_fit();
    irregular_ = 0;
    ++revision_;
    changes_ = { 0, 0, true };
}

void LineStore::swapLines(LineStore& other)
{
    arena_.swap(other.arena_);
    entries_.swap(other.entries_);
    std::swap(irregular_, other.irregular_);
    for (LineStore* store : { this, &other }) {
        ++store->revision_;
        store->changes_ = { 0, 0, true };
    }
}

void LineStore::removeLast(qsizetype count)
{
    for (; count > 0 && !entries_.empty(); --count) {
        const Entry& e = entries_.back();
        // Rows appended last hold the end of the arena; other rows' bytes just stay unused.
        arena_.dropLast(e.offset, e.length);
        irregular_ -= !e.regular;
        entries_.pop_back();
    }
    ++revision_;
    changes_ = { 0, 0, true };
}

void LineStore::keepOnly(const std::vector<bool>& keep)
{
    LineArena arena;
    std::deque<Entry> entries;
    qsizetype irregular = 0;
    for (std::size_t row = 0; row < entries_.size(); ++row) {
        if (row >= keep.size() || !keep[row]) continue;
        Entry e = entries_[row];
        char* out = nullptr;
        const std::uint32_t place = arena.add(e.length, out);
        std::copy_n(arena_.at(e.offset), e.length, out);
        e.offset = place;
        irregular += e.regular ? 0 : 1;
        entries.push_back(e);
    }
    arena_.swap(arena);
    entries_ = std::move(entries);
    irregular_ = irregular;
    ++revision_;
    changes_ = { 0, 0, true };
}

void LineStore::setLines(const QStringList& lines)
{
    clear();
    for (const QString& l : lines)
        entries_.push_back(store(l, nullptr));
    ++revision_;
}

QStringList LineStore::lines() const
{
    QStringList result;
    result.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        result.push_back(line(i));
    return result;
}

void LineStore::setText(const QString& text)
{
    QStringList parts = text.split(u'\n');
    if (!parts.isEmpty() && parts.back().isEmpty()) parts.pop_back();
    for (QString& p : parts)
        if (p.endsWith(u'\r')) p.chop(1);
    setLines(parts);
}

QString LineStore::text() const
{
    QString result;
    for (qsizetype i = 0; i < size(); ++i) {
        result += line(i);
        result += u'\n';
    }
    return result;
}

qint64 LineStore::textLength(qsizetype first, qsizetype last) const
{
    if (first < 0 || last < first || last >= size()) return 0;
    qint64 length = last - first;
    const auto end = entries_.begin() + last + 1;
    for (auto it = entries_.begin() + first; it != end; ++it)
        length += it->length;
    return length;
}

QString LineStore::text(qsizetype first, qsizetype last) const
{
    const qint64 length = textLength(first, last);
    if (length <= 0) return {};
    QString result(static_cast<qsizetype>(length), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(result.data());
    const auto end = entries_.begin() + last + 1;
    for (auto it = entries_.begin() + first; it != end; ++it) {
        if (it != entries_.begin() + first) *out++ = u'\n';
        const auto* from = reinterpret_cast<const unsigned char*>(arena_.at(it->offset));
        for (std::uint32_t i = 0; i < it->length; ++i)
            *out++ = from[i];
    }
    return result;
}

LineStore::Changes LineStore::takeChanges()
{
    Changes taken = changes_;
    changes_ = {};
    return taken;
}

std::size_t LineStore::memoryBytes() const
{
    return arena_.capacity() + entries_.size() * sizeof(Entry);
}
