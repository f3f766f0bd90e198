#pragma once

// A loaded catalogue window on a collection made for the test. Shared by the catalogue window's and the viewer
// window's tests.
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "catalogue_window/tform1.h"
#include "controls/picture_control.h"
#include "controls/string_grid.h"
#include "controls/text_label.h"
#include "loading/loader.h"
#include "support/message_recorder.h"
#include "support/test_collection.h"

namespace testsupport {

class CatalogueWindowTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        form.reset();
        entry.reset();
        data.reset();
        MessageRecorder::clear();
    }

    /// Writes a complete collection of these entries, opens the window on it and runs the first activation.
    void open(const std::vector<Entry>& entries)
    {
        collection.writeComplete(entries);
        openWritten();
    }

    /// Opens the window on whatever the test wrote into the collection.
    void openWritten()
    {
        MessageRecorder::clear();
        data = std::make_unique<catalogue::CatalogueData>();
        entry = std::make_unique<CurrentEntry>(*data);
        form = std::make_unique<TForm1>(*entry, programLoader);
        form->show();
        form->FormActivate();
        waitForPreview();
    }

    /// Waits until the preview asked for last has been read, decoded and shown (or its failure reported).
    void waitForPreview()
    {
        QCoreApplication::sendPostedEvents(); // the loader queues the preview's read from the event loop
        EXPECT_TRUE(programLoader.pool().waitForJobs(5000));
        QCoreApplication::sendPostedEvents();
    }

    TForm1& w() { return *form; }
    /// The chosen entry's slot in its table, 1-based as the list's entries are counted.
    int currentRow() const { return entry->row() + 1; }
    QString row(int slot) const { return form->Label[slot]->caption(); }
    QString second(int slot) const { return form->Label[slot + 47]->caption(); }
    bool highlighted(int slot) const { return form->Label[slot]->isBold() && form->Label[slot + 47]->isBold(); }
    int highlightedSlot() const
    {
        int found = 0;
        for (int s = 1; s <= 29; ++s)
            if (form->Label[s]->isBold())
                found = found == 0 ? s : -1;
        return found;
    }
    void clickRow(int slot)
    {
        controls::TextLabel* label = form->Label[slot];
        QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(2, label->height() / 2));
    }
    /// What a real double-click delivers: press, release, double-click, release.
    void doubleClick(QWidget* target, QPoint pos)
    {
        QTest::mouseClick(target, Qt::LeftButton, {}, pos);
        QTest::mouseDClick(target, Qt::LeftButton, {}, pos);
        QTest::mouseRelease(target, Qt::LeftButton, {}, pos);
    }
    void key(int key) { QTest::keyClick(form->listGrid, static_cast<Qt::Key>(key)); }

    TestCollection collection;
    // The program's loader, beside the entry; it outlives the windows.
    loading::Loader programLoader;
    std::unique_ptr<catalogue::CatalogueData> data;
    std::unique_ptr<CurrentEntry> entry;
    std::unique_ptr<TForm1> form;
};

} // namespace testsupport
