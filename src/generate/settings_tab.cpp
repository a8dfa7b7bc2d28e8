#include "generate/settings_tab.h"

#include "engine/generate/line_format.h"
#include "engine/generate/prize_odds.h"
#include "ui/bet_parameters.h"
#include "ui/named_widget.h"
#include "ui/window_seams.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

SettingsTab::SettingsTab(WindowSeams& window, const BetParameters& parameters)
    : QObject(&window.host())
    , window_(window)
    , parameters_(parameters)
{
}

void SettingsTab::build(QWidget* page)
{
    layout_ = new QFormLayout(page);
    ComboBox1 = named<QComboBox>(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->addItems(
        { QStringLiteral(" "), QStringLiteral(";"), QStringLiteral("+"), QStringLiteral("-") });
    ComboBox1->lineEdit()->setMaxLength(1);
    // A digit would run into the numbers' two digits: only one non-digit character is taken.
    ComboBox1->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^0-9]?")), ComboBox1));
    layout_->addRow(QStringLiteral("Separador entre Dezenas"), ComboBox1);
    CheckBox3
        = named<QCheckBox>(QStringLiteral("CheckBox3"), QStringLiteral("Triângulo de Pascal"));
    CheckBox6 = named<QCheckBox>(
        QStringLiteral("CheckBox6"), QStringLiteral("Não limpar fechamento ao gerar"));
    layout_->addRow(CheckBox3);
    layout_->addRow(CheckBox6);
    Edit3 = named<QLineEdit>(QStringLiteral("Edit3"), QStringLiteral("1"));
    Edit3->setReadOnly(true);
    Edit3->setEnabled(false);
    layout_->addRow(QStringLiteral("Probabilidade 1 em:"), Edit3);
    Button2 = named<QPushButton>(QStringLiteral("Button2"), QStringLiteral("Limpar"));
    Button2->setVisible(false);
    layout_->addRow(Button2);
}

QChar SettingsTab::separator() const
{
    return LineFormat::effectiveSeparator(ComboBox1->currentText());
}

bool SettingsTab::balancedPick() const
{
    return CheckBox3->isChecked();
}

bool SettingsTab::keepsClosing() const
{
    return CheckBox6->isChecked();
}

void SettingsTab::onClear(std::function<void()> handler)
{
    connect(Button2, &QPushButton::clicked, this,
        [this, handler = std::move(handler)] { window_.guarded(handler); });
}

void SettingsTab::addGroup(QWidget* group)
{
    layout_->addRow(group);
}

void SettingsTab::ShowOdds()
{
    const int d = parameters_.D(), g = parameters_.G(), t = parameters_.T(), k = parameters_.K();
    Edit3->setText(PrizeOdds::text(t, k, d, g));
}

void SettingsTab::parametersChanged(int fixed, bool idle)
{
    if (fixed <= 0 && idle) {
        CheckBox3->setEnabled(true);
    } else {
        CheckBox3->setChecked(false);
        CheckBox3->setEnabled(false);
    }
}

void SettingsTab::lock(bool locked)
{
    if (locked) CheckBox3->setEnabled(false);
}
