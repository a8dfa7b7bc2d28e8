#include "app/tform1.h"

#include "app/conversion.h"
#include "app/dialogs.h"
#include "app/event_pump.h"
#include "app/field_exit_filter.h"
#include "app/handler_guard.h"
#include "app/random_source.h"
#include "app/subsystems.h"
#include "app/tform_sobre.h"
#include "app/window_geometry.h"
#include "bet/tile_label.h"
#include "generate/covering_generator.h"
#include "generate/line_format.h"
#include "generate/prize_odds.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScatterSeries>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

template <typename W, typename... Args> W* named(const QString& name, Args&&... args)
{
    W* w = new W(std::forward<Args>(args)...);
    w->setObjectName(name);
    return w;
}

QLineEdit* field(const QString& name, const QString& text, int maxLength)
{
    auto* e = named<QLineEdit>(name, text);
    e->setMaxLength(maxLength);
    e->setMaximumWidth(48);
    return e;
}

} // namespace

TForm1::TForm1(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral(
        "QUIRVA - Combinador de Loterias com Garantia de Fechamento para até 100 Dezenas"));

    auto* top = new QVBoxLayout(this);
    auto* panel = new QWidget;
    buildParameterPanel(panel);
    top->addWidget(panel);

    PageControl1 = named<QTabWidget>(QStringLiteral("PageControl1"));
    top->addWidget(PageControl1, 1);
    auto page = [this](const QString& name, const QString& caption) {
        auto* w = named<QWidget>(name);
        PageControl1->addTab(w, caption);
        return w;
    };
    TabSelecao
        = page(QStringLiteral("TabSelecao"), QStringLiteral("Seleção das Dezenas a Apostar"));
    TabFechamento = page(QStringLiteral("TabFechamento"), QStringLiteral("Fechamento"));
    TabSimulacao = page(QStringLiteral("TabSimulacao"), QStringLiteral("Simulação e Conferência"));
    TabImpressao = page(QStringLiteral("TabImpressao"), QStringLiteral("Impressão de Bilhetes"));
    TabConfiguracoes = page(QStringLiteral("TabConfiguracoes"), QStringLiteral("Configurações"));
    TabComparativo
        = page(QStringLiteral("TabComparativo"), QStringLiteral("Comparativo de Dezenas"));
    TabLotofacil = page(QStringLiteral("TabLotofacil"), QStringLiteral("Redutor Lotofácil"));
    TabQuina = page(QStringLiteral("TabQuina"), QStringLiteral("Redutor Quina"));
    TabMegaSena = page(QStringLiteral("TabMegaSena"), QStringLiteral("Redutor Mega-Sena"));
    TabDuplaSena = page(QStringLiteral("TabDuplaSena"), QStringLiteral("Redutor Dupla-Sena"));

    buildBoardTab();
    buildClosingTab();
    buildSettingsTab();

    auto click = [this](QPushButton* b, void (TForm1::*handler)()) {
        connect(b, &QPushButton::clicked, this,
            [this, handler] { guarded([=, this] { (this->*handler)(); }); });
    };
    // The player's commands pass the run rules first; the handlers themselves are also
    // called by the runs, which the rules must not stop.
    auto command = [this](Command c, std::function<void()> handler) {
        return [this, c, handler = std::move(handler)] {
            if (mayRun(c)) guarded(handler);
        };
    };
    click(Button2, &TForm1::Button2Click);
    click(Button5, &TForm1::Button5Click);
    click(Button16, &TForm1::Button16Click);
    connect(Button1, &QPushButton::clicked, this,
        command(Command::Generate, [this] { Button1Click(); }));
    connect(Button7, &QPushButton::clicked, this,
        command(Command::ClearBoard, [this] { Button7Click(); }));
    connect(Button8, &QPushButton::clicked, this,
        command(Command::RandomBet, [this] { Button8Click(); }));
    for (int m = 0; m < 5; ++m)
        connect(modalityButton(Modality(m)), &QRadioButton::clicked, this,
            command(Command::ChangeModality, [this, m] { RadioButtonModalityClick(Modality(m)); }));
    connect(RadioButton6, &QRadioButton::clicked, this,
        command(Command::ChangeModality, [this] { RadioButton6Click(); }));
    for (int n = 1; n <= 100; ++n)
        connect(tiles[n], &TileLabel::clicked, this, [this](int number) {
            if (mayRun(Command::ClickTile)) guarded([=, this] { StaticText1Click(number); });
        });

    exitFilter_ = new FieldExitFilter(this, [this](const std::function<void()>& h) { guarded(h); });
    auto parameterExit = [&](QLineEdit* field, std::function<void()> handler) {
        onExit(field, command(Command::EditParameters, std::move(handler)));
    };
    parameterExit(Edit1, [this] { testecampos(); });
    parameterExit(Edit4, [this] { testecampos(); });
    parameterExit(Edit5, [this] { testecampos(); });
    parameterExit(Edit6, [this] { testecampos(); });
    parameterExit(Edit10, [this] { testecampos(); });
    parameterExit(Edit2, [this] { Edit2Exit(); });
    parameterExit(Edit13, [this] { Edit2Exit(); });
    parameterExit(Edit8, [this] { Edit8Exit(); });

    attachSubsystems(*this);
}

TForm1::~TForm1() = default;

void TForm1::buildParameterPanel(QWidget* panel)
{
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    auto* left = new QGridLayout;
    row->addLayout(left);

    Edit1 = field(QStringLiteral("Edit1"), QStringLiteral("60"), 3);
    Edit2 = field(QStringLiteral("Edit2"), QStringLiteral("50"), 2);
    Edit10 = field(QStringLiteral("Edit10"), QStringLiteral("0"), 2);
    Edit4 = field(QStringLiteral("Edit4"), QStringLiteral("20"), 2);
    Edit5 = field(QStringLiteral("Edit5"), QStringLiteral("17"), 2);
    Edit6 = field(QStringLiteral("Edit6"), QStringLiteral("20"), 2);
    Edit2->setEnabled(false);
    Edit4->setEnabled(false);
    auto* fixedCaption = new QLabel(QStringLiteral("Dezenas Fixas"));
    fixedCaption->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));
    left->addWidget(new QLabel(QStringLiteral("Total de Dezenas a Apostar")), 0, 0);
    left->addWidget(Edit1, 0, 1);
    left->addWidget(new QLabel(QStringLiteral("Dezenas marcadas por bilhete")), 1, 0);
    left->addWidget(Edit2, 1, 1);
    left->addWidget(fixedCaption, 2, 0);
    left->addWidget(Edit10, 2, 1);
    left->addWidget(new QLabel(QStringLiteral("Total de Dezenas Sorteadas")), 3, 0);
    left->addWidget(Edit4, 3, 1);
    left->addWidget(new QLabel(QStringLiteral("Garantia Pretendida >=")), 4, 0);
    left->addWidget(Edit5, 4, 1);
    left->addWidget(new QLabel(QStringLiteral("Condição para Acerto")), 5, 0);
    left->addWidget(Edit6, 5, 1);

    Label15 = named<QLabel>(QStringLiteral("Label15"), QStringLiteral("."));
    Label15->setStyleSheet(QStringLiteral("color: red"));
    left->addWidget(Label15, 4, 2, 1, 2);

    Button1 = named<QPushButton>(QStringLiteral("Button1"), QStringLiteral("&Gerar"));
    Button5 = named<QPushButton>(QStringLiteral("Button5"), QStringLiteral("Parar"));
    Button5->setEnabled(false);
    left->addWidget(Button1, 0, 2);
    left->addWidget(Button5, 1, 2);

    GroupBoxMargin = named<QGroupBox>(QStringLiteral("GroupBoxMargin"));
    auto* margin = new QVBoxLayout(GroupBoxMargin);
    Button11 = named<QPushButton>(
        QStringLiteral("Button11"), QStringLiteral("&Verificar Margem do Fechamento"));
    CheckBoxCompletar = named<QCheckBox>(
        QStringLiteral("CheckBoxCompletar"), QStringLiteral("Completar para Fechar 100%"));
    margin->addWidget(Button11);
    margin->addWidget(CheckBoxCompletar);
    left->addWidget(GroupBoxMargin, 0, 3, 3, 1);

    ProgressBar1 = named<QProgressBar>(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    left->addWidget(ProgressBar1, 6, 0, 1, 4);

    GroupBoxSimulation = named<QGroupBox>(QStringLiteral("GroupBoxSimulation"));
    auto* sim = new QGridLayout(GroupBoxSimulation);
    Button3 = named<QPushButton>(QStringLiteral("Button3"), QStringLiteral("Simular / Conferir"));
    RadioButton7 = named<QRadioButton>(QStringLiteral("RadioButton7"),
        QStringLiteral("Simular Garantia com as Dezenas Selecionadas"));
    RadioButton8 = named<QRadioButton>(QStringLiteral("RadioButton8"),
        QStringLiteral("Simular com todas as Dezenas da Modalidade"));
    RadioButton9 = named<QRadioButton>(
        QStringLiteral("RadioButton9"), QStringLiteral("Usar Arquivo para Conferir"));
    RadioButton10 = named<QRadioButton>(
        QStringLiteral("RadioButton10"), QStringLiteral("Digitar o Resultado"));
    RadioButton7->setChecked(true);
    Edit7 = field(QStringLiteral("Edit7"), QStringLiteral("1"), 9);
    Edit7->setToolTip(QStringLiteral("Quantidade de sorteios que serão gerados para a simulação"));
    Edit13 = field(QStringLiteral("Edit13"), QStringLiteral("20"), 2);
    Edit13->setToolTip(QStringLiteral("Total de dezenas sorteadas para simular a garantia."));
    CheckBox4
        = named<QCheckBox>(QStringLiteral("CheckBox4"), QStringLiteral("Detalhar Conferência"));
    CheckBox4->setToolTip(
        QStringLiteral("Marque essa opção para ver o detalhe da conferencia bilhete a bilhete"));
    Button13 = named<QPushButton>(QStringLiteral("Button13"), QStringLiteral("Abrir (20 Dz)"));
    Button13->setEnabled(false);
    MaskEdit1 = named<QLineEdit>(QStringLiteral("MaskEdit1"));
    MaskEdit1->setEnabled(false);
    sim->addWidget(Button3, 0, 0);
    sim->addWidget(new QLabel(QStringLiteral("Simular com")), 0, 1);
    sim->addWidget(Edit7, 0, 2);
    sim->addWidget(Edit13, 0, 3);
    sim->addWidget(RadioButton7, 1, 0, 1, 4);
    sim->addWidget(RadioButton8, 2, 0, 1, 4);
    sim->addWidget(RadioButton9, 3, 0, 1, 2);
    sim->addWidget(Button13, 3, 2, 1, 2);
    sim->addWidget(RadioButton10, 4, 0, 1, 2);
    sim->addWidget(MaskEdit1, 4, 2, 1, 2);
    sim->addWidget(CheckBox4, 5, 0, 1, 4);
    row->addWidget(GroupBoxSimulation);
}

void TForm1::buildBoardTab()
{
    auto* layout = new QHBoxLayout(TabSelecao);
    auto* boardPanel = named<QFrame>(QStringLiteral("PanelBoard"));
    boardPanel->setFixedSize(293, 293);
    boardPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    for (int n = 1; n <= 100; ++n) {
        auto* tile = new TileLabel(n, boardPanel);
        const int column = (n - 1) % 10, rowIndex = (n - 1) / 10;
        tile->setGeometry(9 + 28 * column, 11 + 28 * rowIndex, 24, 22);
        tiles[n] = tile;
    }
    auto* boardColumn = new QVBoxLayout;
    boardColumn->addWidget(boardPanel);
    Label20 = named<QLabel>(QStringLiteral("Label20"), QStringLiteral("0"));
    Label21 = named<QLabel>(QStringLiteral("Label21"), QStringLiteral("0"));
    Label22 = named<QLabel>(QStringLiteral("Label22"), QStringLiteral("0"));
    auto* counts = new QGridLayout;
    counts->addWidget(new QLabel(QStringLiteral("Dezenas a Fechar Selecionadas:")), 0, 0);
    counts->addWidget(Label20, 0, 1);
    auto* fixedCount = new QLabel(QStringLiteral("Dezenas Fixas Selecionadas:"));
    fixedCount->setStyleSheet(QStringLiteral("color: red"));
    Label21->setStyleSheet(QStringLiteral("color: red"));
    counts->addWidget(fixedCount, 1, 0);
    counts->addWidget(Label21, 1, 1);
    counts->addWidget(new QLabel(QStringLiteral("Total de Dezenas Selecionadas:")), 2, 0);
    counts->addWidget(Label22, 2, 1);
    boardColumn->addLayout(counts);
    boardColumn->addStretch();
    layout->addLayout(boardColumn);

    auto* right = new QVBoxLayout;
    auto* modalities
        = named<QGroupBox>(QStringLiteral("GroupBoxModalidades"), QStringLiteral("Modalidades"));
    auto* ml = new QGridLayout(modalities);
    QRadioButton** buttons[] = { &RadioButton1, &RadioButton2, &RadioButton3, &RadioButton4,
        &RadioButton5, &RadioButton6 };
    for (int m = 0; m < 6; ++m) {
        *buttons[m] = named<QRadioButton>(QStringLiteral("RadioButton%1").arg(m + 1),
            QString::fromUtf8(modalityDefaults(Modality(m)).name));
        ml->addWidget(*buttons[m], m / 3, m % 3);
    }
    RadioButton1->setChecked(true);
    Edit8 = field(QStringLiteral("Edit8"), QStringLiteral("100"), 3);
    Edit8->setEnabled(false);
    ml->addWidget(new QLabel(QStringLiteral("Maior dezena")), 2, 0);
    ml->addWidget(Edit8, 2, 1);
    right->addWidget(modalities);

    auto* pictures = new QHBoxLayout;
    for (int i = 0; i < 5; ++i) {
        images[i] = named<QLabel>(QStringLiteral("Image%1").arg(i + 1),
            QString::fromUtf8(modalityDefaults(Modality(i)).name));
        images[i]->setFrameStyle(QFrame::Box);
        images[i]->setVisible(i == 0);
        pictures->addWidget(images[i]);
    }
    right->addLayout(pictures);

    Button7 = named<QPushButton>(QStringLiteral("Button7"), QStringLiteral("Limpar Bilhete"));
    Button8 = named<QPushButton>(QStringLiteral("Button8"), QStringLiteral("&Sortear Bilhete"));
    auto* boardButtons = new QHBoxLayout;
    boardButtons->addWidget(Button7);
    boardButtons->addWidget(Button8);
    right->addLayout(boardButtons);

    Edit9 = named<QLineEdit>(QStringLiteral("Edit9"));
    Edit9->setReadOnly(true);
    Edit11 = named<QLineEdit>(QStringLiteral("Edit11"));
    Edit11->setReadOnly(true);
    right->addWidget(new QLabel(QStringLiteral("Dezenas para Fechamento")));
    right->addWidget(Edit9);
    right->addWidget(new QLabel(QStringLiteral("Dezenas Fixas")));
    right->addWidget(Edit11);

    Button15 = named<QPushButton>(
        QStringLiteral("Button15"), QStringLiteral("Acesso ao Módulo do Fechamento LOTECA"));
    Button4 = named<QPushButton>(
        QStringLiteral("Button4"), QStringLiteral("Acesso ao Módulo do Fechamento LOTOGOL"));
    Button16 = named<QPushButton>(QStringLiteral("Button16"), QStringLiteral("Sobre"));
    right->addWidget(Button15);
    right->addWidget(Button4);
    right->addWidget(Button16);
    right->addStretch();
    layout->addLayout(right, 1);
}

void TForm1::buildClosingTab()
{
    auto* layout = new QVBoxLayout(TabFechamento);
    auto* buttons = new QHBoxLayout;
    closingCommands_ = buttons;
    Button6 = named<QPushButton>(QStringLiteral("Button6"), QStringLiteral("Salvar Fechamento"));
    Button10 = named<QPushButton>(
        QStringLiteral("Button10"), QStringLiteral("Abrir Fechamento (50 Dz)"));
    Button9
        = named<QPushButton>(QStringLiteral("Button9"), QStringLiteral("Classificar Fechamento"));
    buttons->addWidget(Button6);
    buttons->addWidget(Button10);
    buttons->addWidget(Button9);
    buttons->addStretch();
    buttons->addWidget(new QLabel(QStringLiteral("Total de Combinações Geradas")));
    Label2 = named<QLabel>(QStringLiteral("Label2"), QStringLiteral("0"));
    buttons->addWidget(Label2);
    layout->addLayout(buttons);
    Memo1 = named<LineView>(QStringLiteral("Memo1"));
    layout->addWidget(Memo1, 1);
}

void TForm1::buildSettingsTab()
{
    auto* layout = new QFormLayout(TabConfiguracoes);
    ComboBox1 = named<QComboBox>(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->addItems(
        { QStringLiteral(" "), QStringLiteral(";"), QStringLiteral("+"), QStringLiteral("-") });
    ComboBox1->lineEdit()->setMaxLength(1);
    // A digit would run into the numbers' two digits: only one non-digit character is taken.
    ComboBox1->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^0-9]?")), ComboBox1));
    layout->addRow(QStringLiteral("Separador entre Dezenas"), ComboBox1);
    CheckBox3
        = named<QCheckBox>(QStringLiteral("CheckBox3"), QStringLiteral("Triângulo de Pascal"));
    CheckBox6 = named<QCheckBox>(
        QStringLiteral("CheckBox6"), QStringLiteral("Não limpar fechamento ao gerar"));
    layout->addRow(CheckBox3);
    layout->addRow(CheckBox6);
    Edit3 = named<QLineEdit>(QStringLiteral("Edit3"), QStringLiteral("1"));
    Edit3->setReadOnly(true);
    Edit3->setEnabled(false);
    layout->addRow(QStringLiteral("Probabilidade 1 em:"), Edit3);
    Button2 = named<QPushButton>(QStringLiteral("Button2"), QStringLiteral("Limpar"));
    Button2->setVisible(false);
    layout->addRow(Button2);
}

// ---------------------------------------------------------------- parameters

Modality TForm1::modality() const
{
    for (int m = 0; m < 6; ++m)
        if (modalityButton(Modality(m))->isChecked()) return Modality(m);
    return Modality::Outros;
}

QAbstractButton* TForm1::commandControl(RunCommand command) const
{
    switch (command) {
    case RunCommand::Generate:
        return Button1;
    case RunCommand::Stop:
        return Button5;
    case RunCommand::CheckMargin:
        return Button11;
    case RunCommand::CompleteToFull:
        return CheckBoxCompletar;
    case RunCommand::BalancedPick:
        return CheckBox3;
    }
    return Button5;
}

void TForm1::enableCommand(RunCommand command, bool enabled)
{
    commandControl(command)->setEnabled(enabled);
}

bool TForm1::commandEnabled(RunCommand command) const
{
    return commandControl(command)->isEnabled();
}

bool TForm1::completeToFull() const
{
    return CheckBoxCompletar->isChecked();
}

void TForm1::onCommand(RunCommand command, std::function<void()> handler)
{
    connect(commandControl(command), &QAbstractButton::clicked, this, std::move(handler));
}

QRadioButton* TForm1::modalityButton(Modality m) const
{
    QRadioButton* const buttons[]
        = { RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5, RadioButton6 };
    return buttons[static_cast<int>(m)];
}

QChar TForm1::separator() const
{
    return LineFormat::effectiveSeparator(ComboBox1->currentText());
}

ParameterFields TForm1::readFields() const
{
    return { Edit1->text(), Edit2->text(), Edit10->text(), Edit4->text(), Edit5->text(),
        Edit6->text(), Edit8->text(), Edit13->text() };
}

void TForm1::writeFields(const ParameterFields& f)
{
    auto put = [](QLineEdit* e, const QString& text) {
        if (e->text() != text) e->setText(text);
    };
    put(Edit1, f.T);
    put(Edit2, f.K);
    put(Edit10, f.F);
    put(Edit4, f.D);
    put(Edit5, f.G);
    put(Edit6, f.C);
    put(Edit8, f.U);
    put(Edit13, f.S);
}

int TForm1::T() const
{
    return StrToInt(Edit1->text());
}
int TForm1::K() const
{
    return StrToInt(Edit2->text());
}
int TForm1::F() const
{
    return StrToInt(Edit10->text());
}
int TForm1::D() const
{
    return StrToInt(Edit4->text());
}
int TForm1::G() const
{
    return StrToInt(Edit5->text());
}
int TForm1::C() const
{
    return StrToInt(Edit6->text());
}
int TForm1::U() const
{
    return StrToInt(Edit8->text());
}

void TForm1::testecampos()
{
    ParameterFields fields = readFields();
    try {
        normaliseParameters(fields, modality());
    } catch (...) {
        writeFields(fields);
        throw;
    }
    writeFields(fields);
    if (F() <= 0 && stopFlag) {
        CheckBox3->setEnabled(true);
    } else {
        CheckBox3->setChecked(false);
        CheckBox3->setEnabled(false);
    }
    ShowOdds();
    Button10->setText(
        QStringLiteral("Abrir Fechamento (") + Edit2->text().trimmed() + QStringLiteral(" Dz)"));
    Button13->setText(QStringLiteral("Abrir (") + Edit4->text().trimmed() + QStringLiteral(" Dz)"));
    const QString mask = typedResultMask(D());
    MaskEdit1->setProperty("editMask", mask);
    QString qtMask = mask.left(mask.indexOf(u';'));
    qtMask.replace(u'9', u'0'); // an optional digit in Qt's notation
    MaskEdit1->setInputMask(qtMask + QStringLiteral(";_"));
    fields = readFields();
    clampSimulatedDrawSize(fields);
    writeFields(fields);
}

void TForm1::ShowOdds()
{
    const int d = D(), g = G(), t = T(), k = K();
    Edit3->setText(PrizeOdds::text(t, k, d, g));
}

void TForm1::Edit2Exit()
{
    testecampos();
    const int k = K();
    showReducerTab(TabQuina, k == 5 && RadioButton5->isChecked());
    showReducerTab(TabMegaSena, k == 6 && RadioButton3->isChecked());
    showReducerTab(TabDuplaSena, k == 6 && RadioButton4->isChecked());
}

void TForm1::Edit8Exit()
{
    ParameterFields fields = readFields();
    try {
        leaveHighestNumber(fields);
    } catch (...) {
        writeFields(fields);
        throw;
    }
    writeFields(fields);
    ApplyNumberRange();
    testecampos();
}

void TForm1::showReducerTab(QWidget* tab, bool visible)
{
    PageControl1->setTabVisible(PageControl1->indexOf(tab), visible);
}

void TForm1::RadioButtonModalityClick(Modality m)
{
    resetComparisonChart();
    for (int i = 0; i < 5; ++i)
        images[i]->setVisible(i == static_cast<int>(m));
    showReducerTab(TabLotofacil, m == Modality::Lotofacil);
    showReducerTab(TabMegaSena, m == Modality::MegaSena);
    showReducerTab(TabDuplaSena, m == Modality::DuplaSena);
    showReducerTab(TabQuina, m == Modality::Quina);
    MaskEdit1->clear();
    for (const auto& step : modalityChanged)
        step(m);
    const bool editableK = m != Modality::Lotomania && m != Modality::Lotofacil;
    Edit2->setEnabled(editableK);
    Edit4->setEnabled(false);
    Button7Click();
    Edit8->setEnabled(false);
    ParameterFields fields = readFields();
    applyModalityDefaults(fields, m);
    writeFields(fields);
    testecampos();
    ApplyNumberRange();
}

void TForm1::RadioButton6Click()
{
    resetComparisonChart();
    for (QLabel* image : images)
        image->setVisible(false);
    for (QWidget* tab : { TabLotofacil, TabQuina, TabMegaSena, TabDuplaSena })
        showReducerTab(tab, false);
    MaskEdit1->clear();
    Edit2->setEnabled(true);
    Edit4->setEnabled(true);
    for (const auto& step : modalityChanged)
        step(Modality::Outros);
    Button7Click();
    Edit8->setEnabled(true);
}

QWidget* TForm1::page(Page which) const
{
    return PageControl1->widget(static_cast<int>(which));
}

void TForm1::showPage(Page which)
{
    PageControl1->setCurrentIndex(static_cast<int>(which));
}

void TForm1::addClosingCommand(QPushButton* button)
{
    closingCommands_->insertWidget(
        closingCommands_->indexOf(Button9) + 1 + closingExtras_++, button);
}

void TForm1::addBesideVerification(QWidget* group)
{
    auto* row = qobject_cast<QBoxLayout*>(GroupBoxSimulation->parentWidget()->layout());
    row->insertWidget(row->indexOf(GroupBoxSimulation) + 1, group);
}

void TForm1::verifyAgainstDrawsList()
{
    RadioButton9->setChecked(true);
    RadioButton9->click();
}

QString TForm1::selectedLine() const
{
    return Edit9->text();
}

QString TForm1::selectedCountShown() const
{
    return Label20->text();
}

void TForm1::setFieldT(const QString& text)
{
    Edit1->setText(text);
}

void TForm1::setFieldF(const QString& text)
{
    Edit10->setText(text);
}

QString TForm1::fixedLine() const
{
    return Edit11->text();
}

// ---------------------------------------------------------------- board

void TForm1::refreshBoard()
{
    for (int n = 1; n <= 100; ++n)
        tiles[n]->showState(board.state(n));
    const int s = CountSelected(), f = CountFixed();
    Label22->setText(QString::number(s + f));
    Edit9->setText(SelectedText());
    Edit11->setText(FixedText());
}

int TForm1::CountSelected()
{
    const int n = board.countSelected();
    Label20->setText(QString::number(n));
    return n;
}

int TForm1::CountFixed()
{
    const int n = board.countFixed();
    Label21->setText(QString::number(n));
    return n;
}

void TForm1::LoadSelectedNumbers()
{
    selectedNumbers = board.selectedNumbers();
}
QString TForm1::SelectedText() const
{
    return board.selectedText(separator());
}
QString TForm1::FixedText() const
{
    return board.fixedText(separator());
}

void TForm1::ApplyNumberRange()
{
    board.applyNumberRange(qBound(0, U(), 100));
    for (int n = 1; n <= 100; ++n)
        tiles[n]->showState(board.state(n));
    // The total follows too, so an emptied board never shows the old count.
    Label22->setText(QString::number(CountSelected() + CountFixed()));
}

void TForm1::MarkSelected(const QString& line, bool clearFirst)
{
    if (clearFirst) Button7Click();
    board.markLine(line, Board::State::Selected);
    for (int n = 1; n <= 100; ++n)
        tiles[n]->showState(board.state(n));
}

void TForm1::MarkFixed(const QString& line, bool clearFirst)
{
    if (clearFirst) Button7Click();
    board.markLine(line, Board::State::Fixed);
    for (int n = 1; n <= 100; ++n)
        tiles[n]->showState(board.state(n));
}

void TForm1::StaticText1Click(int n)
{
    clickedNumber = n;
    board.click(n, T(), F());
    tiles[n]->showState(board.state(n));
    refreshBoard();
}

void TForm1::Button7Click()
{
    Edit9->clear();
    board.clear();
    CountSelected();
    ApplyNumberRange();
}

void TForm1::Button8Click()
{
    RandomSource::instance().reseedFromClock();
    const int t = T(), f = F();
    if (!board.drawRandom(t, f, RandomSource::instance())) {
        Dialogs::information(this,
            QStringLiteral(
                "Não há dezenas livres suficientes na modalidade para completar o bilhete."));
        return;
    }
    LoadSelectedNumbers();
    refreshBoard();
}

void TForm1::Button16Click()
{
    TFormSobre about(this);
    about.exec();
}

// ---------------------------------------------------------------- runs

void TForm1::setResultLabel(const QString& text)
{
    Label2->setText(text);
}
void TForm1::setStatus(const QString& text)
{
    Label15->setText(text);
}

void TForm1::lockForRun(bool locked)
{
    // Besides the closing parameters: the highest number (it moves T and the board) and the
    // verification's inputs and mode, which only a verification started later may read.
    for (QLineEdit* e :
        { Edit1, Edit2, Edit10, Edit4, Edit5, Edit6, Edit8, Edit7, Edit13, MaskEdit1 })
        e->setReadOnly(locked);
    for (QWidget* w : std::initializer_list<QWidget*> { Button7, Button8, RadioButton1,
             RadioButton2, RadioButton3, RadioButton4, RadioButton5, RadioButton6, Button3,
             RadioButton7, RadioButton8, RadioButton9, RadioButton10, CheckBox4 })
        w->setEnabled(!locked);
    TabLotofacil->setEnabled(!locked);
    if (locked) CheckBox3->setEnabled(false);
}

void TForm1::restoreAfterError()
{
    lockForRun(false);
    stopFlag = true;
    Button5->setEnabled(false);
    Button1->setEnabled(true);
    Button11->setEnabled(true);
    CheckBoxCompletar->setEnabled(true);
    Memo1->setVerticalScrollAllowed(true);
    setStatus(QStringLiteral("."));
    CheckBox3->setEnabled(true);
    try {
        if (F() > 0) CheckBox3->setEnabled(false);
    } catch (const ConversionError&) {
    }
}

void TForm1::guarded(const std::function<void()>& handler)
{
    runGuarded(this, handler, [this] { restoreAfterError(); });
}

bool TForm1::mayRun(Command command)
{
    if (jobs.allows(command, stopFlag)) return true;
    if (const QString why = RunRules::refusal(command); !why.isEmpty())
        Dialogs::information(this, why);
    return false;
}

void TForm1::Button2Click()
{
    if (!CheckBox6->isChecked()) Memo1->store().clear();
    setResultLabel(QStringLiteral("0"));
}

void TForm1::Button5Click()
{
    stopFlag = true;
    TabLotofacil->setEnabled(true);
    Memo1->setVerticalScrollAllowed(true);
}

void TForm1::Button1Click()
{
    const bool enumeration = Edit2->text() == Edit4->text() && Edit5->text() == Edit4->text();
    const JobState::Scope job(jobs, enumeration ? Job::Enumeration : Job::Generation);
    lockForRun(true);
    if (T() != CountSelected() + CountFixed() || F() != CountFixed()) {
        Memo1->store().clear();
        Button8Click();
    }
    LoadSelectedNumbers();
    PageControl1->setCurrentWidget(TabFechamento);
    stopFlag = false;
    Button3->setEnabled(false);
    if (!enumeration) {
        Memo1->setVerticalScrollAllowed(false);
        Button2Click();
        Gerafechamento();
    } else {
        setStatus(QStringLiteral("Gerando Fechamento"));
        if (fullEnumeration) fullEnumeration();
        stopFlag = true;
        setStatus(QStringLiteral("."));
    }
    stopFlag = true;
    testecampos();
    lockForRun(false);
    Memo1->setVerticalScrollAllowed(true);
}

void TForm1::Gerafechamento()
{
    RandomSource::instance().reseedFromClock();
    stopFlag = false;
    Button1->setEnabled(false);
    Button5->setEnabled(true);
    Button11->setEnabled(false);
    setStatus(QStringLiteral("Pare quando quiser."));
    ProgressBar1->setValue(0);

    CoveringGenerator::Setup setup;
    setup.K = K();
    setup.F = F();
    setup.G = G();
    setup.C = C();
    const int positions = qBound(0, T() - setup.F, static_cast<int>(selectedNumbers.size()));
    setup.selected.assign(selectedNumbers.begin(), selectedNumbers.begin() + positions);
    setup.fixed = board.fixedNumbers();
    setup.fixedLine = Edit11->text();
    setup.balancedPick = CheckBox3->isChecked();

    auto report = [&](const CoveringGenerator& generator) {
        setResultLabel(QString::number(Memo1->store().size()) + QStringLiteral(" fechados em ")
            + QString::number(generator.drawsMade(), 'f', 0) + QStringLiteral(" combinações."));
    };

    const bool hopeless = setup.K < setup.G && modality() == Modality::Outros;
    if (hopeless) {
        Dialogs::information(this,
            QStringLiteral(
                "Com menos dezenas por bilhete do que a garantia pretendida nenhum bilhete pode "
                "garantir o acerto. Aumente as dezenas por bilhete ou diminua a garantia."));
    } else if (setup.C - setup.F > static_cast<int>(setup.selected.size())) {
        Dialogs::information(this,
            QStringLiteral(
                "O bilhete não tem dezenas selecionadas suficientes para a condição de acerto."));
    } else {
        CoveringGenerator generator(setup, Memo1->store(), RandomSource::instance());
        EventPump pump;
        while (!stopFlag) {
            generator.step(separator());
            if (generator.coveredSinceReport() >= 1000 && !Memo1->store().empty()) {
                generator.resetReportCounter();
                report(generator);
            }
            pump.maybePump();
        }
        report(generator);
    }
    setStatus(QStringLiteral("."));
    Button5->setEnabled(false);
    Button1->setEnabled(true);
    Button11->setEnabled(true);
    stopFlag = true;
}

// ---------------------------------------------------------------- start and close

void TForm1::FormCreate()
{
    stopFlag = true;
    Button2Click();
    Button8Click();
    ShowOdds();
    testecampos();
    for (const auto& step : afterCreate)
        step();
    for (QWidget* tab : { TabLotofacil, TabQuina, TabMegaSena, TabDuplaSena })
        showReducerTab(tab, false);
    WindowGeometry::restore(*this, WindowGeometry::kMainWindow);
}

void TForm1::closeEvent(QCloseEvent* event)
{
    bool refuse = !jobs.allows(Command::CloseWindow, stopFlag);
    for (const auto& veto : closeVetoes)
        refuse = refuse || veto();
    if (refuse) {
        event->ignore();
        Dialogs::information(this, RunRules::refusal(Command::CloseWindow));
        return;
    }
    WindowGeometry::save(*this, WindowGeometry::kMainWindow);
    event->accept();
}

void TForm1::onExit(QWidget* widget, std::function<void()> handler)
{
    exitFilter_->add(widget, std::move(handler));
}
