#pragma once

#include "reduce/limit_fields.h"

#include <QObject>
#include <memory>

class QCheckBox;
class QLineEdit;
class QPushButton;
struct ReducerRoles;

// A reducer tab that cuts the closing by position limits alone ("Redutor Quina", "Redutor
// Mega-Sena", "Redutor Dupla-Sena"); the three differ only in their game and control names.
class PositionReducer : public QObject
{
    Q_OBJECT
public:
    struct Names {
        const char* switchName; // "CheckBox11"
        const char* buttonName; // "Button14"
    };
    PositionReducer(const ReducerRoles& roles, QWidget* tab, const ReducerGame& game, Names names);
    ~PositionReducer() override;

    QCheckBox* switchBox() const { return switch_; }
    QPushButton* button() const { return button_; }
    LimitFields& limits() { return *limits_; }

    // calculaCasasQI / MS / DS
    void calculaCasas() { limits_->refreshCoverage(); }
    // Edit47Exit / Edit57Exit / Edit69Exit
    void limitExit(QLineEdit* sender) { limits_->leave(sender); }
    // Button14Click / Button18Click / Button19Click
    void executeReduction();

private:
    const ReducerRoles& roles_;
    QWidget* tab_;
    const ReducerGame& game_;
    std::unique_ptr<LimitFields> limits_;
    QCheckBox* switch_;
    QPushButton* button_;
};
