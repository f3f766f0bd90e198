// The program's start options: a folder that is missing or not a folder is refused before any window opens.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/application.h"
#include "bad_input_cases.h"
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
    const ::StartOptions options = parseStartOptions(arguments, folder.path());

    EXPECT_EQ(QString(options.error).replace(folder.path(), QStringLiteral("{folder}")), c.error);
    EXPECT_EQ(options.collectionFolder.isEmpty(), !c.error.isEmpty());
    if (c.error.isEmpty()) {
        EXPECT_TRUE(QDir(options.collectionFolder).exists());
    }
}

INSTANTIATE_TEST_SUITE_P(BadInput, StartLines, ::testing::ValuesIn(startCases()),
                         [](const auto& info) { return std::string(info.param.name); });
