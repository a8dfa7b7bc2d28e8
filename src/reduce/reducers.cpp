#include "reduce/reducers.h"

#include "reduce/lotofacil_reducer.h"
#include "reduce/position_reducer.h"
#include "ui/line_view.h"
#include "ui/window_seams.h"

Reducers::Reducers(const ReducerRoles& roles)
    : QObject(&roles.window.host())
    , roles_(roles)
    , lotofacil_(new LotofacilReducer(roles_))
    , quina_(new PositionReducer(roles_, roles.window.page(WindowSeams::Page::Quina),
          ReducerGame::quina(), { "CheckBox11", "Button14" }))
    , megaSena_(new PositionReducer(roles_, roles.window.page(WindowSeams::Page::MegaSena),
          ReducerGame::megaSena(), { "CheckBox5", "Button18" }))
    , duplaSena_(new PositionReducer(roles_, roles.window.page(WindowSeams::Page::DuplaSena),
          ReducerGame::duplaSena(), { "CheckBox12", "Button19" }))
{
    setObjectName(QStringLiteral("Reducers"));
}

void Reducers::calculaCasasLF()
{
    lotofacil_->calculaCasasLF();
}
void Reducers::calculaCasasQI()
{
    quina_->calculaCasas();
}
void Reducers::calculaCasasMS()
{
    megaSena_->calculaCasas();
}
void Reducers::calculaCasasDS()
{
    duplaSena_->calculaCasas();
}
void Reducers::Edit47Exit(QLineEdit* sender)
{
    quina_->limitExit(sender);
}
void Reducers::Edit57Exit(QLineEdit* sender)
{
    megaSena_->limitExit(sender);
}
void Reducers::Edit69Exit(QLineEdit* sender)
{
    duplaSena_->limitExit(sender);
}
void Reducers::Button14Click()
{
    quina_->executeReduction();
}
void Reducers::Button18Click()
{
    megaSena_->executeReduction();
}
void Reducers::Button19Click()
{
    duplaSena_->executeReduction();
}

void Reducers::formCreate()
{
    calculaCasasLF();
    calculaCasasQI();
    calculaCasasMS();
    calculaCasasDS();
    lotofacil_->fillPatternLists();
}

Reducers* attachReducers(
    WindowSeams& window, RunHost& runs, RunStatus& status, ClosingArea& closing)
{
    auto* reducers = new Reducers({ window, runs, status, closing });
    window.afterCreate([reducers] { reducers->formCreate(); });
    return reducers;
}
