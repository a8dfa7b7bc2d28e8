#pragma once

#include <vector>

// Walks the k-subsets of positions 0 .. n-1 in lexicographic order: the last index runs
// fastest, and when it is exhausted the carry moves the rightmost index that can still
// advance and lines up the ones after it.
class CombinationIndex
{
public:
    CombinationIndex(int n, int k)
        : n_(n)
        , idx_(static_cast<std::size_t>(k < 0 ? 0 : k))
    {
        done_ = k < 0 || k > n;
        for (std::size_t j = 0; j < idx_.size(); ++j)
            idx_[j] = static_cast<int>(j);
    }

    bool done() const { return done_; }
    const std::vector<int>& positions() const { return idx_; }
    // The first index the last next() changed.
    int changedFrom() const { return changedFrom_; }

    // Moves to the next subset. Returns true when the last index was exhausted (a carry was
    // made or the walk ended).
    bool next()
    {
        const int k = static_cast<int>(idx_.size());
        if (k == 0) {
            done_ = true;
            return true;
        }
        if (idx_[k - 1] < n_ - 1) {
            ++idx_[k - 1];
            changedFrom_ = k - 1;
            return false;
        }
        for (int m = k - 2; m >= 0; --m) {
            if (idx_[m] < n_ - (k - m)) {
                ++idx_[m];
                changedFrom_ = m;
                for (int j = m + 1; j < k; ++j)
                    idx_[j] = idx_[j - 1] + 1;
                return true;
            }
        }
        done_ = true;
        return true;
    }

private:
    int n_;
    std::vector<int> idx_;
    bool done_ = false;
    int changedFrom_ = 0;
};
