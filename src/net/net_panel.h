#pragma once

#include "net/http_client.h"

#include <QObject>
#include <QString>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class TFSenha;
class TForm1;

// The results site that a first run (or a blank "Endereço do Site:") points at. No public site
// serves our result files, so the default is a server on the user's own machine; README.md
// tells how to serve the files and how to point the program elsewhere.
inline constexpr const char* defaultResultsSite = "http://localhost:8000";

// The internet settings group of the settings tab, the proxy credentials dialog and the
// "Baixar Resultados" panel beside the verification controls, bound to the main window.
class NetPanel : public QObject
{
    Q_OBJECT
public:
    explicit NetPanel(TForm1& form);
    ~NetPanel() override;

    // settings group
    QGroupBox* GroupBox15;
    QCheckBox* CheckBox14; // "Usar Proxy para acessar internet"
    QCheckBox* CheckBox15; // "Usar CHAVE e SENHA para acessar a internet"
    QLineEdit* Edit81; // proxy address
    QLineEdit* Edit82; // proxy port
    QLineEdit* Edit44; // site address
    QPushButton* Button20; // "Salvar Configurações"
    // download panel
    QGroupBox* GroupBox16;
    QLineEdit *Edit83, *Edit84; // "de", "a"
    QPushButton* Button21; // "Baixar"

    HttpClient& client() { return client_; }
    TFSenha& credentialsDialog() { return *FSenha_; }

    void LoadSettings();
    void Button20Click();
    void CheckBox14Click();
    void Button21Click();
    // The body of a GET, or "erro" when it failed; asks for the proxy credentials first when
    // they are wanted and none are held, and forgets the password after a failure.
    QString Fetch(const QString& address);

private:
    void buildSettingsGroup();
    void buildDownloadPanel();

    TForm1& form_;
    HttpClient client_;
    std::unique_ptr<TFSenha> FSenha_;
    bool downloading_ = false;
};

void attachNet(TForm1& form);
