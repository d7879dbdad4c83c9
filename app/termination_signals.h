// The polite ways of ending a program from outside (SIGTERM from a logout or
// a service manager, SIGHUP when its terminal goes, SIGINT from Ctrl+C),
// turned into a Qt signal on the main thread, so that the game is kept before
// the program ends.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace tavrin::app {

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // Only one object may listen at a time; it restores the previous handlers
    // when it goes.
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    bool listening() const { return notifier_ != nullptr; }

signals:
    void received(int signalNumber);

private:
    void readPending();

    QSocketNotifier* notifier_ = nullptr;
};

} // namespace tavrin::app
