#pragma once

#include <QDialog>

// The About window: a read-only text about the program and "Fechar".
class TFormSobre : public QDialog
{
    Q_OBJECT
public:
    explicit TFormSobre(QWidget* parent = nullptr);
};
