#include "app/tform1.h"

#include "app/tform_sobre.h"
#include "bet/board_tab.h"
#include "chart/comparison_chart.h"
#include "engine/base/conversion.h"
#include "generate/generation_panel.h"
#include "generate/optimizer_panel.h"
#include "generate/settings_tab.h"
#include "net/net_panel.h"
#include "pools/attach_pools.h"
#include "reduce/reducers.h"
#include "slips/print_tab.h"
#include "ui/dialogs.h"
#include "ui/field_exit_filter.h"
#include "ui/handler_guard.h"
#include "ui/line_view.h"
#include "ui/named_widget.h"
#include "ui/window_geometry.h"
#include "verify/verification_panel.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

TForm1::TForm1(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral(
        "QUIRVA - Combinador de Loterias com Garantia de Fechamento para até 100 Dezenas"));
    exitFilter_ = new FieldExitFilter(this, [this](const std::function<void()>& h) { guarded(h); });
    settings_ = new SettingsTab(*this, *this);
    board_ = new BoardTab(*this, *this, *this, board, *settings_);
    verification_ = new VerificationPanel(*this, *this, *this, *this, *board_, *settings_);

    // The order in which the controls join the window is the order of the focus, so the
    // panels build their parts here in the window's order.
    auto* top = new QVBoxLayout(this);
    top->addWidget(buildParameterPanel());
    PageControl1 = named<QTabWidget>(QStringLiteral("PageControl1"));
    top->addWidget(PageControl1, 1);
    buildPages();
    board_->build(page(Page::Selecao));
    verification_->buildClosingTab(page(Page::Fechamento));
    settings_->build(page(Page::Configuracoes));
    verification_->buildSimulationTab(page(Page::Simulacao));
    connect(board_->aboutButton(), &QPushButton::clicked, this,
        [this] { guarded([this] { Button16Click(); }); });

    for (QLineEdit* e : { Edit1, Edit4, Edit5, Edit6, Edit10 })
        onParameterFieldExit(e, [this] { testecampos(); });
    onParameterFieldExit(Edit2, [this] { Edit2Exit(); });
    connect(Button5, &QPushButton::clicked, this, [this] { guarded([this] { Button5Click(); }); });

    generation_
        = attachGeneration(*this, *this, *this, *this, *board_, *verification_, *settings_, *this);
    attachReducers(*this, *this, *this, *verification_);
    PrintTab* printTab = attachPrinting(*this, *this, *board_, *verification_);
    attachPools(*this, board_->lotecaButton(), board_->lotogolButton(),
        [printTab] { return printTab->settings(); });
    attachNet(*this, *this, *this, *board_, *verification_, *settings_);
    attachChart(*this, *this, *this, *board_, *verification_);
    attachOptimizer(*this, *this, *this, *this, *board_, *verification_, *settings_);
}

TForm1::~TForm1() = default;

QWidget* TForm1::buildParameterPanel()
{
    auto* panel = new QWidget;
    auto* row = new QHBoxLayout(panel);
    parameterRow_ = row;
    row->setContentsMargins(0, 0, 0, 0);
    auto* left = new QGridLayout;
    row->addLayout(left);

    Edit1 = numberField(QStringLiteral("Edit1"), QStringLiteral("60"), 3);
    Edit2 = numberField(QStringLiteral("Edit2"), QStringLiteral("50"), 2);
    Edit10 = numberField(QStringLiteral("Edit10"), QStringLiteral("0"), 2);
    Edit4 = numberField(QStringLiteral("Edit4"), QStringLiteral("20"), 2);
    Edit5 = numberField(QStringLiteral("Edit5"), QStringLiteral("17"), 2);
    Edit6 = numberField(QStringLiteral("Edit6"), QStringLiteral("20"), 2);
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

    row->addWidget(verification_->buildSimulationGroup());
    return panel;
}

void TForm1::buildPages()
{
    auto page = [this](const QString& name, const QString& caption) {
        PageControl1->addTab(named<QWidget>(name), caption);
    };
    page(QStringLiteral("TabSelecao"), QStringLiteral("Seleção das Dezenas a Apostar"));
    page(QStringLiteral("TabFechamento"), QStringLiteral("Fechamento"));
    page(QStringLiteral("TabSimulacao"), QStringLiteral("Simulação e Conferência"));
    page(QStringLiteral("TabImpressao"), QStringLiteral("Impressão de Bilhetes"));
    page(QStringLiteral("TabConfiguracoes"), QStringLiteral("Configurações"));
    page(QStringLiteral("TabComparativo"), QStringLiteral("Comparativo de Dezenas"));
    page(QStringLiteral("TabLotofacil"), QStringLiteral("Redutor Lotofácil"));
    page(QStringLiteral("TabQuina"), QStringLiteral("Redutor Quina"));
    page(QStringLiteral("TabMegaSena"), QStringLiteral("Redutor Mega-Sena"));
    page(QStringLiteral("TabDuplaSena"), QStringLiteral("Redutor Dupla-Sena"));
}

// ---------------------------------------------------------------- parameters

std::vector<QWidget*> TForm1::commandsOffWhileRunning(Job job) const
{
    std::vector<QWidget*> off { Button1, Button11, settings_->balancedPickBox() };
    // Only the margin check and the optimizer take the completion choice from the player.
    if (job == Job::MarginCheck || job == Job::Optimizer) off.push_back(CheckBoxCompletar);
    return off;
}

QWidget* TForm1::stopCommand() const
{
    return Button5;
}

void TForm1::onGenerate(std::function<void()> handler)
{
    connect(Button1, &QPushButton::clicked, this, std::move(handler));
}

void TForm1::onCheckMargin(std::function<void()> handler)
{
    connect(Button11, &QPushButton::clicked, this, std::move(handler));
}

bool TForm1::completeToFull() const
{
    return CheckBoxCompletar->isChecked();
}

ParameterFields TForm1::fields() const
{
    return { Edit1->text(), Edit2->text(), Edit10->text(), Edit4->text(), Edit5->text(),
        Edit6->text(), board_->highestNumberField()->text(),
        verification_->simulatedDrawSizeField()->text() };
}

void TForm1::setFields(const ParameterFields& f)
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
    put(board_->highestNumberField(), f.U);
    put(verification_->simulatedDrawSizeField(), f.S);
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
    return StrToInt(board_->highestNumberField()->text());
}

void TForm1::setT(const QString& text)
{
    Edit1->setText(text);
}

void TForm1::setF(const QString& text)
{
    Edit10->setText(text);
}

void TForm1::testecampos()
{
    ParameterFields fields = this->fields();
    try {
        normaliseParameters(fields, board_->modality());
    } catch (...) {
        setFields(fields);
        throw;
    }
    setFields(fields);
    // A lowered F leaves no fixed tile beyond it, so that no ticket gets more than K numbers.
    if (board.releaseFixedBeyond(F(), T()) > 0) board_->refresh();
    settings_->parametersChanged(F(), stopFlag);
    settings_->ShowOdds();
    verification_->parametersChanged(this->fields());
    fields = this->fields();
    clampSimulatedDrawSize(fields);
    setFields(fields);
}

void TForm1::Edit2Exit()
{
    testecampos();
    const int k = K();
    const Modality m = board_->modality();
    showReducerTab(Page::Quina, k == 5 && m == Modality::Quina);
    showReducerTab(Page::MegaSena, k == 6 && m == Modality::MegaSena);
    showReducerTab(Page::DuplaSena, k == 6 && m == Modality::DuplaSena);
}

void TForm1::onParameterFieldExit(QWidget* field, std::function<void()> handler)
{
    onExit(field, [this, handler = std::move(handler)] {
        if (mayRun(Command::EditParameters)) guarded(handler);
    });
}

void TForm1::showReducerTab(Page tab, bool visible)
{
    PageControl1->setTabVisible(static_cast<int>(tab), visible);
}

void TForm1::switchModality(Modality m)
{
    if (m == Modality::Outros)
        RadioButton6Click();
    else
        RadioButtonModalityClick(m);
}

void TForm1::RadioButtonModalityClick(Modality m)
{
    verification_->drawsReset();
    board_->showModality(m);
    showReducerTab(Page::Lotofacil, m == Modality::Lotofacil);
    showReducerTab(Page::MegaSena, m == Modality::MegaSena);
    showReducerTab(Page::DuplaSena, m == Modality::DuplaSena);
    showReducerTab(Page::Quina, m == Modality::Quina);
    verification_->clearTypedResult();
    for (const auto& step : modalityChanged_)
        step(m);
    const bool editableK = m != Modality::Lotomania && m != Modality::Lotofacil;
    Edit2->setEnabled(editableK);
    Edit4->setEnabled(false);
    board_->Button7Click();
    ParameterFields fields = this->fields();
    applyModalityDefaults(fields, m);
    setFields(fields);
    testecampos();
    board_->ApplyNumberRange();
}

void TForm1::RadioButton6Click()
{
    verification_->drawsReset();
    board_->showModality(Modality::Outros);
    for (Page tab : { Page::Lotofacil, Page::Quina, Page::MegaSena, Page::DuplaSena })
        showReducerTab(tab, false);
    verification_->clearTypedResult();
    Edit2->setEnabled(true);
    Edit4->setEnabled(true);
    for (const auto& step : modalityChanged_)
        step(Modality::Outros);
    board_->Button7Click();
}

// ---------------------------------------------------------------- board, for the handlers that
// the window's documents name as the window's own

int TForm1::CountSelected()
{
    return board_->CountSelected();
}
int TForm1::CountFixed()
{
    return board_->CountFixed();
}
QString TForm1::SelectedText() const
{
    return board_->SelectedText();
}
void TForm1::MarkSelected(const QString& line, bool clearFirst)
{
    board_->markSelected(line, clearFirst);
}
void TForm1::MarkFixed(const QString& line, bool clearFirst)
{
    board_->markFixed(line, clearFirst);
}
void TForm1::StaticText1Click(int n)
{
    board_->StaticText1Click(n);
}
void TForm1::refreshBoard()
{
    board_->refresh();
}

// ---------------------------------------------------------------- window

QWidget* TForm1::page(Page which) const
{
    return PageControl1->widget(static_cast<int>(which));
}

void TForm1::showPage(Page which)
{
    PageControl1->setCurrentIndex(static_cast<int>(which));
}

void TForm1::addToParameterRow(QWidget* group)
{
    parameterRow_->addWidget(group);
}

void TForm1::afterCreate(std::function<void()> step)
{
    afterCreate_.push_back(std::move(step));
}

void TForm1::closeVeto(std::function<bool()> veto)
{
    closeVetoes_.push_back(std::move(veto));
}

void TForm1::onModalityChanged(std::function<void(Modality)> step)
{
    modalityChanged_.push_back(std::move(step));
}

// ---------------------------------------------------------------- runs

void TForm1::setStatus(const QString& text)
{
    Label15->setText(text);
}

void TForm1::lockForRun(bool locked)
{
    // Besides the closing parameters: the highest number (it moves T and the board) and the
    // verification's inputs and mode, which only a verification started later may read.
    for (QLineEdit* e : { Edit1, Edit2, Edit10, Edit4, Edit5, Edit6 })
        e->setReadOnly(locked);
    board_->lock(locked);
    verification_->lock(locked);
    page(Page::Lotofacil)->setEnabled(!locked);
    settings_->lock(locked);
}

void TForm1::guarded(const std::function<void()>& handler)
{
    // A run's scope has put back what the run locked by the time the message shows; what is
    // left to do is what a run shows while it goes.
    runGuarded(this, handler, [this] {
        verification_->closing().setVerticalScrollAllowed(true);
        setStatus(QStringLiteral("."));
    });
}

bool TForm1::mayRun(Command command)
{
    if (jobs.allows(command, stopFlag)) return true;
    if (const QString why = RunRules::refusal(command); !why.isEmpty())
        Dialogs::information(this, why);
    return false;
}

void TForm1::Button5Click()
{
    stopFlag = true;
    page(Page::Lotofacil)->setEnabled(true);
    verification_->closing().setVerticalScrollAllowed(true);
}

void TForm1::Button16Click()
{
    TFormSobre about(this);
    about.exec();
}

// ---------------------------------------------------------------- start and close

void TForm1::FormCreate()
{
    stopFlag = true;
    generation_->Button2Click();
    board_->Button8Click();
    settings_->ShowOdds();
    testecampos();
    for (const auto& step : afterCreate_)
        step();
    for (Page tab : { Page::Lotofacil, Page::Quina, Page::MegaSena, Page::DuplaSena })
        showReducerTab(tab, false);
    WindowGeometry::restore(*this, WindowGeometry::kMainWindow);
}

void TForm1::closeEvent(QCloseEvent* event)
{
    bool refuse = !jobs.allows(Command::CloseWindow, stopFlag);
    for (const auto& veto : closeVetoes_)
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
