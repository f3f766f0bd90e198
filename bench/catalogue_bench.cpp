#include "catalogue_bench.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "catalogue/catalogue_data.h"
#include "catalogue/catalogue_load.h"
#include "catalogue/codepage.h"
#include "catalogue/orderings.h"
#include "catalogue_window/catalogue_files.h"
#include "files/data_files.h"
#include "measure.h"

namespace bench {
namespace {

const char* const Words[] = {"Москва", "Тверь", "Ёлкино", "Суздаль", "Ярославль", "Псков",    "Новгород",
                             "Казань", "Omsk",  "Орёл",   "Tula",    "Вологда",   "Кострома", "Рязань"};

std::string mapsFile()
{
    std::string utf8;
    for (int i = 0; i < 1000; ++i) {
        const std::string title =
            std::string(Words[(i * 7) % 14]) + "-" + Words[(i * 3) % 14] + " " + std::to_string(i);
        const std::string year = i % 9 ? std::to_string(1700 + (i * 37) % 250) + " г." : "без даты";
        utf8 += title + "@Goroda@map" + std::to_string(i) + ".jpg@" + year + "@Автор " + std::to_string(i % 40) +
                "@Описание карты номер " + std::to_string(i) + "@@" + std::to_string(1 + i % 5) + "\r\n";
    }
    return catalogue::utf8ToCp1251(utf8);
}

bool writeFile(const QString& path, const std::string& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

} // namespace

int catalogueTimes(int runs)
{
    QTemporaryDir dir;
    if (!dir.isValid() || !QDir(dir.path()).mkpath(QStringLiteral("Goroda/About")))
        return 1;
    const std::string about = catalogue::utf8ToCp1251("О диске\r\nСтрока\r\n");
    if (!writeFile(dir.filePath(QStringLiteral("Goroda/About/maps.txt")), mapsFile()) ||
        !writeFile(dir.filePath(QStringLiteral("Goroda/About/about.dat")), about) ||
        !writeFile(dir.filePath(QStringLiteral("Goroda/About/about2.dat")), about))
        return 1;

    // The load reads the files as the program does, through the collection's data-file lookup.
    const QString previousFolder = files::collectionFolder();
    files::setCollectionFolder(dir.path());
    auto data = std::make_unique<catalogue::CatalogueData>();
    std::vector<double> load;
    for (int i = 0; i < runs; ++i) {
        const double start = now();
        catalogue::CatalogueLoad(*data, catalogue_window::readCatalogueFile);
        load.push_back(now() - start);
    }
    files::setCollectionFolder(previousFolder);
    if (data->table(catalogue::Cities)->count() != 1000) {
        std::fprintf(stderr, "the catalogue load gave %d cities\n", data->table(catalogue::Cities)->count());
        return 1;
    }
    emitFigure(QStringLiteral("catalogue_load_1000_median"), median(load) * 1000, "ms", 2);

    const std::pair<const char*, catalogue::Ordering> orderings[] = {{"name", catalogue::Ordering::ByName},
                                                                     {"year", catalogue::Ordering::ByYear},
                                                                     {"quality", catalogue::Ordering::ByQuality}};
    std::vector<double> times[3];
    for (int i = 0; i < runs; ++i) {
        // Each ordering starts from the order the one before left, as when the user clicks through them.
        for (int k = 0; k < 3; ++k) {
            const double start = now();
            catalogue::sortCategory(*data, catalogue::Cities, orderings[k].second);
            times[k].push_back(now() - start);
        }
    }
    for (int k = 0; k < 3; ++k)
        emitFigure(QStringLiteral("ordering_%1_1000_median").arg(orderings[k].first), median(times[k]) * 1000, "ms", 2);
    return 0;
}

} // namespace bench
