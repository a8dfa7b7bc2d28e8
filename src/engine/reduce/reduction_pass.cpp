#include "engine/reduce/reduction_pass.h"

ReductionPass::ReductionPass(const LineStore& lines, Check check)
    : lines_(lines)
    , check_(std::move(check))
    , total_(lines.size())
    , revision_(lines.revision())
    , keep_(static_cast<std::size_t>(lines.size()), false)
{
}

void ReductionPass::step()
{
    if (done()) return;
    // A closing that changed under the pass (nothing should change it during a run) ends
    // the pass unapplied rather than reading rows that moved.
    if (lines_.revision() != revision_) {
        closingChanged_ = true;
        return;
    }
    switch (check_(lines_, next_)) {
    case LineVerdict::Kept:
        keep_[static_cast<std::size_t>(next_)] = true;
        ++kept_;
        break;
    case LineVerdict::Dropped:
        break;
    case LineVerdict::NotATicket:
        badLine_ = next_;
        return;
    }
    ++next_;
}

bool ReductionPass::applyTo(LineStore& lines) const
{
    if (!finished() || &lines != &lines_ || lines.revision() != revision_) return false;
    if (kept_ != total_) lines.keepOnly(keep_);
    return true;
}
