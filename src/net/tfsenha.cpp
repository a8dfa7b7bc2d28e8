#include "net/tfsenha.h"

#include "engine/net/http_client.h"

#include <QFormLayout>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

TFSenha::TFSenha(HttpClient& client, QWidget* parent)
    : QDialog(parent)
    , client_(client)
{
    setObjectName(QStringLiteral("FSenha"));
    setWindowTitle(QStringLiteral("Senha de Acesso Internet"));
    setModal(true);
    auto* layout = new QFormLayout(this);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setEchoMode(QLineEdit::Password);
    Edit2->setStyleSheet(QStringLiteral("lineedit-password-character: 42")); // '*'
    Button1 = new QPushButton(QStringLiteral("Ok"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    layout->addRow(QStringLiteral("Chave"), Edit1);
    layout->addRow(QStringLiteral("Senha"), Edit2);
    layout->addRow(Button1);
    connect(Button1, &QPushButton::clicked, this, &TFSenha::Button1Click);
    setFixedSize(sizeHint().expandedTo(QSize(260, 0)));
}

void TFSenha::Button1Click()
{
    client_.proxyUser = Edit1->text();
    client_.proxyPassword = Edit2->text();
    accept();
}

int TFSenha::exec()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = geometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    Edit1->setFocus();
    return QDialog::exec();
}
