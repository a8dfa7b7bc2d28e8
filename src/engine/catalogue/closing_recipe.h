#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// How a closing is made, as a chain of stages that each start from the closing the stage
// before left (the first from no tickets), written "stage key=value ... | stage ...":
//   generator seed=S draws=N   the covering generator's closing after N test draws, its
//                              random source seeded with S, around the tickets so far;
//   optimize seed=S moves=M    the optimizer on one thread from the tickets so far, for at
//                              most M moves (it stops early at the wheel's lower bound);
//   complement                 every ticket replaced by its complement among the T numbers:
//                              the stages after it work on the complemented wheel, until the
//                              next complement brings them back;
//   partition sizes=a,b,.. [hits=x,y,..] [seed=S moves=M]
//                              the numbers cut into consecutive groups, each closed on its own
//                              for draws with at least `hits` numbers in it (default G), the
//                              union padded to K numbers per ticket; a group of at most K
//                              numbers is one ticket, one of pairs by triples a Steiner triple
//                              system where one is known, any other the optimizer from no
//                              tickets for M moves with seed S (defaults 200000 and 1);
//   steiner                    a Steiner triple system on the T numbers (K = 3, G = 2; T is
//                              1 or 3 modulo 6).
// The same chain gives the same tickets on the same build, so the text is both the record of
// how an entry was made and the command that makes it again.
class ClosingRecipe
{
public:
    struct Stage {
        QString name;
        std::vector<std::pair<QString, QString>> values; // in the order written

        QString value(const QString& key, const QString& fallback = {}) const;
        void setValue(const QString& key, const QString& value);
        bool operator==(const Stage&) const = default;
    };

    ClosingRecipe() = default;
    explicit ClosingRecipe(std::vector<Stage> stages)
        : stages_(std::move(stages))
    {
    }
    // The recipe a text writes; nullopt with a reason for a stage or value not understood.
    static std::optional<ClosingRecipe> parse(const QString& text, QString* error = nullptr);
    QString toString() const;

    const std::vector<Stage>& stages() const { return stages_; }
    std::vector<Stage>& stages() { return stages_; }
    bool empty() const { return stages_.empty(); }
    // This recipe's stages, then the other's.
    ClosingRecipe then(const ClosingRecipe& more) const;
    bool operator==(const ClosingRecipe&) const = default;

    static Stage generator(quint64 seed, quint64 draws);
    static Stage optimize(quint64 seed, quint64 moves);
    static Stage complement();
    static Stage partition(const std::vector<int>& sizes, const std::vector<int>& hits = {});

private:
    std::vector<Stage> stages_;
};
