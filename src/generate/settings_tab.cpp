#include "generate/settings_tab.h"

#include "app/bet_context.h"
#include "engine/base/conversion.h"
#include "engine/generate/line_format.h"
#include "engine/generate/prize_odds.h"
#include "ui/line_view.h"
#include "ui/named_widget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

SettingsTab::SettingsTab(BetContext& context, QWidget* page)
    : QObject(page)
    , context_(context)
    , layout_(new QFormLayout(page))
{
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
    connect(Button2, &QPushButton::clicked, this,
        [this] { context_.guarded([this] { Button2Click(); }); });
}

QChar SettingsTab::separator() const
{
    return LineFormat::effectiveSeparator(ComboBox1->currentText());
}

void SettingsTab::addGroup(QWidget* group)
{
    layout_->addRow(group);
}

void SettingsTab::ShowOdds()
{
    const int d = context_.D(), g = context_.G(), t = context_.T(), k = context_.K();
    Edit3->setText(PrizeOdds::text(t, k, d, g));
}

void SettingsTab::Button2Click()
{
    if (!CheckBox6->isChecked()) context_.closingView().store().clear();
    context_.setResultLabel(QStringLiteral("0"));
}

void SettingsTab::parametersChanged(int fixed)
{
    if (fixed <= 0 && context_.stopFlag) {
        CheckBox3->setEnabled(true);
    } else {
        CheckBox3->setChecked(false);
        CheckBox3->setEnabled(false);
    }
}

void SettingsTab::restoreAfterError()
{
    CheckBox3->setEnabled(true);
    try {
        if (context_.F() > 0) CheckBox3->setEnabled(false);
    } catch (const ConversionError&) {
    }
}

void SettingsTab::lock(bool locked)
{
    if (locked) CheckBox3->setEnabled(false);
}
