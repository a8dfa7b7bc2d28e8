#pragma once

#include "app/line_view.h"
#include "app/run_rules.h"
#include "bet/board.h"
#include "bet/modality.h"
#include "bet/parameters.h"

#include <QWidget>
#include <array>
#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
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

// The main window: parameters, board, closing and every tab of the number lotteries. The
// controls are public, as the other subsystems' window code reads and writes them.
class TForm1 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

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

    // verification tab
    LineView *Memo2, *Memo3; // draws area, report area

    // print tab
    QComboBox* ComboBox2; // "Teimosinha"
    QCheckBox* CheckBox2; // "Imprimir Aposta Espelho"

    // settings tab
    QComboBox* ComboBox1; // separator
    QCheckBox *CheckBox3, *CheckBox6; // "Triângulo de Pascal", "Não limpar fechamento ao gerar"
    QPushButton* Button2; // hidden "Limpar"
    QLineEdit* Edit3; // odds

    // comparison tab
    QChartView* ChartView1;
    QScatterSeries* Series1;
    QListWidget* CheckListBox1;
    QLabel* Label116;
    QPushButton* Button23; // "Marcar Dezenas Selecionadas"

    // --- state
    bool stopFlag = true;
    JobState jobs; // the long job running, which decides what the other commands may do
    Board board;
    std::vector<int> selectedNumbers; // filled by LoadSelectedNumbers
    int clickedNumber = 0;

    // --- Part of the window that other subsystems call
    Modality modality() const;
    QChar separator() const; // the separator in force for a line built now
    ParameterFields readFields() const;
    void writeFields(const ParameterFields& fields);
    int T() const;
    int K() const;
    int F() const;
    int D() const;
    int G() const;
    int C() const;
    int U() const;

    void testecampos();
    void ShowOdds();
    // Board helpers
    int CountSelected();
    int CountFixed();
    void LoadSelectedNumbers();
    QString SelectedText() const;
    QString FixedText() const;
    void ApplyNumberRange();
    void MarkSelected(const QString& line, bool clearFirst);
    void MarkFixed(const QString& line, bool clearFirst);
    void refreshBoard(); // tiles, counts and number lines from the board
    void resetComparisonChart();
    void setResultLabel(const QString& text);
    void setStatus(const QString& text);

    // Locks what a run in the main window locks, and unlocks it again.
    void lockForRun(bool locked);
    // Puts back every control a run may have locked and sets stopFlag (error recovery).
    void restoreAfterError();
    // Runs a handler under the conversion-error guard.
    void guarded(const std::function<void()>& handler);
    // True when command may run now; otherwise tells the player why not (where the rules
    // have a message) and changes nothing.
    bool mayRun(Command command);

    // Other subsystems plug into these.
    std::function<void()> fullEnumeration; // K = D = G: the closing of every combination
    std::vector<std::function<void()>> afterCreate; // start-up steps of later subsystems
    std::vector<std::function<bool()>> closeVetoes; // more reasons to refuse closing

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

    // Calls handler when a field loses focus (the exit handlers).
    void onExit(QWidget* field, std::function<void()> handler);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildParameterPanel(QWidget* panel);
    void buildBoardTab();
    void buildClosingTab();
    void buildVerificationTab();
    void buildPrintTab();
    void buildSettingsTab();
    void buildComparisonTab();
    QRadioButton* modalityButton(Modality m) const;
    void showReducerTab(QWidget* tab, bool visible);

    FieldExitFilter* exitFilter_ = nullptr;
};
