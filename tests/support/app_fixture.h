#pragma once

#include "app/tform1.h"
#include "engine/base/random_source.h"
#include "support/scripted_dialogs.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <memory>

// Window tests read and write settings (the window's geometry, the file dialogs' folder) in a
// scratch folder of their own, never the user's; a test may still point them elsewhere. Done
// as the application starts, after a test's main() has set its locale.
static void keepSettingsAside()
{
    static QTemporaryDir folder;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
}
Q_COREAPP_STARTUP_FUNCTION(keepSettingsAside)

// A started main window with scripted dialogs and a fixed random seed.
struct MainWindowFixture {
    ScriptedDialogs* dialogs = nullptr;
    std::unique_ptr<TForm1> form;

    void start(std::uint64_t seed = 1234)
    {
        dialogs = &ScriptedDialogs::install();
        RandomSource::instance().fixSeed(seed);
        form = std::make_unique<TForm1>();
        form->FormCreate();
    }
};
