#include "app/tform_sobre.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFormSobre::TFormSobre(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FormSobre"));
    setWindowTitle(QStringLiteral("Sobre o QUIRVA"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* text = new QPlainTextEdit(this);
    text->setObjectName(QStringLiteral("MemoSobre"));
    text->setReadOnly(true);
    text->setPlainText(QStringLiteral(
        "QUIRVA\n\n"
        "Combinador de loterias com garantia de fechamento para até 100 dezenas.\n\n"
        "Monte fechamentos para Lotomania, Lotofácil, Mega-Sena, Dupla-Sena, Quina e "
        "modalidades livres, confira-os contra sorteios simulados, digitados, de arquivo ou "
        "baixados, reduza-os e imprima-os nos volantes oficiais. Inclui os módulos da Loteca e "
        "da Lotogol.\n\n"
        "Jogue com responsabilidade: nenhum fechamento aumenta a chance de um bilhete."));
    layout->addWidget(text);
    auto* close = new QPushButton(QStringLiteral("Fechar"), this);
    close->setObjectName(QStringLiteral("ButtonFechar"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close);
    resize(420, 300);
}
