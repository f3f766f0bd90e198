#pragma once

// The catalogue window (and the viewer) on a collection made for one bad-input case.
#include <QStringList>
#include <gtest/gtest.h>

#include "bad_input_cases.h"
#include "desktop/error_report.h"
#include "support/qstring_printer.h"
#include "viewer_window/viewer_fixture.h"

namespace robustness {

class RobustnessTest : public testsupport::ViewerTest
{
protected:
    /// The messages shown so far, with the collection's path replaced by CollectionMark; clears the recorder.
    QStringList takeMessages()
    {
        QStringList messages;
        for (const QString& message : testsupport::MessageRecorder::messages())
            messages << withCollectionMark(message, collection.path());
        testsupport::MessageRecorder::clear();
        return messages;
    }

    /// Runs the first activation as the window system does: through the guard that shows a handler's error.
    void openGuarded()
    {
        testsupport::MessageRecorder::clear();
        data = std::make_unique<catalogue::CatalogueData>();
        entry = std::make_unique<CurrentEntry>(*data);
        form = std::make_unique<TForm1>(*entry, programLoader);
        form->show();
        desktop::runGuarded([this] { form->FormActivate(); });
        waitForPreview();
    }

    /// Goes through every view and the first row of each; the window must answer without a message.
    void exerciseWindow()
    {
        for (auto click : {&TForm1::ImageOblClick, &TForm1::ImagerusClick, &TForm1::ImageMetClick,
                           &TForm1::ImageArtClick, &TForm1::ImageAboutClick, &TForm1::ImageGorClick}) {
            desktop::runGuarded([this, click] { (w().*click)(); });
            if (w().listGrid->rowCount() > 0)
                clickRow(1);
        }
        for (auto click : {&TForm1::ImagePoGoduClick, &TForm1::ImagePoKa4estvyClick, &TForm1::ImagePoNazvaniyuClick})
            desktop::runGuarded([this, click] { (w().*click)(); });
        EXPECT_TRUE(w().isEnabled());
    }
};

} // namespace robustness
