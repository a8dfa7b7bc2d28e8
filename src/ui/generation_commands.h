#pragma once

#include <functional>

// The parameter panel's commands that start a generation or a margin check, and the option
// beside them. Implemented by the main window, whose panel holds them.
class GenerationCommands
{
public:
    virtual ~GenerationCommands() = default;

    virtual void onGenerate(std::function<void()> handler) = 0; // "&Gerar"
    virtual void onCheckMargin(std::function<void()> handler) = 0; // "&Verificar Margem ..."
    virtual bool completeToFull() const = 0; // "Completar para Fechar 100%" is ticked
};
