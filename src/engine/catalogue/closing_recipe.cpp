#include "engine/catalogue/closing_recipe.h"

#include <QRegularExpression>
#include <algorithm>

namespace {

// The stages and the keys each takes; a value is digits, or digits joined by commas.
struct StageKind {
    const char* name;
    QStringList keys;
};
const std::vector<StageKind>& stageKinds()
{
    static const std::vector<StageKind> kinds {
        { "generator", { "seed", "draws" } },
        { "optimize", { "seed", "moves" } },
        { "complement", {} },
        { "partition", { "sizes", "hits", "seed", "moves" } },
        { "steiner", {} },
    };
    return kinds;
}

QString joined(const std::vector<int>& numbers)
{
    QStringList parts;
    for (int n : numbers)
        parts << QString::number(n);
    return parts.join(u',');
}

} // namespace

QString ClosingRecipe::Stage::value(const QString& key, const QString& fallback) const
{
    for (const auto& [k, v] : values)
        if (k == key) return v;
    return fallback;
}

void ClosingRecipe::Stage::setValue(const QString& key, const QString& value)
{
    for (auto& [k, v] : values)
        if (k == key) {
            v = value;
            return;
        }
    values.emplace_back(key, value);
}

std::optional<ClosingRecipe> ClosingRecipe::parse(const QString& text, QString* error)
{
    auto fail = [&](const QString& why) -> std::optional<ClosingRecipe> {
        if (error) *error = why;
        return std::nullopt;
    };
    static const QRegularExpression valueForm(QStringLiteral("^[0-9]+(,[0-9]+)*$"));
    std::vector<Stage> stages;
    for (const QString& part : text.split(u'|')) {
        const QStringList words = part.simplified().split(u' ', Qt::SkipEmptyParts);
        if (words.isEmpty()) return fail(QStringLiteral("empty stage in \"%1\"").arg(text));
        const auto kind = std::find_if(stageKinds().begin(), stageKinds().end(),
            [&](const StageKind& k) { return words.front() == QLatin1String(k.name); });
        if (kind == stageKinds().end())
            return fail(QStringLiteral("unknown stage \"%1\"").arg(words.front()));
        Stage stage { words.front(), {} };
        for (qsizetype i = 1; i < words.size(); ++i) {
            const qsizetype equals = words[i].indexOf(u'=');
            const QString key = words[i].left(equals), value = words[i].mid(equals + 1);
            if (equals <= 0 || !kind->keys.contains(key) || !valueForm.match(value).hasMatch()
                || !stage.value(key).isEmpty())
                return fail(QStringLiteral("stage %1: bad value \"%2\"").arg(stage.name, words[i]));
            stage.values.emplace_back(key, value);
        }
        stages.push_back(std::move(stage));
    }
    return ClosingRecipe(std::move(stages));
}

QString ClosingRecipe::toString() const
{
    QStringList parts;
    for (const Stage& stage : stages_) {
        QString part = stage.name;
        for (const auto& [k, v] : stage.values)
            part += u' ' + k + u'=' + v;
        parts << part;
    }
    return parts.join(QStringLiteral(" | "));
}

ClosingRecipe ClosingRecipe::then(const ClosingRecipe& more) const
{
    std::vector<Stage> stages = stages_;
    stages.insert(stages.end(), more.stages_.begin(), more.stages_.end());
    return ClosingRecipe(std::move(stages));
}

ClosingRecipe::Stage ClosingRecipe::generator(quint64 seed, quint64 draws)
{
    return { QStringLiteral("generator"),
        { { QStringLiteral("seed"), QString::number(seed) },
            { QStringLiteral("draws"), QString::number(draws) } } };
}

ClosingRecipe::Stage ClosingRecipe::optimize(quint64 seed, quint64 moves)
{
    return { QStringLiteral("optimize"),
        { { QStringLiteral("seed"), QString::number(seed) },
            { QStringLiteral("moves"), QString::number(moves) } } };
}

ClosingRecipe::Stage ClosingRecipe::complement()
{
    return { QStringLiteral("complement"), {} };
}

ClosingRecipe::Stage ClosingRecipe::partition(
    const std::vector<int>& sizes, const std::vector<int>& hits)
{
    Stage stage { QStringLiteral("partition"), { { QStringLiteral("sizes"), joined(sizes) } } };
    if (!hits.empty()) stage.values.emplace_back(QStringLiteral("hits"), joined(hits));
    return stage;
}
