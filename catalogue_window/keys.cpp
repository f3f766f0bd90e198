// The catalogue window's keys beyond the list's own: the categories as a tab control's pages (Ctrl+Tab,
// Ctrl+Shift+Tab, Ctrl+1..Ctrl+5) and the three orderings (Ctrl+N by name, Ctrl+Y by year, Ctrl+Q by quality). They
// work wherever the focus is in the window, and only while the viewer is not over it.
#include <QShortcut>

#include "catalogue/catalogue_data.h"
#include "catalogue_window/tform1.h"
#include "controls/picture_control.h"
#include "desktop/guarded.h"

namespace {

/// The category Ctrl+Tab (step 1) or Ctrl+Shift+Tab (step -1) goes to from category; the about page counts as being
/// before the first.
int steppedCategory(int category, int step)
{
    constexpr int count = catalogue::Articles - catalogue::Cities + 1;
    if (category < catalogue::Cities || category > catalogue::Articles)
        return step > 0 ? catalogue::Cities : catalogue::Articles;
    return catalogue::Cities + (category - catalogue::Cities + step + count) % count;
}

} // namespace

void TForm1::createShortcuts()
{
    auto bind = [this](QKeySequence keys, auto&& action) {
        auto* shortcut = new QShortcut(keys, this);
        desktop::connectGuarded(shortcut, &QShortcut::activated, this, action);
    };
    bind(QKeySequence(Qt::CTRL | Qt::Key_Tab), [this] { CategoryView(steppedCategory(m_entry.category(), 1)); });
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab)})
        bind(keys, [this] { CategoryView(steppedCategory(m_entry.category(), -1)); });
    for (int category = catalogue::Cities; category <= catalogue::Articles; ++category)
        bind(QKeySequence(Qt::CTRL | (Qt::Key_1 + category - catalogue::Cities)),
             [this, category] { CategoryView(category); });

    // An ordering's key does what its area does, and only where the area is on show (not for the articles).
    const std::pair<Qt::Key, void (TForm1::*)()> orderings[] = {{Qt::Key_N, &TForm1::ImagePoNazvaniyuClick},
                                                                {Qt::Key_Y, &TForm1::ImagePoGoduClick},
                                                                {Qt::Key_Q, &TForm1::ImagePoKa4estvyClick}};
    for (const auto& [key, order] : orderings) {
        bind(QKeySequence(Qt::CTRL | key), [this, order] {
            if (!byNameButton->isHidden())
                (this->*order)();
        });
    }
}
