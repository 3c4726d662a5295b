#pragma once

// Start-up measurements shared by the floor program and the Kartotrix probe.
// The script passes the moment it started the process in KX_BENCH_T0
// (nanoseconds of the real-time clock); the program reports, on standard
// output, the milliseconds to its first painted frame ("first-frame-ms N")
// and to the moment its main thread first waits for events after that frame
// ("idle-ms N", with the process's CPU time up to then, "idle-cpu-ms N"), or,
// with --idle-memory, its resident memory a second after that frame
// ("idle-rss-kb N"), and ends.
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <ctime>

namespace bench {

inline long long nowNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

inline double cpuMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

inline long residentKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Watches `painted` for its first paint; once that frame is out, reports and quits.
class FirstFrame : public QObject {
  public:
    FirstFrame(QWidget* painted, bool idleMemory) : idleMemory_(idleMemory) {
        painted->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            watched->removeEventFilter(this);
            // Runs once this paint and its flush to the screen are done.
            QTimer::singleShot(0, this, [this] { report(); });
        }
        return false;
    }

  private:
    void report() {
        if (!idleMemory_) {
            const long long t0 = qEnvironmentVariable("KX_BENCH_T0").toLongLong();
            std::printf("first-frame-ms %.2f\n", (nowNanoseconds() - t0) / 1e6);
            // Idle: the event loop is about to wait, with nothing left to do.
            QObject::connect(QAbstractEventDispatcher::instance(),
                             &QAbstractEventDispatcher::aboutToBlock, this, [this, t0] {
                                 if (idleSeen_) return;
                                 idleSeen_ = true;
                                 std::printf("idle-ms %.2f\nidle-cpu-ms %.2f\n",
                                             (nowNanoseconds() - t0) / 1e6, cpuMilliseconds());
                                 std::fflush(stdout);
                                 QCoreApplication::quit();
                             });
            return;
        }
        QTimer::singleShot(1000, this, [] {
            std::printf("idle-rss-kb %ld\n", residentKilobytes());
            std::fflush(stdout);
            QCoreApplication::quit();
        });
    }

    bool idleMemory_;
    bool seen_ = false;
    bool idleSeen_ = false;
};

inline bool idleMemoryMode(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (QByteArray(argv[i]) == "--idle-memory") return true;
    return false;
}

}  // namespace bench
