#pragma once

#include "app/bet_context.h"
#include "app/line_view.h"

#include <QWidget>
#include <array>
#include <functional>
#include <vector>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QScatterSeries;
class QChartView;
class TileLabel;
class FieldExitFilter;

// The main window: the parameter panel, the page control and the tabs the panels do not build
// yet (board, closing, settings). The panels reach it only through BetContext; its controls
// are its own, and tests find them by objectName.
class TForm1 : public QWidget, public BetContext
{
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // --- state
    int clickedNumber = 0;

    // --- Part of the window that other subsystems call
    Modality modality() const override;
    QChar separator() const override;
    ParameterFields readFields() const override;
    void writeFields(const ParameterFields& fields);
    int T() const override;
    int K() const override;
    int F() const override;
    int D() const override;
    int G() const override;
    int C() const override;
    int U() const override;

    void testecampos() override;
    void ShowOdds();
    // Board helpers
    int CountSelected() override;
    int CountFixed() override;
    void LoadSelectedNumbers() override;
    QString fixedLine() const override;
    void drawRandomBet() override { Button8Click(); }
    QString SelectedText() const;
    QString FixedText() const;
    void ApplyNumberRange();
    void MarkSelected(const QString& line, bool clearFirst) override;
    void MarkFixed(const QString& line, bool clearFirst) override;
    QString selectedLine() const override;
    QString selectedCountShown() const override;
    void setFieldT(const QString& text) override;
    void setFieldF(const QString& text) override;
    void refreshBoard() override;
    void clearBoard() override { Button7Click(); }
    LineView& closingView() override { return *Memo1; }
    QProgressBar& progressBar() override { return *ProgressBar1; }
    void setResultLabel(const QString& text) override;
    void setStatus(const QString& text) override;

    void lockForRun(bool locked) override;
    void restoreAfterError() override;
    void guarded(const std::function<void()>& handler) override;
    bool mayRun(Command command) override;
    void onExit(QWidget* field, std::function<void()> handler) override;

    QWidget& host() override { return *this; }
    QWidget* page(Page which) const override;
    void showPage(Page which) override;
    void addClosingCommand(QPushButton* button) override;
    void addBesideVerification(QWidget* group) override;
    void verifyAgainstDrawsList() override;
    VerificationControls verificationControls() const override
    {
        return { Button6, Button10, Button9, Button3, Button13, RadioButton7, RadioButton8,
            RadioButton9, RadioButton10, Edit7, Edit13, CheckBox4, MaskEdit1 };
    }
    void enableCommand(RunCommand command, bool enabled) override;
    bool commandEnabled(RunCommand command) const override;
    bool completeToFull() const override;
    void onCommand(RunCommand command, std::function<void()> handler) override;

    // Handlers
    void Button1Click();
    void Gerafechamento();
    void Button2Click();
    void Button5Click();
    void Button7Click();
    void Button8Click();
    void Button16Click();
    void StaticText1Click(int n);
    void Edit1Exit() { testecampos(); }
    void Edit2Exit();
    void Edit8Exit();
    void RadioButtonModalityClick(Modality m);
    void RadioButton6Click();
    void FormCreate();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The controls of the parameter panel and of the tabs this window still builds itself;
    // everything outside finds them by objectName.
    // --- parameter panel
    QLineEdit *Edit1, *Edit2, *Edit10, *Edit4, *Edit5, *Edit6;
    QPushButton *Button1, *Button5; // "&Gerar", "Parar"
    QGroupBox* GroupBoxMargin;
    QPushButton* Button11; // "&Verificar Margem do Fechamento"
    QCheckBox* CheckBoxCompletar; // "Completar para Fechar 100%"
    QLabel* Label15; // status line
    QProgressBar* ProgressBar1;
    QGroupBox* GroupBoxSimulation;
    QPushButton* Button3; // "Simular / Conferir"
    QRadioButton *RadioButton7, *RadioButton8, *RadioButton9, *RadioButton10;
    QLineEdit *Edit7, *Edit13; // "Simular com", numbers per simulated draw
    QCheckBox* CheckBox4; // "Detalhar Conferência"
    QPushButton* Button13; // "Abrir (D Dz)"
    QLineEdit* MaskEdit1; // typed result

    // --- tabs
    QTabWidget* PageControl1;
    QWidget *TabSelecao, *TabFechamento, *TabSimulacao, *TabImpressao, *TabConfiguracoes,
        *TabComparativo, *TabLotofacil, *TabQuina, *TabMegaSena, *TabDuplaSena;

    // board tab
    std::array<TileLabel*, 101> tiles {};
    QRadioButton *RadioButton1, *RadioButton2, *RadioButton3, *RadioButton4, *RadioButton5,
        *RadioButton6;
    QLineEdit* Edit8; // U
    QPushButton *Button7, *Button8; // "Limpar Bilhete", "&Sortear Bilhete"
    QLabel *Label20, *Label21, *Label22; // selected, fixed, total counts
    QLineEdit *Edit9, *Edit11; // selected and fixed number lines
    std::array<QLabel*, 5> images {}; // the modalities' pictures
    QPushButton *Button4, *Button15, *Button16; // Lotogol, Loteca, About

    // closing tab
    LineView* Memo1;
    QLabel* Label2; // result label
    QPushButton *Button6, *Button10, *Button9; // save, open, sort

    // settings tab
    QComboBox* ComboBox1; // separator
    QCheckBox *CheckBox3, *CheckBox6; // "Triângulo de Pascal", "Não limpar fechamento ao gerar"
    QPushButton* Button2; // hidden "Limpar"
    QLineEdit* Edit3; // odds

    void buildParameterPanel(QWidget* panel);
    void buildBoardTab();
    void buildClosingTab();
    void buildSettingsTab();
    QRadioButton* modalityButton(Modality m) const;
    QAbstractButton* commandControl(RunCommand command) const;
    void showReducerTab(QWidget* tab, bool visible);

    FieldExitFilter* exitFilter_ = nullptr;
    QHBoxLayout* closingCommands_ = nullptr;
    int closingExtras_ = 0;
};
