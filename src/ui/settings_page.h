#pragma once

#include <QChar>
#include <functional>

class QWidget;

// The "Configurações" tab's choices that shape the closing (the separator of the lines built
// now, the balanced pick, whether "&Gerar" keeps the closing), its hidden "Limpar", and room for
// other panels' groups. Implemented by the settings tab.
class SettingsPage
{
public:
    virtual ~SettingsPage() = default;

    virtual QChar separator() const = 0;
    virtual bool balancedPick() const = 0; // "Triângulo de Pascal" is ticked
    virtual bool keepsClosing() const = 0; // "Não limpar fechamento ao gerar" is ticked
    virtual void onClear(std::function<void()> handler) = 0; // the hidden "Limpar"
    virtual void addGroup(QWidget* group) = 0;
};
