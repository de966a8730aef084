#include "SessionEnd.h"

#include <fcntl.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace varnok {
namespace {

// A signal handler may only write a byte; the event loop reads it and saves.
int signalPipe[2] = {-1, -1};

void OnSignalCaught(int signalNumber) {
    const char byte = static_cast<char>(signalNumber);
    const ssize_t ignored = write(signalPipe[1], &byte, 1);
    (void)ignored;
}

constexpr int kEndingSignals[] = {SIGTERM, SIGINT, SIGHUP};

}  // namespace

SessionEnd::SessionEnd(std::function<void()> saveQuietly, QObject* parent)
    : QObject(parent), saveQuietly_(std::move(saveQuietly)) {
    if (signalPipe[0] < 0 && pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        signalPipe[0] = signalPipe[1] = -1;
    }
    if (signalPipe[0] >= 0) {
        notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &SessionEnd::OnSignal);
        struct sigaction action {};
        action.sa_handler = OnSignalCaught;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (int signalNumber : kEndingSignals) {
            sigaction(signalNumber, &action, nullptr);
        }
    }
    // The desktop asks to save before it ends the session, and Qt says when it quits.
    if (auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(application, &QGuiApplication::commitDataRequest, this,
                [this](QSessionManager&) { saveQuietly_(); });
    }
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this,
            [this] { saveQuietly_(); });
}

SessionEnd::~SessionEnd() {
    for (int signalNumber : kEndingSignals) {
        std::signal(signalNumber, SIG_DFL);
    }
}

void SessionEnd::OnSignal() {
    char byte = 0;
    while (read(signalPipe[0], &byte, 1) == 1) {
    }
    saveQuietly_();
    std::fflush(stdout);
    std::fflush(stderr);
    // Ended here, even from inside an open dialog: everything is saved.
    std::_Exit(0);
}

}  // namespace varnok
