#pragma once

#include "engine/bet/modality.h"
#include "engine/net/http_client.h"
#include "engine/net/result_files.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TFSenha;
class BetBoard;
class DrawsArea;
class ResultsDownload;
class RunHost;
class RunStatus;
class SettingsPage;
class WindowSeams;


// The internet settings group of the settings tab, the proxy credentials dialog and the
// "Baixar Resultados" panel beside the verification controls, bound to the main window.
class NetPanel : public QObject
{
    Q_OBJECT
public:
    NetPanel(WindowSeams& window, RunHost& runs, RunStatus& status, const BetBoard& board,
        DrawsArea& draws, SettingsPage& settings);
    ~NetPanel() override;

    // settings group
    QGroupBox* GroupBox15;
    QCheckBox* CheckBox14; // "Usar Proxy para acessar internet"
    QCheckBox* CheckBox15; // "Usar CHAVE e SENHA para acessar a internet"
    QLineEdit* Edit81; // proxy address
    QLineEdit* Edit82; // proxy port
    QRadioButton* RadioButton11; // "Resultados oficiais (Caixa)"
    QLabel* Label117; // the official service's address in use
    QRadioButton* RadioButton12; // "Site próprio"
    QLineEdit* Edit44; // site address
    QPushButton* Button20; // "Salvar Configurações"
    // download panel
    QGroupBox* GroupBox16;
    QLineEdit *Edit83, *Edit84; // "de", "a"
    QPushButton* Button24; // "Até o último"
    QPushButton* Button21; // "Baixar"

    HttpClient& client() { return client_; }
    TFSenha& credentialsDialog() { return *FSenha_; }
    // The official service's base address: the built-in one unless the settings file names
    // another, which the settings tab then shows.
    const QString& officialService() const { return officialService_; }
    bool officialSource() const;

    void LoadSettings();
    void Button20Click();
    void CheckBox14Click();
    void RadioButton11Click(); // either source switch
    void Button21Click();
    void Button24Click();
    // The body of a GET, or "erro" when it failed; asks for the proxy credentials first when
    // they are wanted and none are held, and forgets the password after a failure.
    QString Fetch(const QString& address);

private:
    class Run;

    void buildSettingsGroup();
    void buildDownloadPanel();
    void showOfficialService(bool changed);
    // A GET as Fetch makes it; during a download it lets "Parar" through and stops with it.
    HttpClient::Result request(const QString& address, HttpClient::Options options);
    void askCredentialsWhenWanted();
    void forgetPassword();
    // The source, the credentials and "Parar" as the panel has them.
    void prepare(ResultsDownload& download);
    // Downloads the contests into the draws area, the progress bar counting them; what to tell
    // the player when the download ended early, empty otherwise.
    QString downloadContests(Modality m, int first, int last);
    // Looks up the latest contest, puts it into "a" and downloads "de" up to it.
    QString downloadToLatest(Modality m, int first);

    WindowSeams& window_;
    RunHost& runs_;
    RunStatus& status_;
    const BetBoard& board_;
    DrawsArea& draws_;
    SettingsPage& settings_;
    HttpClient client_;
    std::unique_ptr<TFSenha> FSenha_;
    QString officialService_;
    Run* run_ = nullptr; // the download or look-up under way
};

void attachNet(WindowSeams& window, RunHost& runs, RunStatus& status, const BetBoard& board,
    DrawsArea& draws, SettingsPage& settings);
