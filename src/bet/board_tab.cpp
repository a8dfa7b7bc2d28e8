#include "bet/board_tab.h"

#include "bet/tile_label.h"
#include "engine/base/random_source.h"
#include "ui/bet_parameters.h"
#include "ui/dialogs.h"
#include "ui/named_widget.h"
#include "ui/run_host.h"
#include "ui/settings_page.h"
#include "ui/window_seams.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

BoardTab::BoardTab(WindowSeams& window, RunHost& runs, BetParameters& parameters, Board& board,
    const SettingsPage& settings)
    : QObject(&window.host())
    , window_(window)
    , runs_(runs)
    , parameters_(parameters)
    , board_(board)
    , settings_(settings)
{
}

void BoardTab::build(QWidget* page)
{
    auto* layout = new QHBoxLayout(page);
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
    Edit8 = numberField(QStringLiteral("Edit8"), QStringLiteral("100"), 3);
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

    // The player's commands pass the run rules first; the handlers themselves are also called
    // by the runs, which the rules must not stop.
    auto command = [this](Command c, std::function<void()> handler) {
        return [this, c, handler = std::move(handler)] {
            if (runs_.mayRun(c)) window_.guarded(handler);
        };
    };
    connect(Button7, &QPushButton::clicked, this,
        command(Command::ClearBoard, [this] { Button7Click(); }));
    connect(Button8, &QPushButton::clicked, this,
        command(Command::RandomBet, [this] { Button8Click(); }));
    for (int m = 0; m < 6; ++m)
        connect(modalityButton(Modality(m)), &QRadioButton::clicked, this,
            command(
                Command::ChangeModality, [this, m] { parameters_.switchModality(Modality(m)); }));
    for (int n = 1; n <= 100; ++n)
        connect(tiles[n], &TileLabel::clicked, this, [this](int number) {
            if (runs_.mayRun(Command::ClickTile))
                window_.guarded([this, number] { StaticText1Click(number); });
        });
    parameters_.onParameterFieldExit(Edit8, [this] { Edit8Exit(); });
}

QRadioButton* BoardTab::modalityButton(Modality m) const
{
    QRadioButton* const buttons[]
        = { RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5, RadioButton6 };
    return buttons[static_cast<int>(m)];
}

Modality BoardTab::modality() const
{
    for (int m = 0; m < 6; ++m)
        if (modalityButton(Modality(m))->isChecked()) return Modality(m);
    return Modality::Outros;
}

void BoardTab::showTiles()
{
    for (int n = 1; n <= 100; ++n)
        tiles[n]->showState(board_.state(n));
}

void BoardTab::refresh()
{
    showTiles();
    const int s = CountSelected(), f = CountFixed();
    Label22->setText(QString::number(s + f));
    Edit9->setText(SelectedText());
    Edit11->setText(FixedText());
}

int BoardTab::CountSelected()
{
    const int n = board_.countSelected();
    Label20->setText(QString::number(n));
    return n;
}

int BoardTab::CountFixed()
{
    const int n = board_.countFixed();
    Label21->setText(QString::number(n));
    return n;
}

int BoardTab::countSelected() const
{
    return board_.countSelected();
}

int BoardTab::countFixed() const
{
    return board_.countFixed();
}

std::vector<int> BoardTab::selectedNumbers() const
{
    return board_.selectedNumbers();
}

QString BoardTab::SelectedText() const
{
    return board_.selectedText(settings_.separator());
}

QString BoardTab::FixedText() const
{
    return board_.fixedText(settings_.separator());
}

QString BoardTab::selectedLine() const
{
    return Edit9->text();
}

QString BoardTab::fixedLine() const
{
    return Edit11->text();
}

QString BoardTab::selectedCountShown() const
{
    return Label20->text();
}

void BoardTab::ApplyNumberRange()
{
    board_.applyNumberRange(qBound(0, parameters_.U(), 100));
    showTiles();
    // The total follows too, so an emptied board never shows the old count.
    Label22->setText(QString::number(CountSelected() + CountFixed()));
}

void BoardTab::markSelected(const QString& line, bool clearFirst)
{
    if (clearFirst) Button7Click();
    board_.markLine(line, Board::State::Selected);
    showTiles();
}

void BoardTab::markFixed(const QString& line, bool clearFirst)
{
    if (clearFirst) Button7Click();
    board_.markLine(line, Board::State::Fixed);
    showTiles();
}

void BoardTab::showModality(Modality m)
{
    for (int i = 0; i < 5; ++i)
        images[i]->setVisible(i == static_cast<int>(m));
    Edit8->setEnabled(m == Modality::Outros);
}

void BoardTab::lock(bool locked)
{
    Edit8->setReadOnly(locked);
    for (QWidget* w : std::initializer_list<QWidget*> { Button7, Button8, RadioButton1,
             RadioButton2, RadioButton3, RadioButton4, RadioButton5, RadioButton6 })
        w->setEnabled(!locked);
}

void BoardTab::StaticText1Click(int n)
{
    board_.click(n, parameters_.T(), parameters_.F());
    tiles[n]->showState(board_.state(n));
    refresh();
}

void BoardTab::Button7Click()
{
    Edit9->clear();
    board_.clear();
    CountSelected();
    ApplyNumberRange();
}

void BoardTab::Button8Click()
{
    RandomSource::instance().reseedFromClock();
    const int t = parameters_.T(), f = parameters_.F();
    if (!board_.drawRandom(t, f, RandomSource::instance())) {
        Dialogs::information(&window_.host(),
            QStringLiteral(
                "Não há dezenas livres suficientes na modalidade para completar o bilhete."));
        return;
    }
    refresh();
}

void BoardTab::Edit8Exit()
{
    ParameterFields fields = parameters_.fields();
    try {
        leaveHighestNumber(fields);
    } catch (...) {
        parameters_.setFields(fields);
        throw;
    }
    parameters_.setFields(fields);
    ApplyNumberRange();
    parameters_.normalise();
}
