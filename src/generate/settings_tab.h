#pragma once

#include "ui/settings_page.h"

#include <QChar>
#include <QObject>

class BetParameters;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;
class QPushButton;
class QWidget;
class WindowSeams;

// The "Configurações" tab: the separator of the lines built from now on, the balanced pick
// ("Triângulo de Pascal"), whether "&Gerar" keeps the closing, the odds of the guarantee and
// the hidden "Limpar". Other panels add their groups below.
class SettingsTab : public QObject, public SettingsPage
{
    Q_OBJECT
public:
    SettingsTab(WindowSeams& window, const BetParameters& parameters);
    void build(QWidget* page);

    QChar separator() const override;
    bool balancedPick() const override;
    bool keepsClosing() const override;
    void onClear(std::function<void()> handler) override;
    void addGroup(QWidget* group) override;

    QCheckBox* balancedPickBox() const { return CheckBox3; }
    void ShowOdds();
    // The balanced pick is offered only with no fixed numbers and no run.
    void parametersChanged(int fixed, bool idle);
    void lock(bool locked);

private:
    WindowSeams& window_;
    const BetParameters& parameters_;
    QFormLayout* layout_ = nullptr;
    QComboBox* ComboBox1 = nullptr; // separator
    QCheckBox *CheckBox3 = nullptr, *CheckBox6 = nullptr; // "Triângulo de Pascal", "Não limpar"
    QPushButton* Button2 = nullptr; // hidden "Limpar"
    QLineEdit* Edit3 = nullptr; // odds
};
