// The catalogue window as a screen reader reads it, and its keys for the categories and the orderings.
#include "catalogue_window/window_fixture.h"
#include "controls/focus_frame.h"
#include "support/accessibility_spy.h"
#include "window_layout/row_slots.h"

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
    {"Image6", QAccessible::Button, "О диске"}, {"StringGrid1", QAccessible::List, "Список"},
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
        EXPECT_TRUE(AccessibilitySpy::heard(control(chosen), QAccessible::StateChanged) &&
                    AccessibilitySpy::heard(control(chosen), QAccessible::Selection))
            << chosen;
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

TEST_F(CatalogueAccess, TheListReadsItsEntriesWithTheChosenOneAndTypedTextChoosesAnEntry)
{
    QAccessibleInterface* list = readOf("StringGrid1");
    const auto chosen = [&](int row) {
        const QAccessible::State state = list->child(row)->state();
        return state.selected && state.focused;
    };
    ASSERT_EQ(list->childCount(), 3);
    EXPECT_EQ(list->child(2)->text(QAccessible::Name), QStringLiteral("Город 003, 1703"));
    EXPECT_TRUE(chosen(0));
    AccessibilitySpy::clear();
    QTest::keyClick(control("StringGrid1"), Qt::Key_Down);
    EXPECT_TRUE(chosen(1) && !chosen(0));
    EXPECT_TRUE(AccessibilitySpy::heard(control("StringGrid1"), QAccessible::Focus, 1));
    // The outline marks the chosen row while the list has the focus.
    const QWidget* outline = w().listFocusFrame;
    EXPECT_TRUE(outline->isVisible());
    EXPECT_TRUE(outline->geometry().contains(w().Label[window_layout::firstColumnLabel(2)]->geometry()));
    control("StringGrid1")->clearFocus();
    EXPECT_FALSE(outline->isVisible());
    control("StringGrid1")->setFocus();

    // Letters typed within a second add up; a text no entry starts with moves nothing; the years when they lead.
    const std::tuple<const char*, Qt::Key, int> typed[] = {{"ГОРОД 003", Qt::Key_unknown, 2},
                                                           {"г", Qt::Key_unknown, 0},
                                                           {"х", Qt::Key_unknown, 0},
                                                           {"1702", Qt::Key_Y, 1}};
    for (const auto& [text, ordering, chosenRow] : typed) {
        if (ordering != Qt::Key_unknown)
            key(ordering);
        if (text != std::get<0>(typed[0]))
            QTest::qWait(controls::StringGrid::TypeAheadMilliseconds + 50);
        for (const QChar letter : QString::fromUtf8(text))
            QTest::sendKeyEvent(QTest::Click, control("StringGrid1"), Qt::Key_A, QString(letter), Qt::NoModifier);
        EXPECT_EQ(entry->row(), chosenRow) << text;
    }
    EXPECT_EQ(entry->year(), QStringLiteral("1702"));
}
