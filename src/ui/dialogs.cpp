#include "ui/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

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
        return QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
    }
    QString saveFileName(
        QWidget* parent, const QString& suggestedName, const QString& filter) override
    {
        return QFileDialog::getSaveFileName(parent, QString(), suggestedName, filter);
    }
};

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
    return backend()->openFileName(parent, filter);
}
QString saveFileName(QWidget* parent, const QString& suggestedName, const QString& filter)
{
    return backend()->saveFileName(parent, suggestedName, filter);
}
void setBackend(std::unique_ptr<DialogBackend> replacement)
{
    backend() = replacement ? std::move(replacement) : std::make_unique<QtDialogs>();
}

} // namespace Dialogs
