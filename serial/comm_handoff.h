#pragma once
// Receives the event thread's hand-off requests on the window thread and passes them on to the
// component. It is a plain member of the component, so its type stays fixed while the component
// is being destroyed and the event thread is still being stopped.
#include <QObject>

#include <functional>
#include <utility>

class TCommHandOff final : public QObject
{
    Q_OBJECT
public:
    explicit TCommHandOff(std::function<void()> deliver) : deliver_(std::move(deliver)) {}

    // Carries no arguments: what it delivers is fetched under the event thread's lock.
    Q_INVOKABLE void Deliver() { deliver_(); }

private:
    std::function<void()> deliver_;
};
