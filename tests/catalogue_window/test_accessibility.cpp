// The catalogue window as a screen reader reads it, and its keys for the categories and the orderings.
#include "catalogue_window/window_fixture.h"
#include "support/accessibility_spy.h"

using namespace testsupport;

namespace {

struct Reading
{
    const char* control;
    QAccessible::Role role; // NoRole: artwork that is not in the tree
    const char* name;       // the name starts with this
};

// clang-format off
const Reading Tree[] = {
    {"Image10", QAccessible::PageTab, "Города"},    {"Image11", QAccessible::PageTab, "Регионы"},
    {"Image12", QAccessible::PageTab, "Россия"},    {"Image13", QAccessible::PageTab, "Схемы метро"},
    {"Image14", QAccessible::PageTab, "Статьи"},
    {"Image1", QAccessible::Button, "Свернуть"},    {"Image2", QAccessible::Button, "Закрыть"},
    {"ImagePoNazvaniyu", QAccessible::Button, "По названию"}, {"ImagePoGodu", QAccessible::Button, "По году"},
    {"ImagePoKa4estvy", QAccessible::Button, "По качеству изображения"},
    {"ImageMap", QAccessible::Graphic, "Город 001"}, {"ImageZvezda1", QAccessible::Graphic, "Качество: 1 из 5"},
    {"LabelSize", QAccessible::StaticText, "Объём файла: "}, {"Labelavtor", QAccessible::StaticText, "Автор: Автор 1"},
    {"Labelopis", QAccessible::StaticText, "Описание: Описание карты 1"},
    {"Label30", QAccessible::Link, ""}, {"Image4", QAccessible::Link, "Сайт издателя"},
    {"Image6", QAccessible::Button, "О диске"},
    {"Image5", QAccessible::NoRole, ""}, {"Image9", QAccessible::NoRole, ""}, {"ImageGor", QAccessible::NoRole, ""},
    {"ImageZvezda2", QAccessible::NoRole, ""}, {"LabelAvtorNadpis", QAccessible::NoRole, ""},
};
// clang-format on

} // namespace

class CatalogueAccess : public CatalogueWindowTest
{
protected:
    void openCities()
    {
        std::vector<Entry> entries = cities(3);
        Entry region = entries[0];
        region.code = QStringLiteral("Oblasti");
        region.title = QStringLiteral("Область");
        entries.push_back(region);
        open(entries);
        w().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
    }
    QAccessibleInterface* readOf(const char* name) { return QAccessible::queryAccessibleInterface(control(name)); }
    QWidget* control(const char* name) { return w().findChild<QWidget*>(QString::fromUtf8(name)); }
    bool selected(const char* tab) { return readOf(tab)->state().selected; }

    AccessibilitySpy spy;
};

TEST_F(CatalogueAccess, EveryControlAUserMeetsHasItsRoleAndNameAndArtworkIsLeftOut)
{
    openCities();
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&w());
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(window->text(QAccessible::Name), QStringLiteral("Каталог старинных карт"));
    for (const Reading& r : Tree) {
        SCOPED_TRACE(r.control);
        QAccessibleInterface* read = readOf(r.control);
        ASSERT_TRUE(read);
        EXPECT_EQ(AccessibilitySpy::reaches(window, control(r.control)), r.role != QAccessible::NoRole);
        if (r.role == QAccessible::NoRole)
            continue;
        EXPECT_EQ(read->role(), r.role);
        EXPECT_TRUE(QString(read->text(QAccessible::Name) + QLatin1Char('.')).startsWith(QString::fromUtf8(r.name)))
            << read->text(QAccessible::Name).toStdString();
    }
}

TEST_F(CatalogueAccess, TheKeysAndAPressChooseTheCategoryWhoseTabIsSelectedAndAnnounced)
{
    openCities();
    EXPECT_TRUE(selected("Image10"));
    struct Step
    {
        int key;
        Qt::KeyboardModifiers modifiers;
        int category;
        const char* tab;
    };
    const Step steps[] = {{Qt::Key_2, Qt::ControlModifier, catalogue::Regions, "Image11"},
                          {Qt::Key_Tab, Qt::ControlModifier, catalogue::Country, "Image12"},
                          {Qt::Key_5, Qt::ControlModifier, catalogue::Articles, "Image14"},
                          {Qt::Key_Tab, Qt::ControlModifier, catalogue::Cities, "Image10"},
                          {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, catalogue::Articles, "Image14"}};
    const char* previous = "Image10";
    for (const Step& s : steps) {
        SCOPED_TRACE(s.tab);
        AccessibilitySpy::clear();
        QTest::keyClick(&w(), Qt::Key(s.key), s.modifiers);
        EXPECT_EQ(entry->category(), s.category);
        EXPECT_TRUE(selected(s.tab));
        EXPECT_FALSE(selected(previous));
        EXPECT_TRUE(AccessibilitySpy::heard(control(s.tab), QAccessible::StateChanged));
        previous = s.tab;
    }
    readOf("Image11")->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(entry->category(), catalogue::Regions);
    EXPECT_EQ(row(1), QStringLiteral("Область"));
}

TEST_F(CatalogueAccess, OrderingKeysSortTheListAndTheNewEntryIsAnnounced)
{
    openCities();
    QTest::keyClick(&w(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(row(1), QStringLiteral("1701")); // by year, the years lead
    AccessibilitySpy::clear();
    QTest::keyClick(&w(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(row(1), QStringLiteral("Город 003")); // the best first
    EXPECT_TRUE(AccessibilitySpy::heard(control("ImageMap"), QAccessible::NameChanged));
    EXPECT_EQ(readOf("ImageMap")->text(QAccessible::Name), QStringLiteral("Город 003"));
    EXPECT_EQ(readOf("ImageZvezda1")->text(QAccessible::Name), QStringLiteral("Качество: 3 из 5"));
    QTest::keyClick(&w(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(row(1), QStringLiteral("Город 001"));
}
