// The disc let go of: no file held once the viewer is closed, no step waiting behind a preview, no exit waiting for a
// read the system does not return from.
#include "disc_release_bench.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QProcess>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "collection_maker.h"
#include "controls/string_grid.h"
#include "files/data_files.h"
#include "measure.h"
#include "program_windows.h"
#include "viewer_window/tform2.h"

namespace bench {
namespace {

void wait(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

bool waitFor(const std::function<bool()>& reached, int milliseconds)
{
    for (int waited = 0; !reached() && waited < milliseconds; waited += 5)
        wait(5);
    return reached();
}

// Maps of a small picture padded to mapBytes, and previews padded to previewBytes.
bool writeCollection(const QString& folder, int maps, qint64 mapBytes, qint64 previewBytes)
{
    QDir().mkpath(folder + QStringLiteral("/Goroda/previews"));
    QImage picture(400, 300, QImage::Format_RGB32);
    picture.fill(QColor(200, 180, 140));
    QBuffer jpeg;
    jpeg.open(QIODevice::WriteOnly);
    if (!picture.save(&jpeg, "JPG"))
        return false;
    QStringList names;
    for (int i = 0; i < maps; ++i) {
        const QString name = QStringLiteral("map%1.jpg").arg(i);
        names << name;
        for (const auto& [file, size] : {std::pair(QStringLiteral("/Goroda/"), mapBytes),
                                         std::pair(QStringLiteral("/Goroda/previews/"), previewBytes)}) {
            const QByteArray bytes = jpeg.data() + QByteArray(std::max<qint64>(0, size - jpeg.size()), '\0');
            QFile out(folder + file + name);
            if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
                return false;
        }
    }
    return makeCollection(folder, names) == 0;
}

// Files under folder this process holds open.
int filesHeldUnder(const QString& folder)
{
    const QString root = QFileInfo(folder).canonicalFilePath() + QLatin1Char('/');
    int held = 0;
    for (const QFileInfo& fd : QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::System | QDir::Files))
        held += fd.symLinkTarget().startsWith(root) ? 1 : 0;
    return held;
}

// A disc that gives bytesPerSecond to the files whose path holds part (all files for an empty part).
void paceDisc(qint64 bytesPerSecond, const QString& part = {})
{
    files::setReadPaceForTests([bytesPerSecond, part](const QString& path, qint64, qint64 length) {
        if (path.contains(part))
            std::this_thread::sleep_for(std::chrono::microseconds(length * 1'000'000 / bytesPerSecond));
    });
}

void press(QWidget* widget, Qt::Key key)
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

TForm2* openRow(ProgramWindows& program, int row)
{
    program.catalogueWindow.listGrid->setRow(row);
    program.catalogueWindow.ImageMapClick();
    TForm2* viewer = Form2;
    if (viewer && !waitFor([viewer] { return !viewer->isOpening(); }, 10'000))
        return nullptr;
    return viewer;
}

} // namespace

int discRelease(const QString& folder, int runs)
{
    if (!writeCollection(folder, 3, 3'000'000, 300'000))
        return 1;
    ProgramWindows program(folder);
    // Closed during the read-ahead of a 3 MB neighbour at 300 KB/s.
    TForm2* viewer = openRow(program, 1);
    if (!viewer)
        return 1;
    paceDisc(300'000);
    wait(300);
    viewer->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    wait(100);
    emitFigure(QStringLiteral("files_held_after_close"), filesHeldUnder(folder), QStringLiteral("files"), 0);
    files::setReadPaceForTests({});

    std::vector<double> steps;
    for (int run = 0; run < runs; ++run) {
        // The neighbours read ahead whole, then a step while the next entry's preview reads at 100 KB/s.
        viewer = openRow(program, 1);
        if (!viewer ||
            !waitFor(
                [&] { return !program.loader.keptReads()->wholeBytes(QStringLiteral("Goroda/map2.jpg")).isEmpty(); },
                20'000))
            return 1;
        paceDisc(100'000, QStringLiteral("/previews/"));
        QElapsedTimer timer;
        timer.start();
        press(viewer, Qt::Key_Right);
        if (!waitFor([viewer] { return !viewer->isOpening(); }, 10'000))
            return 1;
        steps.push_back(timer.nsecsElapsed() / 1e6);
        files::setReadPaceForTests({});
        viewer->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        program.loader.pool().waitForJobs(10'000);
    }
    emitFigure(QStringLiteral("step_behind_preview_ms"), median(steps), QStringLiteral("ms"), 1);
    return 0;
}

int hungReadProcess(const QString& folder)
{
    if (!writeCollection(folder, 2, 1'000'000, 20'000))
        return 1;
    std::atomic<bool> hung = false;
    files::setReadPaceForTests([&hung](const QString& path, qint64, qint64) {
        if (path.endsWith(QLatin1String("Goroda/map1.jpg")) && !hung.exchange(true))
            std::this_thread::sleep_for(std::chrono::seconds(60));
    });
    ProgramWindows program(folder);
    program.catalogueWindow.listGrid->setRow(1);
    program.catalogueWindow.ImageMapClick();
    if (!waitFor([&hung] { return hung.load(); }, 10'000))
        return 1;
    std::cout << "hung" << std::endl;
    std::string line;
    std::getline(std::cin, line);
    // As the program ends: the windows close, main returns and the loader goes last.
    if (Form2)
        Form2->close();
    program.catalogueWindow.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}

int exitWithHungRead(const QString& program, const QString& folder)
{
    QProcess hung;
    hung.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    hung.start(program, {QStringLiteral("hung-read-process"), folder});
    if (!hung.waitForStarted(10'000))
        return 1;
    while (!hung.canReadLine())
        if (!hung.waitForReadyRead(20'000))
            return 1;
    if (hung.readLine().trimmed() != "hung")
        return 1;
    QElapsedTimer timer;
    timer.start();
    hung.write("close\n");
    if (!hung.waitForFinished(70'000))
        return 1;
    emitFigure(QStringLiteral("exit_with_hung_read_ms"), timer.nsecsElapsed() / 1e6, QStringLiteral("ms"), 1);
    return hung.exitStatus() == QProcess::NormalExit && hung.exitCode() == 0 ? 0 : 1;
}

} // namespace bench
