#pragma once

#include "engine/bet/parameters.h"
#include "ui/closing_area.h"
#include "ui/draws_area.h"

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

class BetBoard;
class BetParameters;
class LineView;
class RunHost;
class RunScope;
class RunStatus;
class SettingsPage;
class WindowSeams;
class QCheckBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The "Fechamento" tab with the closing and its files, the "Simular / Conferir" group of the
// parameter panel and the "Simulação e Conferência" tab: builds them and binds them to the
// ticket file reader and the verification engine. It plays the closing area's role and the
// draws area's.
class VerificationPanel : public QObject, public ClosingArea, public DrawsArea
{
    Q_OBJECT
public:
    VerificationPanel(WindowSeams& window, RunHost& runs, RunStatus& status,
        BetParameters& parameters, BetBoard& board, const SettingsPage& settings);

    // The window places the three parts in its own order, which is the order of the focus.
    QGroupBox* buildSimulationGroup();
    void buildClosingTab(QWidget* page);
    void buildSimulationTab(QWidget* page);

    // --- the closing area
    LineView& closing() override { return *Memo1; }
    void setResultLabel(const QString& text) override;
    void addCommand(QPushButton* button) override;
    // --- the draws area
    LineView& draws() override { return *Memo2; }
    void verifyAgainstDraws() override;
    void onDrawsReset(std::function<void()> reset) override;
    void drawsReset() override;

    QLineEdit* simulatedDrawSizeField() const { return Edit13; }
    // What follows from corrected parameters: the open buttons' sizes, the typed result's mask.
    void parametersChanged(const ParameterFields& fields);
    void clearTypedResult();
    void lock(bool locked); // a run in the main window

    LineView *Memo2, *Memo3; // the "Simulação e Conferência" tab: draws area, report area

    void Button6Click(); // "Salvar Fechamento"
    void Button10Click(); // "Abrir Fechamento"
    void Button9Click(); // "Classificar Fechamento"
    void Button13Click(); // "Abrir" draws file
    void Button3Click(); // "Simular / Conferir"
    void RadioButton7Click();
    void RadioButton8Click();
    void RadioButton9Click();
    void RadioButton10Click();

    QString defaultFileName() const;

private:
    enum class Mode { SelectedNumbers, AllNumbers, File, Typed };
    Mode mode() const;
    void enableInputs(bool sField, bool nField, bool openButton, bool typedField);
    void runVerification(Mode mode, const RunScope& run);
    bool buildSimulatedSample(const RunScope& run);
    QString typedDraw() const;

    WindowSeams& window_;
    RunHost& runs_;
    RunStatus& status_;
    BetParameters& parameters_;
    BetBoard& board_;
    const SettingsPage& settings_;
    std::vector<std::function<void()>> drawsResets_;
    // "Fechamento" tab
    LineView* Memo1 = nullptr;
    QLabel* Label2 = nullptr; // result label
    QPushButton *Button6 = nullptr, *Button10 = nullptr, *Button9 = nullptr; // save, open, sort
    QHBoxLayout* closingCommands_ = nullptr;
    int closingExtras_ = 0;
    // "Simular / Conferir" group
    QGroupBox* GroupBoxSimulation = nullptr;
    QPushButton* Button3 = nullptr; // "Simular / Conferir"
    QRadioButton *RadioButton7 = nullptr, *RadioButton8 = nullptr, *RadioButton9 = nullptr,
                 *RadioButton10 = nullptr;
    QLineEdit *Edit7 = nullptr, *Edit13 = nullptr; // "Simular com", numbers per simulated draw
    QCheckBox* CheckBox4 = nullptr; // "Detalhar Conferência"
    QPushButton* Button13 = nullptr; // "Abrir (D Dz)"
    QLineEdit* MaskEdit1 = nullptr; // typed result
    QString saveDialogName_; // the save dialog keeps the last name it was given

    // What a mode-2 run puts back when it ends, however it ends.
    struct Remembered {
        bool active = false;
        QString T, F, selectedLine, fixedLine;
    } allNumbersRestore_;
    void restoreAllNumbersMode();
};
