// The program's start options: a folder that is missing or not a folder is refused before any window opens.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/application.h"
#include "bad_input_cases.h"
#include "desktop/failure_text.h"
#include "support/qstring_printer.h"

using namespace robustness;

class StartLines : public ::testing::TestWithParam<StartCase>
{
};

TEST_P(StartLines, RefusesWhatIsNoCollectionFolder)
{
    const StartCase& c = GetParam();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile file(folder.filePath(QStringLiteral("file")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    QStringList arguments{QStringLiteral("mapcatalogue")};
    for (QString argument : c.arguments)
        arguments << argument.replace(QStringLiteral("{folder}"), folder.path());
    const auto options = parseStartOptions(arguments, folder.path());

    const QString printed = options ? QString() : desktop::failureText(options.error());
    EXPECT_EQ(QString(printed).replace(folder.path(), QStringLiteral("{folder}")), c.error);
    EXPECT_EQ(options.has_value(), c.error.isEmpty());
    if (options) {
        EXPECT_TRUE(QDir(options->collectionFolder).exists());
    }
}

INSTANTIATE_TEST_SUITE_P(BadInput, StartLines, ::testing::ValuesIn(startCases()),
                         [](const auto& info) { return std::string(info.param.name); });
