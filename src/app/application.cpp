#include "app/application.h"

#include "desktop/messages.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A signal handler may only do async-signal-safe work: it writes one byte, and the event
// loop, woken by it, quits.
int signalPipe[2] = {-1, -1};

void onTerminationSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[0], &byte, 1);
}

} // namespace

UnctoraApplication::UnctoraApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName("Unctora");
    setOrganizationName("Talvik");
    // Lets the desktop match the window with the menu entry and its icon.
    setDesktopFileName("org.talvik.Unctora");
    // The menu bar belongs to the window, whose fixed size counts it: a desktop's global
    // menu would take it out of the window (and looking for one costs a bus connection
    // at every start).
    setAttribute(Qt::AA_DontUseNativeMenuBar);
}

void UnctoraApplication::quitOnTerminationSignals() {
    if (signalPipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        char byte;
        [[maybe_unused]] const ssize_t n = ::read(signalPipe[1], &byte, 1);
        // Whoever sent the signal waits for the program to end, not for a box to be
        // answered: a save that fails now is reported on stderr.
        if (m_messages)
            m_messages->stopAsking();
        QApplication::quit();
    });
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &action, nullptr);
}

bool UnctoraApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        if (m_messages)
            m_messages->showError(QString::fromStdString(e.what()));
    } catch (...) {
        if (m_messages)
            m_messages->showError("Unknown error");
    }
    return false;
}
