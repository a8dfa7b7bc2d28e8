#include "ui/dialogs.h"

#include "engine/net/settings_store.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>

namespace {

class QtDialogs : public DialogBackend
{
public:
    void information(QWidget* parent, const QString& text) override
    {
        QMessageBox::information(parent, QApplication::applicationName(), text);
    }
    bool question(QWidget* parent, const QString& text) override
    {
        return QMessageBox::question(parent, QApplication::applicationName(), text,
                   QMessageBox::Yes | QMessageBox::No)
            == QMessageBox::Yes;
    }
    QString openFileName(QWidget* parent, const QString& filter) override
    {
        return QFileDialog::getOpenFileName(parent, QString(), Dialogs::startFolder(), filter);
    }
    QString saveFileName(
        QWidget* parent, const QString& suggestedName, const QString& filter) override
    {
        return QFileDialog::getSaveFileName(
            parent, QString(), QDir(Dialogs::startFolder()).filePath(suggestedName), filter);
    }
};

const QString lastFolderValue = QStringLiteral("Ultima_Pasta");

QString remembered(const QString& chosen)
{
    // A folder that cannot be remembered only costs the player a click next time.
    if (!chosen.isEmpty())
        SettingsStore::write({ { lastFolderValue, QFileInfo(chosen).absolutePath() } });
    return chosen;
}

std::unique_ptr<DialogBackend>& backend()
{
    static std::unique_ptr<DialogBackend> current = std::make_unique<QtDialogs>();
    return current;
}

} // namespace

namespace Dialogs {

void information(QWidget* parent, const QString& text)
{
    backend()->information(parent, text);
}
bool question(QWidget* parent, const QString& text)
{
    return backend()->question(parent, text);
}
QString openFileName(QWidget* parent, const QString& filter)
{
    return remembered(backend()->openFileName(parent, filter));
}
QString saveFileName(QWidget* parent, const QString& suggestedName, const QString& filter)
{
    return remembered(backend()->saveFileName(parent, suggestedName, filter));
}
QString startFolder()
{
    const QString last = SettingsStore::read(lastFolderValue).value_or(QString());
    if (!last.isEmpty() && QFileInfo(last).isDir()) return last;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
    return QDir::homePath();
}
void setBackend(std::unique_ptr<DialogBackend> replacement)
{
    backend() = replacement ? std::move(replacement) : std::make_unique<QtDialogs>();
}

} // namespace Dialogs
