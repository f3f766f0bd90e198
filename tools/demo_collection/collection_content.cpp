#include "collection_content.h"

namespace democollection {

using toolcommon::MapKind;

namespace {

struct Row
{
    const char* title;
    const char* file;
    const char* year;
    int author;      // index into the surveyors; -1 leaves the author empty
    int description; // index into the templates of the category; -1 leaves it empty
    int quality;
};

const char* const surveyors[] = {
    "Землемер И. Подгорнов",    "Гравёр С. Лыковцев",
    "Геодезист А. Кречетников", "Межевой инженер П. Сомовский",
    "Топограф Ф. Журавинский",  "Гравёр М. Овсяников-Дольский",
    "Землемер Д. Полозихин",    "Капитан Генерального штаба В. Снегирёвский",
    "Чертёжник Е. Голованцев",  "Прапорщик Н. Ветлужский",
};

const char* const cityTexts[] = {
    "План губернского города %1 с показанием кварталов, церквей и казённых зданий.",
    "Геометрический план города %1 с окрестностями. Каменные строения показаны красным, деревянные жёлтым.",
    "План города %1, снятый при генеральном межевании. Отмечены слободы, торговые ряды и перевозы.",
    "Подробный план %1 с новыми улицами, проложенными после большого пожара.",
    "Прожектированный план %1: существующая застройка и предполагаемые к устройству площади.",
    "План уездного города %1 с выгонными землями и садами обывателей.",
};
const char* const regionTexts[] = {
    "Генеральная карта губернии с разделением на уезды, с почтовыми и большими дорогами.",
    "Атлас-карта губернии: сёла, деревни, погосты, мельницы и леса по данным межевания.",
    "Топографическая карта губернии в масштабе десяти вёрст в дюйме.",
};
const char* const countryTexts[] = {
    "Генеральная карта государства с губерниями, областями и главными реками.",
    "Карта с показанием почтовых трактов и станций. Расстояния указаны в вёрстах.",
    "Обзорная карта с разделением на губернии и с пояснительным листом условных знаков.",
};
const char* const metroTexts[] = {
    "Схема линий метрополитена с пересадочными узлами.",
    "Схема действующих и строящихся линий. Пересадки показаны кружками.",
};

const Row cities[] = {
    {"Москва", "moskva.jpg", "1739", 0, 0, 5},
    {"Москва река", "moskva_reka.jpg", "1789", 1, -2, 4},
    {"Санкт-Петербург", "sankt_peterburg.jpg", "1753", 2, 1, 5},
    {"Рига (Plan der Stadt Riga)", "riga.jpg", "1784", 3, 2, 3},
    {"Орёл", "orel.jpg", "1779", 4, 3, 4},
    {"Тверь", "tver.jpg", "1763", 5, 4, 3},
    {"Калуга", "kaluga.jpg", "1779", 6, 5, 2},
    {"Тула", "tula.jpg", "1797", 7, 0, 4},
    {"Рязань", "ryazan.jpg", "1780", 8, 1, 3},
    {"Владимир", "vladimir.jpg", "1781", 9, 2, 5},
    {"Ярославль", "yaroslavl.jpg", "1778", 0, 3, 4},
    {"Кострома", "kostroma.jpg", "1781", 1, 4, 2},
    {"Нижний Новгород", "nizhniy_novgorod.jpg", "1799", 2, 5, 5},
    {"Казань", "kazan.jpg", "1768", 3, 0, 3},
    {"Симбирск", "simbirsk.jpg", "1804", 4, 1, 1},
    {"Самара", "samara.jpg", "1853", 5, 2, 4},
    {"Саратов", "saratov.jpg", "1812", 6, 3, 3},
    {"Астрахань", "astrakhan.jpg", "1744", 7, 4, 2},
    {"Пенза", "penza.jpg", "1786", 8, 5, 3},
    {"Тамбов", "tambov.jpg", "1802", 9, 0, 4},
    {"Воронеж", "voronezh.jpg", "1774", 0, 1, 5},
    {"Курск", "kursk.jpg", "1782", 1, 2, 1},
    {"Смоленск", "smolensk.jpg", "1798", 2, 3, 4},
    {"Псков", "pskov.jpg", "1740", 3, 4, 3},
    {"Великий Новгород", "velikiy_novgorod.jpg", "1756", 4, 5, 5},
    {"Вологда", "vologda.jpg", "1791", 5, 0, 2},
    {"Архангельск", "arkhangelsk.jpg", "1765", 6, 1, 3},
    {"Пермь", "perm.jpg", "1829", 7, 2, 4},
    {"Екатеринбург", "ekaterinburg.jpg", "1845", 8, 3, 3},
    {"Оренбург", "orenburg.jpg", "1760", 9, 4, 2},
    {"Уфа", "ufa.jpg", "1819", 0, 5, 1},
    {"Вятка", "vyatka.jpg", "1811", 1, 0, 3},
    {"Иркутск", "irkutsk.jpg", "1868", 2, 1, 4},
    {"Тобольск", "tobolsk.jpg", "1785", 3, 2, 5},
    {"Томск", "tomsk.jpg", "1875", 4, 3, 2},
    {"Кронштадт", "kronshtadt.jpg", "1720", 5, 4, 4},
    {"Таганрог", "taganrog.jpg", "1808", 6, 5, 3},
    {"Суздаль", "suzdal.jpg", "1767", 7, -1, 4},
    {"Углич", "uglich.jpg", "1792", -1, 0, 2},
    {"Коломна", "kolomna.jpg", "1778", 8, 1, 5},
    {"Серпухов", "serpukhov.jpg", "1784", 9, 2, 3},
    {"Ростов", "rostov.jpg", "1850", 0, 3, 4},
};

const Row regions[] = {
    {"Московская губерния", "moskovskaya_guberniya.jpg", "1774", 1, 0, 5},
    {"Тверская губерния", "tverskaya_guberniya.jpg", "1800", 2, 1, 4},
    {"Ярославская губерния", "yaroslavskaya_guberniya.jpg", "1792", 3, 2, 3},
    {"Владимирская губерния", "vladimirskaya_guberniya.jpg", "1821", 4, 0, 4},
    {"Калужская губерния", "kaluzhskaya_guberniya.jpg", "1782", 5, 1, 2},
    {"Тульская губерния", "tulskaya_guberniya.jpg", "1797", 6, 2, 5},
    {"Рязанская губерния", "ryazanskaya_guberniya.jpg", "1850", 7, 0, 3},
    {"Смоленская губерния", "smolenskaya_guberniya.jpg", "1816", 8, 1, 4},
    {"Новгородская губерния", "novgorodskaya_guberniya.jpg", "1788", 9, 2, 1},
    {"Псковская губерния", "pskovskaya_guberniya.jpg", "1863", 0, 0, 3},
};

const Row countries[] = {
    {"Российская империя", "rossiyskaya_imperiya.jpg", "1745", 2, 0, 5},
    {"Европейская Россия", "evropeyskaya_rossiya.jpg", "1862", 3, 2, 4},
    {"Сибирь", "sibir.jpg", "1790", 4, 0, 3},
    {"Почтовые дороги", "pochtovye_dorogi.jpg", "1829", 5, 1, 4},
    {"Генеральная карта", "generalnaya_karta.jpg", "1776", 6, 2, 2},
};

const Row metros[] = {
    {"Москва, метрополитен", "metro_moskva.jpg", "1938", 7, 0, 4},
    {"Ленинград, метрополитен", "metro_leningrad.jpg", "1955", 8, 1, 3},
    {"Нижний Новгород, метрополитен", "metro_nizhniy.jpg", "1985", 9, 0, 5},
    {"Самара, метрополитен", "metro_samara.jpg", "1987", 0, 1, 2},
    {"Екатеринбург, метрополитен", "metro_ekaterinburg.jpg", "1991", 1, 0, 4},
};

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QString authorText(int index)
{
    return index < 0 ? QString() : text(surveyors[index % (sizeof(surveyors) / sizeof(surveyors[0]))]);
}

/// The city's name in the genitive is beyond a template; the descriptions name the place as a heading instead.
QString cityDescription(const Row& row)
{
    if (row.description == -1)
        return {};
    if (row.description == -2)
        return text("План набережных и мостов с показанием глубин и пристаней.");
    return text(cityTexts[row.description % 6]).arg(QStringLiteral("«") + text(row.title) + QStringLiteral("»"));
}

QSize mapSize(int index)
{
    // Widths between 2000 and 3600; most sheets lie landscape, every fifth stands upright.
    const int width = 2000 + (index * 397) % 1601;
    const int height = index % 5 == 4 ? width * 5 / 4 : width * (68 + (index * 7) % 14) / 100;
    return QSize(width, height);
}

} // namespace

QString DemoEntry::line() const
{
    return QStringList{title, code, fileName, year, author, description, spare, quality}.join(QLatin1Char('@'));
}

QString DemoEntry::folder() const
{
    if (code == QLatin1String("art"))
        return QStringLiteral("Articles");
    if (code == QLatin1String("Metro"))
        return QStringLiteral("Goroda");
    return code;
}

std::vector<DemoEntry> demoEntries()
{
    std::vector<DemoEntry> entries;
    int index = 0;
    auto add = [&](const Row& row, const char* code, MapKind kind, const QString& description) {
        DemoEntry entry;
        entry.title = text(row.title);
        entry.code = text(code);
        entry.fileName = text(row.file);
        entry.year = text(row.year);
        entry.author = authorText(row.author);
        entry.description = description;
        entry.quality = QString::number(row.quality);
        entry.kind = kind;
        entry.size = mapSize(index);
        entry.progressive = index % 3 == 1;
        ++index;
        entries.push_back(entry);
    };
    for (const Row& row : cities)
        add(row, "Goroda", MapKind::City, cityDescription(row));
    for (const Row& row : regions)
        add(row, "Oblasti", MapKind::Region, text(regionTexts[row.description]));
    for (const Row& row : countries)
        add(row, "Russia", MapKind::Country, text(countryTexts[row.description]));
    for (const Row& row : metros)
        add(row, "Metro", MapKind::Metro, text(metroTexts[row.description]));

    for (DemoEntry& entry : entries) {
        // The one very large sheet, to try the viewer's memory budget and reduced copies.
        if (entry.fileName == QLatin1String("rossiyskaya_imperiya.jpg")) {
            entry.size = QSize(8200, 6000);
            entry.progressive = true;
        }
        // Written with a capital extension, as discs made on other systems sometimes have them.
        if (entry.fileName == QLatin1String("tver.jpg"))
            entry.diskFileName = QStringLiteral("tver.JPG");
    }

    const struct
    {
        const char* title;
        const char* file;
        const char* year;
        const char* author;
        const char* description;
        const char* quality;
    } articles[] = {
        {"История межевания", "istoriya_mezhevaniya.html", "1999", "М. Ветрова",
         "Очерк о генеральном межевании и о том, как создавались планы городов и уездов.", "5"},
        {"Как читать старинную карту", "kak_chitat_kartu.html", "2001", "О. Кремнёв",
         "Масштабы, старые меры длины и условные знаки. Что означают цвета на губернских картах.", "4"},
        {"Гравюра на меди", "gravyura_na_medi.txt", "2000", "Л. Сафонова",
         "Как гравировали и печатали карты в XVIII веке.", "3"},
        {"Губернские планы", "gubernskie_plany.html", "1998", "М. Ветрова",
         "О конфирмованных планах городов конца XVIII века.", "4"},
        {"Условные знаки", "uslovnye_znaki.html", "2002", "П. Лазарев",
         "Таблица условных знаков старинных карт с пояснениями.", "5"},
    };
    for (const auto& a : articles) {
        DemoEntry entry;
        entry.title = text(a.title);
        entry.code = QStringLiteral("art");
        entry.fileName = text(a.file);
        entry.year = text(a.year);
        entry.author = text(a.author);
        entry.description = text(a.description);
        entry.quality = text(a.quality);
        entries.push_back(entry);
    }
    return entries;
}

} // namespace democollection
