#pragma once

#include <QObject>
#include <functional>
#include <utility>
#include <vector>

class QWidget;

// Runs a field's exit handler when the focus leaves it for another control; the window itself
// losing focus (another application, a popup) is not an exit. Each handler runs through the
// window's error guard.
class FieldExitFilter : public QObject
{
public:
    using Guard = std::function<void(const std::function<void()>&)>;

    FieldExitFilter(QObject* owner, Guard guard);
    void add(QWidget* field, std::function<void()> handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Guard guard_;
    std::vector<std::pair<QWidget*, std::function<void()>>> handlers_;
};
