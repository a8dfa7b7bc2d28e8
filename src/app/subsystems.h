#pragma once

class TForm1;

// Binds every subsystem's window code to the main window (controls, handlers, start-up steps).
void attachSubsystems(TForm1& form);
