// One "OK" and one correction through the real window, offscreen: the click,
// the handler, the widgets brought up to date and the frame painted. The
// autosave file is written, but not flushed to the disk, whose speed is not
// the program's. Prints the median and the 99th percentile in milliseconds.
#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "MainWindow.h"
#include "PadArea.h"
#include "QtServices.h"
#include "platform/PlatformFileSystem.h"
#include "support/TestProgram.h"
#include "view/Commands.h"
#include "view/MainWindow.h"
#include "view/PadLayout.h"
#include "view/UserActions.h"

using namespace kx;
using namespace kx::test;

namespace {

// The platform's file system without the waits for the medium.
class NoSyncFileSystem : public FileSystem {
  public:
    explicit NoSyncFileSystem(std::unique_ptr<FileSystem> real) : real_(std::move(real)) {}
    FileKind kind(const std::string& path) override { return real_->kind(path); }
    std::string resolveLinks(const std::string& path) override { return real_->resolveLinks(path); }
    FileError read(const std::string& path, std::size_t limit, Bytes& out) override {
        return real_->read(path, limit, out);
    }
    FileError createTemporary(const std::string& folder, const std::string& prefix,
                              const std::string& suffix, std::string& path,
                              FileHandle& handle) override {
        return real_->createTemporary(folder, prefix, suffix, path, handle);
    }
    FileError write(FileHandle handle, const std::uint8_t* data, std::size_t size) override {
        return real_->write(handle, data, size);
    }
    FileError flush(FileHandle handle) override { return real_->flush(handle); }
    FileError sync(FileHandle) override { return FileError::None; }
    FileError close(FileHandle handle) override { return real_->close(handle); }
    FileError replaceable(const std::string& path) override { return real_->replaceable(path); }
    void copyPermissions(const std::string& model, FileHandle handle) override {
        real_->copyPermissions(model, handle);
    }
    FileError rename(const std::string& from, const std::string& to) override {
        return real_->rename(from, to);
    }
    FileError syncFolder(const std::string&) override { return FileError::None; }
    FileError remove(const std::string& path) override { return real_->remove(path); }
    FileError makeFolders(const std::string& folder) override { return real_->makeFolders(folder); }
    std::vector<std::string> list(const std::string& folder) override {
        return real_->list(folder);
    }
    std::optional<FileStamp> stamp(const std::string& path) override { return real_->stamp(path); }
    std::unique_ptr<FileLock> lock(const std::string& path, LockMode mode, bool wait) override {
        return real_->lock(path, mode, wait);
    }

  private:
    std::unique_ptr<FileSystem> real_;
};

class PaintCounter : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

struct Percentiles {
    double p50, p99;
};

Percentiles percentiles(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    const auto at = [&](double q) {
        return ms[static_cast<std::size_t>(q * static_cast<double>(ms.size() - 1))];
    };
    return {at(0.50), at(0.99)};
}

void settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// Presses "OK" on a four-player pad, one pair game after the other.
Percentiles entries(Program& program, MainWindow& window, PaintCounter& counter, int count) {
    auto* ok = window.findChild<QPushButton*>(QStringLiteral("OKB"));
    std::vector<double> ms;
    for (int i = 0; i < count + 20; ++i) {
        if (program.pad.gamesComplete || program.pad.nextGameRow == 0) {
            frm0_MenuEvent(program, 10);
            window.mirror();
            settle();
        }
        clickOption(program, "WER1", 1 + i % 6);
        pickItem(program, "WAS1", i % 19);
        window.mirror();
        settle();
        const int paintsBefore = counter.paints;
        QElapsedTimer timer;
        timer.start();
        ok->click();
        settle();
        const double elapsed = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        if (counter.paints == paintsBefore) std::fprintf(stderr, "no frame painted\n");
        if (i >= 20) ms.push_back(elapsed);  // the first ones warm the caches
    }
    return percentiles(ms);
}

// Ctrl+click on row 1's points of a full six-player pad and a new value.
Percentiles corrections(Program& program, MainWindow& window, FakeDialogs& dialogs, int count) {
    frm0_MenuEvent(program, 12);
    for (int game = 0; game < 30; ++game) {
        const int dealer = program.pad.dealer;
        const int a = dealer % 6 + 1;
        int b = a % 6 + 1;
        if (b == previousSeat(dealer)) b = b % 6 + 1;
        enterPair(program, std::min(a, b), std::max(a, b), game % 7);
    }
    for (int soloist = 1; soloist <= 6; ++soloist)
        enterSolo(program, soloist, 3 * (soloist % 4) + 3, soloist % 6 + 1);
    window.mirror();
    settle();
    PadArea* pad = window.padArea();
    const QPointF at = pad->placeOf(program.ui.PKT(1).rect).center();
    std::vector<double> ms;
    const std::size_t asked = dialogs.prompts.size();
    for (int i = 0; i < count + 20; ++i) {
        dialogs.inputAnswers.push_back(std::to_string(i % 18 + 1));
        QMouseEvent press(QEvent::MouseButtonPress, at, pad->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::ControlModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, pad->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::ControlModifier);
        QElapsedTimer timer;
        timer.start();
        QApplication::sendEvent(pad, &press);
        QApplication::sendEvent(pad, &release);
        settle();
        const double elapsed = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        if (i >= 20) ms.push_back(elapsed);
    }
    if (dialogs.prompts.size() - asked != static_cast<std::size_t>(count + 20))
        std::fprintf(stderr, "a click did not reach the correction\n");
    return percentiles(ms);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" KARTOTRIX_BENCH_SCREEN);
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::max(10, std::atoi(argv[1])) : 1000;
    QTemporaryDir dir;
    Program program;
    initProgram(program, stdstr(dir.path()) + "/");
    SystemClock clock;
    FakeDialogs dialogs;
    FakeDesktop desktop;
    NoSyncFileSystem files(makePlatformFileSystem());
    Services services;
    services.clock = &clock;
    services.dialogs = &dialogs;
    services.desktop = &desktop;
    services.files = &files;
    MainWindow window(program, services, QString());
    window.show();
    settle();
    PaintCounter counter;
    window.padArea()->installEventFilter(&counter);

    const Percentiles ok = entries(program, window, counter, count);
    std::printf("ok-p50-ms %.3f\nok-p99-ms %.3f\n", ok.p50, ok.p99);
    const Percentiles fix = corrections(program, window, dialogs, count / 2);
    std::printf("correction-p50-ms %.3f\ncorrection-p99-ms %.3f\n", fix.p50, fix.p99);
    return counter.paints > 0 ? 0 : 1;
}
