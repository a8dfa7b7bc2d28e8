#pragma once

#include <QChar>
#include <QObject>

class BetContext;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;
class QPushButton;
class QWidget;

// The "Configurações" tab: the separator of the lines built from now on, the balanced pick
// ("Triângulo de Pascal"), whether "&Gerar" keeps the closing, the odds of the guarantee and
// the hidden "Limpar". Other panels add their groups below.
class SettingsTab : public QObject
{
    Q_OBJECT
public:
    SettingsTab(BetContext& context, QWidget* page);

    QChar separator() const;
    QCheckBox* balancedPickBox() const { return CheckBox3; }
    void addGroup(QWidget* group);

    void ShowOdds();
    void Button2Click(); // "Limpar"
    // The balanced pick is offered only with no fixed numbers and no run.
    void parametersChanged(int fixed);
    void restoreAfterError(); // offered again unless numbers are fixed
    void lock(bool locked);

private:
    BetContext& context_;
    QFormLayout* layout_;
    QComboBox* ComboBox1; // separator
    QCheckBox *CheckBox3, *CheckBox6; // "Triângulo de Pascal", "Não limpar fechamento ao gerar"
    QPushButton* Button2; // hidden "Limpar"
    QLineEdit* Edit3; // odds
};
