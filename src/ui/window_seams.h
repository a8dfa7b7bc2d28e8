#pragma once

#include "engine/bet/modality.h"

#include <functional>

class QWidget;

// Where a panel meets the main window: the parent of its controls and message boxes, the
// pages, places to add controls, the error guard and field exits, and the window's own steps
// (start-up, close, a modality switch) that a panel may take part in. Implemented by the main
// window.
class WindowSeams
{
public:
    // The pages in the order of the window's tabs.
    enum class Page {
        Selecao,
        Fechamento,
        Simulacao,
        Impressao,
        Configuracoes,
        Comparativo,
        Lotofacil,
        Quina,
        MegaSena,
        DuplaSena,
    };

    virtual ~WindowSeams() = default;

    virtual QWidget& host() = 0;
    virtual QWidget* page(Page which) const = 0;
    virtual void showPage(Page which) = 0;
    // Adds a group to the right end of the parameter panel's row.
    virtual void addToParameterRow(QWidget* group) = 0;
    // Runs a handler under the conversion-error guard.
    virtual void guarded(const std::function<void()>& handler) = 0;
    // Runs handler when a field loses focus (the exit handlers).
    virtual void onExit(QWidget* field, std::function<void()> handler) = 0;
    virtual void afterCreate(std::function<void()> step) = 0;
    // A further reason to refuse closing the window.
    virtual void closeVeto(std::function<bool()> veto) = 0;
    virtual void onModalityChanged(std::function<void(Modality)> step) = 0;
};
