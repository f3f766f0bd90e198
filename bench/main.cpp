// The benchmark program: one subcommand per figure group, each printing "NAME VALUE UNIT" lines. bench/run makes the
// inputs and runs the references (djpeg, feh, qimgv) beside it.
#include <QApplication>
#include <cstdio>

#include "catalogue_bench.h"
#include "collection_maker.h"
#include "colour_bench.h"
#include "decode_bench.h"
#include "disc_release_bench.h"
#include "huge_map_bench.h"
#include "list_keys_bench.h"
#include "map_picture.h"
#include "memory/large_memory.h"
#include "repaint_bench.h"
#include "slow_disc_bench.h"

namespace {

int usage()
{
    std::fprintf(stderr,
                 "usage: mapcatalogue_bench make-map W H SEED OUT.ppm | make-huge-map W H SEED OUT.ppm|- |\n"
                 "       make-collection DIR MAPFILE... |\n"
                 "       decode-once FILE | decode NAME FILE RUNS | preview NAME FILE RUNS |\n"
                 "       repaint FILE RUNS | psnr FILE | catalogue RUNS | fresh-memory RUNS |\n"
                 "       icc NAME FILE RUNS | slow-disc DIR RUNS | disc-release DIR RUNS | exit-with-hung-read DIR |\n"
                 "       list-keys-slow-disc DIR | huge NAME FILE RUNS |\n"
                 "       resident-after-close FILE | stop-progressive FILE RUNS\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    memory::returnLargeBlocksWhenFreed(); // as the program
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage();
    const QString command = args[0];
    if (command == QLatin1String("make-map") && args.size() == 5) {
        const QImage map = bench::drawMapLike(QSize(args[1].toInt(), args[2].toInt()), args[3].toUInt());
        return bench::writePpm(map, args[4]) ? 0 : 1;
    }
    if (command == QLatin1String("make-huge-map") && args.size() == 5)
        return bench::writeTiledPpm(QSize(args[1].toInt(), args[2].toInt()), args[3].toUInt(), args[4]) ? 0 : 1;
    if (command == QLatin1String("make-collection") && args.size() >= 3)
        return bench::makeCollection(args[1], args.mid(2));
    if (command == QLatin1String("fresh-memory") && args.size() == 2)
        return bench::freshMemoryCost(args[1].toInt());
    if (command == QLatin1String("decode-once") && args.size() == 2)
        return bench::decodeOnce(args[1]);
    if (command == QLatin1String("decode") && args.size() == 4)
        return bench::decodeRatio(args[1], args[2], args[3].toInt());
    if (command == QLatin1String("preview") && args.size() == 4)
        return bench::previewRatio(args[1], args[2], args[3].toInt());
    if (command == QLatin1String("huge") && args.size() == 4)
        return bench::hugeMap(args[1], args[2], args[3].toInt());
    if (command == QLatin1String("icc") && args.size() == 4)
        return bench::colourConversionCost(args[1], args[2], args[3].toInt());
    if (command == QLatin1String("repaint") && args.size() == 3)
        return bench::repaintTimes(args[1], args[2].toInt());
    if (command == QLatin1String("psnr") && args.size() == 2)
        return bench::reductionQuality(args[1]);
    if (command == QLatin1String("catalogue") && args.size() == 2)
        return bench::catalogueTimes(args[1].toInt());
    if (command == QLatin1String("list-keys-slow-disc") && args.size() == 2)
        return bench::listKeysSlowDisc(args[1]);
    if (command == QLatin1String("slow-disc") && args.size() == 3)
        return bench::slowDiscTimes(args[1], args[2].toInt());
    if (command == QLatin1String("stop-progressive") && args.size() == 3)
        return bench::stopProgressiveDecode(args[1], args[2].toInt());
    if (command == QLatin1String("disc-release") && args.size() == 3)
        return bench::discRelease(args[1], args[2].toInt());
    if (command == QLatin1String("exit-with-hung-read") && args.size() == 2)
        return bench::exitWithHungRead(QCoreApplication::applicationFilePath(), args[1]);
    if (command == QLatin1String("hung-read-process") && args.size() == 2)
        return bench::hungReadProcess(args[1]);
    if (command == QLatin1String("resident-after-close") && args.size() == 2)
        return bench::residentAfterClose(args[1]);
    return usage();
}
