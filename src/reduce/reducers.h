#pragma once

#include "reduce/reducer_roles.h"

#include <QObject>

class LotofacilReducer;
class PositionReducer;
class QLineEdit;

// The four reducer tabs of the main window, under the names their handlers go by.
class Reducers : public QObject
{
    Q_OBJECT
public:
    explicit Reducers(const ReducerRoles& roles);

    LotofacilReducer* lotofacil() const { return lotofacil_; }
    PositionReducer* quina() const { return quina_; }
    PositionReducer* megaSena() const { return megaSena_; }
    PositionReducer* duplaSena() const { return duplaSena_; }

    void calculaCasasLF();
    void calculaCasasQI();
    void calculaCasasMS();
    void calculaCasasDS();
    void Edit47Exit(QLineEdit* sender);
    void Edit57Exit(QLineEdit* sender);
    void Edit69Exit(QLineEdit* sender);
    void Button14Click();
    void Button18Click();
    void Button19Click();

    // Start-up: the coverage of every game, then the pattern lists.
    void formCreate();

private:
    ReducerRoles roles_;
    LotofacilReducer* lotofacil_;
    PositionReducer *quina_, *megaSena_, *duplaSena_;
};

// Builds the reducer tabs inside the main window's empty tab pages and binds their handlers
// and start-up steps.
Reducers* attachReducers(
    WindowSeams& window, RunHost& runs, RunStatus& status, ClosingArea& closing);
