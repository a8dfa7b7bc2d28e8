#pragma once

#include "engine/reduce/position_coverage.h"
#include "engine/reduce/position_limits.h"
#include "engine/reduce/reducer_game.h"

#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

// The limit fields of one game's reducer tab ("Limite da 1ª casa" ...), with the coverage of
// every position beside them. Keeps each field inside its position's range and lower <= upper.
class LimitFields
{
public:
    // Builds the group box as a child of parent.
    LimitFields(const ReducerGame& game, QWidget* parent);

    QGroupBox* box() const { return box_; }
    const ReducerGame& game() const { return game_; }
    // Lower and upper field of every position, in field order (Edit14, Edit15, Edit16, ...).
    const std::vector<QLineEdit*>& fields() const { return fields_; }

    // The exit of a limit field: clamp it to its position, put every lower limit at or below
    // its upper limit, refresh the coverage.
    void leave(QLineEdit* field);
    // Writes every position's coverage; a field that is not a number leaves all labels as
    // they were.
    void refreshCoverage();
    // The limits as the fields hold them now (ConversionError for a field that is no number).
    PositionLimits read() const;

    QLabel* coverageLabel(int position) const
    {
        return labels_[static_cast<std::size_t>(position - 1)];
    }

private:
    QLineEdit* lower(int position) const
    {
        return fields_[static_cast<std::size_t>(2 * position - 2)];
    }
    QLineEdit* upper(int position) const
    {
        return fields_[static_cast<std::size_t>(2 * position - 1)];
    }

    const ReducerGame& game_;
    PositionCoverage coverage_;
    QGroupBox* box_;
    std::vector<QLineEdit*> fields_;
    std::vector<QLabel*> labels_;
};
