#pragma once

#include "engine/bet/board.h"
#include "ui/bet_parameters.h"
#include "ui/generation_commands.h"
#include "ui/run_host.h"
#include "ui/run_status.h"
#include "ui/window_seams.h"

#include <QWidget>
#include <functional>
#include <vector>

class BoardTab;
class GenerationPanel;
class FieldExitFilter;
class QCheckBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class SettingsTab;
class VerificationPanel;

// The main window, a shell: it builds the parameter panel and the page control, creates the
// panels that build and run the tabs, in the order of the tabs, and hands each panel the roles
// it uses. It plays the roles of its own parameter panel (the parameters, the runs with their
// status line and progress bar, "&Gerar" and the margin check's commands) and of the window
// itself (pages, guard, start-up and close); the board tab, the verification panel and the
// settings tab play theirs. Tests find controls by objectName.
class TForm1 : public QWidget,
               public BetParameters,
               public RunHost,
               public RunStatus,
               public GenerationCommands,
               public WindowSeams
{
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // The bet's tiles; the board tab shows them.
    Board board;
    // True when no long job runs, or "Parar" was pressed.
    bool stopFlag = true;
    JobState jobs; // the long job running

    // --- parameters
    ParameterFields fields() const override;
    void setFields(const ParameterFields& fields) override;
    int T() const override;
    int K() const override;
    int F() const override;
    int D() const override;
    int G() const override;
    int C() const override;
    int U() const override;
    void setT(const QString& text) override;
    void setF(const QString& text) override;
    void normalise() override { testecampos(); }
    void betSizeFieldLeft() override { Edit2Exit(); }
    void onParameterFieldExit(QWidget* field, std::function<void()> handler) override;
    void switchModality(Modality m) override;

    // --- runs
    bool mayRun(Command command) override;
    void setStatus(const QString& text) override;
    QProgressBar& progressBar() override { return *ProgressBar1; }

    // --- "&Gerar" and the margin check
    void onGenerate(std::function<void()> handler) override;
    void onCheckMargin(std::function<void()> handler) override;
    bool completeToFull() const override;

    // --- window
    QWidget& host() override { return *this; }
    QWidget* page(Page which) const override;
    void showPage(Page which) override;
    void addToParameterRow(QWidget* group) override;
    void guarded(const std::function<void()>& handler) override;
    void onExit(QWidget* field, std::function<void()> handler) override;
    void afterCreate(std::function<void()> step) override;
    void closeVeto(std::function<bool()> veto) override;
    void onModalityChanged(std::function<void(Modality)> step) override;

    // Handlers and the board's helpers by the names the window's documents give them.
    void testecampos();
    void Edit2Exit();
    void Button5Click(); // "Parar"
    void Button16Click(); // "Sobre"
    void RadioButtonModalityClick(Modality m);
    void RadioButton6Click();
    void FormCreate();
    int CountSelected();
    int CountFixed();
    QString SelectedText() const;
    void MarkSelected(const QString& line, bool clearFirst);
    void MarkFixed(const QString& line, bool clearFirst);
    void StaticText1Click(int n);
    void refreshBoard();

protected:
    void closeEvent(QCloseEvent* event) override;

    // --- what a run scope switches
    JobState& runState() override { return jobs; }
    bool& runStopFlag() override { return stopFlag; }
    void lockForRun(bool locked) override;
    std::vector<QWidget*> commandsOffWhileRunning(Job job) const override;
    QWidget* stopCommand() const override;

private:
    // --- parameter panel
    QHBoxLayout* parameterRow_ = nullptr;
    QLineEdit *Edit1, *Edit2, *Edit10, *Edit4, *Edit5, *Edit6;
    QPushButton *Button1, *Button5; // "&Gerar", "Parar"
    QGroupBox* GroupBoxMargin;
    QPushButton* Button11; // "&Verificar Margem do Fechamento"
    QCheckBox* CheckBoxCompletar; // "Completar para Fechar 100%"
    QLabel* Label15; // status line
    QProgressBar* ProgressBar1;
    QTabWidget* PageControl1;

    // --- the panels the window routes its own steps to
    BoardTab* board_ = nullptr;
    VerificationPanel* verification_ = nullptr;
    SettingsTab* settings_ = nullptr;
    GenerationPanel* generation_ = nullptr;

    QWidget* buildParameterPanel();
    void buildPages();
    void showReducerTab(Page tab, bool visible);

    FieldExitFilter* exitFilter_ = nullptr;
    std::vector<std::function<void()>> afterCreate_;
    std::vector<std::function<bool()>> closeVetoes_;
    std::vector<std::function<void(Modality)>> modalityChanged_;
};
