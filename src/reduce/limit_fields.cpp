#include "reduce/limit_fields.h"

#include "engine/base/conversion.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

LimitFields::LimitFields(const ReducerGame& game, QWidget* parent)
    : game_(game)
    , coverage_(game.N, game.k)
    , box_(new QGroupBox(parent))
{
    box_->setObjectName(QStringLiteral("GroupBoxLimites%1").arg(QLatin1StringView(game.code)));
    auto* grid = new QGridLayout(box_);
    grid->addWidget(new QLabel(QStringLiteral("Cobertura")), 0, 3, Qt::AlignRight);
    for (int position = 1; position <= game.k; ++position) {
        grid->addWidget(
            new QLabel(QStringLiteral("Limite da %1ª casa").arg(position)), position, 0);
        for (bool isUpper : { false, true }) {
            auto* field = new QLineEdit;
            field->setObjectName(QStringLiteral("Edit%1").arg(game.fieldNumber(position, isUpper)));
            field->setMaxLength(2);
            field->setMaximumWidth(40);
            const auto& [low, high] = game.defaults[static_cast<std::size_t>(position - 1)];
            field->setText(QString::number(isUpper ? high : low));
            grid->addWidget(field, position, isUpper ? 2 : 1);
            fields_.push_back(field);
        }
        auto* label = new QLabel(QStringLiteral("0"));
        label->setObjectName(
            QStringLiteral("LabelCobertura%1%2").arg(QLatin1StringView(game.code)).arg(position));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setMinimumWidth(80);
        grid->addWidget(label, position, 3);
        labels_.push_back(label);
    }
}

void LimitFields::leave(QLineEdit* field)
{
    const auto found = std::find(fields_.begin(), fields_.end(), field);
    if (found == fields_.end()) return;
    const int index = static_cast<int>(found - fields_.begin()) + 1; // 1 .. 2k, as "01" .. "2k"
    const int position = (index + 1) / 2;
    const int value = StrToInt(field->text());
    const int clamped = clampToPosition(game_, position, value);
    if (clamped != value) field->setText(QString::number(clamped));
    for (int p = 1; p <= game_.k; ++p) {
        const int low = StrToInt(lower(p)->text()), high = StrToInt(upper(p)->text());
        if (high < low) lower(p)->setText(QString::number(high));
    }
    refreshCoverage();
}

void LimitFields::refreshCoverage()
{
    const PositionLimits limits = read();
    for (int position = 1; position <= game_.k; ++position) {
        const auto& [low, high] = limits.at(position);
        coverageLabel(position)->setText(coverageText(coverage_.covered(position, low, high)));
    }
}

PositionLimits LimitFields::read() const
{
    std::vector<std::pair<int, int>> bounds;
    for (int position = 1; position <= game_.k; ++position)
        bounds.emplace_back(StrToInt(lower(position)->text()), StrToInt(upper(position)->text()));
    return PositionLimits(std::move(bounds));
}
