#pragma once

#include "generate/line_store.h"

#include <QAbstractListModel>
#include <QListView>
#include <QTimer>

// Presents a LineStore as a list model. It follows the store on a short timer (and on sync()),
// so a long run can fill the store at full speed while the view catches up between slices.
class LineListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit LineListModel(LineStore& store, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    void sync();

private:
    LineStore& store_;
    int shownRows_ = 0;
    QTimer followTimer_;
};

// The read-only multi-line text area of the main window (closing, draws, report).
class LineView : public QListView {
    Q_OBJECT
public:
    explicit LineView(QWidget* parent = nullptr);

    LineStore& store() { return store_; }
    const LineStore& store() const { return store_; }
    LineListModel* lineModel() const { return model_; }
    // Makes the view show the store's current content at once.
    void sync() { model_->sync(); }
    // Scroll bars as the runs switch them: false hides the vertical one.
    void setVerticalScrollAllowed(bool allowed);

private:
    LineStore store_;
    LineListModel* model_;
};
