#pragma once

#include "app/bet_context.h"
#include "ui/line_view.h"

#include <QWidget>
#include <functional>

class BoardTab;
class FieldExitFilter;
class QAbstractButton;
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
// panels that build and run the tabs, in the order of the tabs, and routes the start-up, close
// and modality-switch steps to them. The panels reach the window and each other only through
// BetContext; tests find controls by objectName.
class TForm1 : public QWidget, public BetContext
{
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // --- parameters
    Modality modality() const override;
    QChar separator() const override;
    ParameterFields readFields() const override;
    void writeFields(const ParameterFields& fields) override;
    int T() const override;
    int K() const override;
    int F() const override;
    int D() const override;
    int G() const override;
    int C() const override;
    int U() const override;
    void setFieldT(const QString& text) override;
    void setFieldF(const QString& text) override;
    void testecampos() override;
    void Edit2Exit() override;
    void onParameterExit(QWidget* field, std::function<void()> handler) override;

    // --- board (the board tab's)
    void refreshBoard() override;
    void clearBoard() override;
    void drawRandomBet() override;
    int CountSelected() override;
    int CountFixed() override;
    void LoadSelectedNumbers() override;
    QString fixedLine() const override;
    QString selectedLine() const override;
    QString selectedCountShown() const override;
    QString SelectedText() const;
    void MarkSelected(const QString& line, bool clearFirst) override;
    void MarkFixed(const QString& line, bool clearFirst) override;
    void StaticText1Click(int n);
    void switchModality(Modality m) override;

    // --- lists, status and progress
    LineView& closingView() override;
    QProgressBar& progressBar() override { return *ProgressBar1; }
    void setResultLabel(const QString& text) override;
    void setStatus(const QString& text) override;

    // --- runs
    void enableCommand(RunCommand command, bool enabled) override;
    bool commandEnabled(RunCommand command) const override;
    bool completeToFull() const override;
    bool balancedPick() const override;
    void clearClosing() override;
    void onCommand(RunCommand command, std::function<void()> handler) override;
    void lockForRun(bool locked) override;
    void restoreAfterError() override;
    void guarded(const std::function<void()>& handler) override;
    bool mayRun(Command command) override;
    void onExit(QWidget* field, std::function<void()> handler) override;

    // --- window
    QWidget& host() override { return *this; }
    QWidget* page(Page which) const override;
    void showPage(Page which) override;
    void addClosingCommand(QPushButton* button) override;
    void addToParameterRow(QWidget* group) override;
    void addToSettings(QWidget* group) override;
    void verifyAgainstDrawsList() override;

    // Handlers
    void Button5Click(); // "Parar"
    void RadioButtonModalityClick(Modality m);
    void RadioButton6Click();
    void FormCreate();

protected:
    void closeEvent(QCloseEvent* event) override;

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

    QWidget* buildParameterPanel();
    void buildPages();
    QAbstractButton* commandControl(RunCommand command) const;
    void showReducerTab(Page tab, bool visible);

    FieldExitFilter* exitFilter_ = nullptr;
};
