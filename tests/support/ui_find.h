#pragma once

#include "support/ui_driver.h"
#include "support/ui_find.h"
#include "ui/line_view.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScatterSeries>
#include <QTabWidget>

namespace Ui {

// find() from a window the caller holds as const.
template <typename W = QWidget> W* find(const QWidget* root, const QString& name)
{
    return find<W>(const_cast<QWidget*>(root), name);
}

// The lines of the closing area ("Memo1").
inline LineStore& closing(QWidget* root)
{
    return find<LineView>(root, QStringLiteral("Memo1"))->store();
}

// A chart's series by name; series are chart items, not widgets, so find() cannot see them.
inline QScatterSeries* series(QWidget* root, const QString& name)
{
    for (QChartView* view : root->findChildren<QChartView*>())
        for (QAbstractSeries* s : view->chart()->series())
            if (s->objectName() == name)
                if (auto* scatter = qobject_cast<QScatterSeries*>(s)) return scatter;
    qFatal("no series named %s", qPrintable(name));
    return nullptr;
}

} // namespace Ui
