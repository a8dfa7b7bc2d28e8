#pragma once

#include <QDialog>

class HttpClient;
class QLineEdit;
class QPushButton;

// The proxy credentials dialog: "Ok" hands the typed user name and password to the HTTP
// client; closing it any other way leaves the client's credentials as they were.
class TFSenha : public QDialog
{
    Q_OBJECT
public:
    explicit TFSenha(HttpClient& client, QWidget* parent = nullptr);

    QLineEdit* Edit1; // "Chave"
    QLineEdit* Edit2; // "Senha"
    QPushButton* Button1; // "Ok"

    void Button1Click();
    // Shows the dialog modally, centred on the screen, with "Chave" focused.
    int exec() override;

private:
    HttpClient& client_;
};
