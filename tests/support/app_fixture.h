#pragma once

#include "app/random_source.h"
#include "app/tform1.h"
#include "support/scripted_dialogs.h"

#include <memory>

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
