#include "app/termination_signals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tavrin::app {

namespace {

constexpr std::array<int, 3> kSignals{SIGTERM, SIGHUP, SIGINT};

// [0] is written by the handler, [1] read on the main thread.
int pipeEnds[2] = {-1, -1};
std::array<struct sigaction, kSignals.size()> previous{};

void onSignal(int number)
{
    const int saved = errno;
    const char byte = static_cast<char>(number);
    // Nothing but write(2) here; a full pipe already holds a pending ending.
    [[maybe_unused]] const ssize_t n = ::write(pipeEnds[0], &byte, 1);
    errno = saved;
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent)
{
    if (pipeEnds[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pipeEnds) != 0) {
        return;
    }
    ::fcntl(pipeEnds[0], F_SETFL, O_NONBLOCK);
    ::fcntl(pipeEnds[1], F_SETFL, O_NONBLOCK);
    notifier_ = new QSocketNotifier(pipeEnds[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::readPending);
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        struct sigaction action {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(kSignals[i], &action, &previous[i]);
    }
}

TerminationSignals::~TerminationSignals()
{
    if (notifier_ == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        ::sigaction(kSignals[i], &previous[i], nullptr);
    }
    delete notifier_;
    notifier_ = nullptr;
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

void TerminationSignals::readPending()
{
    char bytes[16];
    const ssize_t n = ::read(pipeEnds[1], bytes, sizeof bytes);
    if (n > 0) {
        emit received(static_cast<unsigned char>(bytes[0]));
    }
}

} // namespace tavrin::app
