#pragma once

#include "app/bet_context.h"

#include <QObject>
#include <QString>

class LineView;

// The closing files of the "Fechamento" tab, the "Simular / Conferir" panel and the
// "Simulação e Conferência" tab, which it builds: binds them to the ticket file reader and the
// verification engine.
class VerificationPanel : public QObject
{
    Q_OBJECT
public:
    explicit VerificationPanel(BetContext& context);

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
    void lockVerification(bool locked);
    void runVerification(Mode mode);
    bool buildSimulatedSample();
    QString typedDraw() const;

    BetContext& context_;
    const BetContext::VerificationControls ui_;
    QString saveDialogName_; // the save dialog keeps the last name it was given

    // What a mode-2 run puts back when it ends, however it ends.
    struct Remembered {
        bool active = false;
        QString T, F, selectedLine, fixedLine;
    } allNumbersRestore_;
    void restoreAllNumbersMode();
};

// Binds the verification subsystem to the main window.
void attachVerification(BetContext& context);
