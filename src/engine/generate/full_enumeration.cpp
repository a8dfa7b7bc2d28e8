#include "engine/generate/full_enumeration.h"

#include <QString>

FullEnumeration::FullEnumeration(Setup setup, LineStore& closing)
    : setup_(std::move(setup))
    , closing_(closing)
    , index_(static_cast<int>(setup_.selected.size()), setup_.k)
{
    for (int f : setup_.fixed)
        fixedMask_.add(f);
    for (int number : setup_.selected) {
        TicketMask m;
        m.add(number);
        positionMask_.push_back(m);
    }
    if (index_.done()) state_ = State::Finished;
}

qsizetype FullEnumeration::advance(qsizetype maxLines, QChar separator)
{
    // Rendering straight from the mask gives what sorting the fixed numbers into the line
    // would: ascending numbers, "00" last.
    char16_t text[300];
    qsizetype count = 0;
    while (count < maxLines && state_ == State::Running) {
        if (setup_.lineBound > 0 && closing_.size() >= setup_.lineBound) {
            state_ = State::LineBound;
            break;
        }
        TicketMask line = fixedMask_;
        for (int p : index_.positions())
            line = line | positionMask_[static_cast<std::size_t>(p)];
        qsizetype length = 0;
        line.forEach([&](int n) {
            const int v = n % 100;
            const char16_t before = length == 0 ? u' ' : separator.unicode();
            text[length++] = before;
            text[length++] = static_cast<char16_t>(u'0' + v / 10);
            text[length++] = static_cast<char16_t>(u'0' + v % 10);
        });
        closing_.appendBuilt(QStringView(text, length), line);
        ++written_;
        ++count;
        index_.next();
        if (index_.done()) state_ = State::Finished;
    }
    return count;
}
