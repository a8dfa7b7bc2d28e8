#include "reduce/position_reducer.h"

#include "reduce/reducer_roles.h"
#include "reduce/reduction_run.h"
#include "ui/line_view.h"
#include "ui/window_seams.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

PositionReducer::PositionReducer(
    const ReducerRoles& roles, QWidget* tab, const ReducerGame& game, Names names)
    : QObject(&roles.window.host())
    , roles_(roles)
    , tab_(tab)
    , game_(game)
{
    setObjectName(QStringLiteral("PositionReducer%1").arg(QLatin1StringView(game.code)));
    auto* layout = new QHBoxLayout(tab);
    limits_ = std::make_unique<LimitFields>(game, tab);
    layout->addWidget(limits_->box(), 0, Qt::AlignTop);
    auto* side = new QVBoxLayout;
    switch_ = new QCheckBox(QStringLiteral("Redução por Casas"));
    switch_->setObjectName(QLatin1StringView(names.switchName));
    button_ = new QPushButton(QStringLiteral("Executar Redução"));
    button_->setObjectName(QLatin1StringView(names.buttonName));
    side->addWidget(switch_);
    side->addWidget(button_);
    side->addStretch();
    layout->addLayout(side);
    layout->addStretch();

    for (QLineEdit* field : limits_->fields())
        roles.window.onExit(field, [this, field] { limitExit(field); });
    connect(button_, &QPushButton::clicked, this,
        [this] { roles_.window.guarded([this] { executeReduction(); }); });
}

PositionReducer::~PositionReducer() = default;

void PositionReducer::executeReduction()
{
    const int length = game_.lineLength();
    auto prepare = [this, length]() -> ReductionPass::Check {
        const PositionLimits limits = limits_->read();
        const bool byPositions = switch_->isChecked();
        return [limits, byPositions, length](const LineStore& lines, qsizetype row) {
            const QLatin1StringView line = lines.lineBytes(row);
            if (line.size() != length) return LineVerdict::NotATicket;
            return !byPositions || limits.admits(line) ? LineVerdict::Kept : LineVerdict::Dropped;
        };
    };
    auto badLine = [this, length](qsizetype row, const QString& line) {
        return QStringLiteral("A linha %1 do fechamento (\"%2\") tem %3 caracteres; este redutor "
                              "trabalha com bilhetes de %4 dezenas (%5 caracteres por linha). "
                              "Redução cancelada; o fechamento não foi alterado.")
            .arg(row + 1)
            .arg(LineFormat::trimmed(line).toString())
            .arg(line.size())
            .arg(game_.k)
            .arg(length);
    };
    ReductionRun(roles_, tab_).execute(prepare, badLine);
}
