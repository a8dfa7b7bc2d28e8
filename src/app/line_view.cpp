#include "app/line_view.h"

#include <QFont>

LineListModel::LineListModel(LineStore& store, QObject* parent)
    : QAbstractListModel(parent)
    , store_(store)
{
    followTimer_.setInterval(50);
    connect(&followTimer_, &QTimer::timeout, this, &LineListModel::sync);
    followTimer_.start();
}

int LineListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : shownRows_;
}

QVariant LineListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= store_.size())
        return {};
    return store_.line(index.row());
}

void LineListModel::sync()
{
    const LineStore::Changes changes = store_.takeChanges();
    const int target = static_cast<int>(qMin<qsizetype>(store_.size(), INT_MAX));
    if (changes.reset || shownRows_ + changes.prepended + changes.appended != target) {
        beginResetModel();
        shownRows_ = target;
        endResetModel();
        return;
    }
    if (changes.prepended > 0) {
        beginInsertRows({}, 0, static_cast<int>(changes.prepended) - 1);
        shownRows_ += static_cast<int>(changes.prepended);
        endInsertRows();
    }
    if (changes.appended > 0) {
        beginInsertRows({}, shownRows_, shownRows_ + static_cast<int>(changes.appended) - 1);
        shownRows_ += static_cast<int>(changes.appended);
        endInsertRows();
    }
}

LineView::LineView(QWidget* parent)
    : QListView(parent)
    , model_(new LineListModel(store_, this))
{
    setModel(model_);
    setUniformItemSizes(true);
    setLayoutMode(QListView::SinglePass);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(8);
    setFont(f);
}

void LineView::setVerticalScrollAllowed(bool allowed)
{
    setVerticalScrollBarPolicy(allowed ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}
