// The catalogue window as a screen reader reads it, and its keys for the categories and the orderings.
#include "catalogue_window/window_fixture.h"
#include "support/accessibility_spy.h"

using namespace testsupport;

// clang-format off
static const Reading Tree[] = {
    {"Image10", QAccessible::PageTab, "Города"}, {"Image11", QAccessible::PageTab, "Регионы"},
    {"Image12", QAccessible::PageTab, "Россия"}, {"Image13", QAccessible::PageTab, "Схемы метро"},
    {"Image14", QAccessible::PageTab, "Статьи"}, {"Image1", QAccessible::Button, "Свернуть"},
    {"Image2", QAccessible::Button, "Закрыть"}, {"ImagePoNazvaniyu", QAccessible::Button, "По названию"},
    {"ImagePoGodu", QAccessible::Button, "По году"}, {"ImagePoKa4estvy", QAccessible::Button, "По качеству изображения"},
    {"ImageMap", QAccessible::Graphic, "Город 001"}, {"ImageZvezda1", QAccessible::Graphic, "Качество: 1 из 5"},
    {"LabelSize", QAccessible::StaticText, "Объём файла: "}, {"Labelavtor", QAccessible::StaticText, "Автор: Автор 1"},
    {"Labelopis", QAccessible::StaticText, "Описание: Описание карты 1"}, {"Label30", QAccessible::Link, ""},
    {"bsSkinScrollBar1", QAccessible::ScrollBar, "Прокрутка списка"}, {"Image4", QAccessible::Link, "Сайт издателя"},
    {"Image6", QAccessible::Button, "О диске"},
    {"Image5", QAccessible::NoRole, ""}, {"Image9", QAccessible::NoRole, ""}, {"ImageGor", QAccessible::NoRole, ""},
    {"ImageZvezda2", QAccessible::NoRole, ""}, {"LabelAvtorNadpis", QAccessible::NoRole, ""},
};
// clang-format on

class CatalogueAccess : public CatalogueWindowTest
{
protected:
    void SetUp() override
    {
        std::vector<Entry> entries = cities(3);
        entries.push_back(entries[0]);
        entries.back().code = QStringLiteral("Oblasti");
        entries.back().title = QStringLiteral("Область");
        open(entries);
        w().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
    }
    QWidget* control(const char* name) { return w().findChild<QWidget*>(QString::fromUtf8(name)); }
    QAccessibleInterface* readOf(const char* name) { return QAccessible::queryAccessibleInterface(control(name)); }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
    {
        AccessibilitySpy::clear();
        QTest::keyClick(&w(), key, modifiers);
    }
    AccessibilitySpy spy;
};

TEST_F(CatalogueAccess, TheTreeAndTheKeysForCategoriesAndOrderings)
{
    expectTree(w(), Tree);
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, int, const char*> steps[] = {
        {Qt::Key_2, Qt::ControlModifier, catalogue::Regions, "Image11"},
        {Qt::Key_Tab, Qt::ControlModifier, catalogue::Country, "Image12"},
        {Qt::Key_5, Qt::ControlModifier, catalogue::Articles, "Image14"},
        {Qt::Key_Tab, Qt::ControlModifier, catalogue::Cities, "Image10"},
        {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, catalogue::Articles, "Image14"}};
    for (const auto& [keys, modifiers, category, chosen] : steps) {
        key(keys, modifiers);
        EXPECT_EQ(entry->category(), category);
        for (const char* tab : {"Image10", "Image11", "Image12", "Image14"})
            EXPECT_EQ(readOf(tab)->state().selected, tab == chosen) << tab << chosen;
        EXPECT_TRUE(AccessibilitySpy::heard(control(chosen), QAccessible::StateChanged)) << chosen;
    }
    readOf("Image11")->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(row(1), QStringLiteral("Область"));

    key(Qt::Key_1);
    key(Qt::Key_Y);
    EXPECT_EQ(row(1), QStringLiteral("1701")); // by year, the years lead
    key(Qt::Key_Q);
    EXPECT_EQ(row(1), QStringLiteral("Город 003")); // the best first
    EXPECT_TRUE(AccessibilitySpy::heard(control("ImageMap"), QAccessible::NameChanged));
    EXPECT_EQ(readOf("ImageMap")->text(QAccessible::Name), QStringLiteral("Город 003"));
    EXPECT_EQ(readOf("ImageZvezda1")->text(QAccessible::Name), QStringLiteral("Качество: 3 из 5"));
    key(Qt::Key_N);
    EXPECT_EQ(row(1), QStringLiteral("Город 001"));
}
