#include "reduce/reducers.h"

#include "app/bet_context.h"
#include "reduce/lotofacil_reducer.h"
#include "reduce/position_reducer.h"
#include "ui/line_view.h"

Reducers::Reducers(BetContext& context)
    : QObject(&context.host())
    , lotofacil_(new LotofacilReducer(context))
    , quina_(new PositionReducer(context, context.page(BetContext::Page::Quina),
          ReducerGame::quina(), { "CheckBox11", "Button14" }))
    , megaSena_(new PositionReducer(context, context.page(BetContext::Page::MegaSena),
          ReducerGame::megaSena(), { "CheckBox5", "Button18" }))
    , duplaSena_(new PositionReducer(context, context.page(BetContext::Page::DuplaSena),
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

Reducers* attachReducers(BetContext& context)
{
    auto* reducers = new Reducers(context);
    context.afterCreate.push_back([reducers] { reducers->formCreate(); });
    return reducers;
}
