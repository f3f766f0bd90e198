#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>
#include <memory>

#include "desktop/file_drop_clipboard.h"
#include "desktop/shell_open.h"

namespace {

TEST(FileDropMimeData, OffersUriListGnomeCopyAndText)
{
    const QString path = QStringLiteral("/data/Собрание/Goroda/moskva 1.jpg");
    const std::unique_ptr<QMimeData> data(desktop::makeFileDropMimeData(path));
    ASSERT_TRUE(data->hasUrls());
    ASSERT_EQ(data->urls().size(), 1);
    EXPECT_EQ(data->urls().first().toLocalFile(), path);
    const QByteArray encoded = QUrl::fromLocalFile(path).toEncoded();
    EXPECT_EQ(data->data(QStringLiteral("text/uri-list")).trimmed(), encoded);
    EXPECT_EQ(data->data(QStringLiteral("x-special/gnome-copied-files")), QByteArray("copy\n") + encoded);
    EXPECT_EQ(data->text(), path);
}

TEST(FileDropClipboard, PutsTheFileOnTheClipboard)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    const QString path = QStringLiteral("/tmp/карта.jpg");
    ASSERT_TRUE(desktop::CopyFileToClipboard(path));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    ASSERT_EQ(data->urls().size(), 1);
    EXPECT_EQ(data->urls().first().toLocalFile(), path);
    EXPECT_TRUE(data->hasFormat(QStringLiteral("x-special/gnome-copied-files")));
}

TEST(ShellOpen, GoesToTheHookWhenInstalled)
{
    std::vector<QUrl> opened;
    desktop::setShellOpenHook([&opened](const QUrl& url) { opened.push_back(url); });
    desktop::shellOpen(QUrl(QStringLiteral("https://example.org/")));
    desktop::shellOpen(QUrl::fromLocalFile(QStringLiteral("/tmp/Articles/a.htm")));
    desktop::setShellOpenHook({});
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0].toString(), QStringLiteral("https://example.org/"));
    EXPECT_EQ(opened[1].toLocalFile(), QStringLiteral("/tmp/Articles/a.htm"));
}

TEST(ShellOpen, WebAddressTable)
{
    const struct
    {
        const char* text;
        bool web;
    } cases[] = {
        {"http://example.org", true},
        {"https://example.org/", true},
        {"http://www.example.org/maps/index.html?x=1#top", true},
        {"HTTP://example.org/", true},
        {"http://пример.рф/", true},
        {"http://example.org:8080/a", true},
        {"ftp://example.org/", false},
        {"mailto:someone@example.org", false},
        {"http://", false},
        {"http:///path", false},
        {"http:example.org", false},
        {"http://exa mple.org/", false},
        {"http://example.org/ a", false},
        {" http://example.org/", false},
        {"http://example.org/\t", false},
        {"httpexample.org", false},
        {"www.example.org", false},
        {"http://example.org:port/", false},
        {"", false},
        {"Издательство", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(desktop::isWebAddress(QString::fromUtf8(c.text)), c.web) << c.text;
}

} // namespace
