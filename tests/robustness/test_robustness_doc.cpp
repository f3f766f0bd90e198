// docs/robustness.md is the table of cases these tests run; this test keeps the two the same.
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "bad_input_cases.h"

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

TEST(RobustnessDoc, TheDocumentIsTheTableOfCases)
{
    const QByteArray generated = robustness::robustnessDocument().toUtf8();
    const QString docPath = QStringLiteral(MAPCATALOGUE_SOURCE_DIR "/docs/robustness.md");
    const QString builtPath = QStringLiteral(MAPCATALOGUE_BINARY_DIR "/robustness/robustness.md");
    ASSERT_TRUE(writeAll(builtPath, generated)) << builtPath.toStdString();

    if (qEnvironmentVariableIntValue("UPDATE_ROBUSTNESS_DOC") == 1) {
        ASSERT_TRUE(writeAll(docPath, generated)) << docPath.toStdString();
        return;
    }
    EXPECT_TRUE(readAll(docPath) == generated)
        << "docs/robustness.md differs from the table of cases the robustness tests run.\n"
        << "The table as the tests see it is in " << builtPath.toStdString() << ".\n"
        << "Rewrite the document with: UPDATE_ROBUSTNESS_DOC=1 " << MAPCATALOGUE_BINARY_DIR
        << "/tests/robustness_tests --gtest_filter=RobustnessDoc.*";
}
