#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>
#include <QtEndian>
#include <gtest/gtest.h>
#include <memory>
#ifdef _WIN32
#include <shlobj.h>
#include <thread>
#include <windows.h>
#endif

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

#ifndef _WIN32
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
#endif

TEST(FileDropClipboard, DropFilesBlockIsExplorersWideOneFileList)
{
    const QByteArray block = desktop::dropFilesBlock(QStringLiteral("D:/Карты/Goroda/moskva 1.jpg"));
    const QString name = QStringLiteral("D:\\Карты\\Goroda\\moskva 1.jpg");
    ASSERT_EQ(block.size(), 20 + 2 * (name.size() + 2));
    const auto field = [&block](int offset) { return qFromLittleEndian<quint32>(block.constData() + offset); };
    EXPECT_EQ(field(0), 20u);                       // the list's offset
    EXPECT_EQ(field(4) | field(8) | field(12), 0u); // drop point, non-client flag
    EXPECT_EQ(field(16), 1u);                       // wide names
    QString names(name.size() + 2, QChar());
    qFromLittleEndian<char16_t>(block.constData() + 20, names.size(), names.data());
    EXPECT_EQ(names, name + QChar() + QChar());
}

#ifdef _WIN32
/// The bytes of a clipboard format as another program reads them.
QByteArray clipboardBytes(UINT format)
{
    QByteArray bytes;
    if (!OpenClipboard(nullptr))
        return bytes;
    if (const HANDLE block = GetClipboardData(format)) {
        bytes = QByteArray(static_cast<const char*>(GlobalLock(block)), qsizetype(GlobalSize(block)));
        GlobalUnlock(block);
    }
    CloseClipboard();
    return bytes;
}

TEST(FileDropClipboard, WindowsClipboardHoldsTheDropListToCopyOrRefusesWhenHeld)
{
    const QString path = QStringLiteral("C:/Карты/Goroda/moskva 1.jpg");
    ASSERT_TRUE(desktop::CopyFileToClipboard(path));
    const QByteArray expected = desktop::dropFilesBlock(path);
    EXPECT_EQ(clipboardBytes(CF_HDROP).left(expected.size()), expected);
    const QByteArray effect = clipboardBytes(RegisterClipboardFormatW(CFSTR_PREFERREDDROPEFFECT));
    ASSERT_GE(effect.size(), 4);
    EXPECT_EQ(qFromLittleEndian<quint32>(effect.constData()), quint32(DROPEFFECT_COPY));

    // Another program holds the clipboard open: the copy is refused and the list on it stays.
    ASSERT_TRUE(OpenClipboard(nullptr));
    std::thread([&] {
        const failure::Result<void> refused = desktop::CopyFileToClipboard(QStringLiteral("C:/other.jpg"));
        ASSERT_FALSE(refused);
        EXPECT_EQ(refused.error().what, failure::What::ClipboardRefused);
    }).join();
    CloseClipboard();
    EXPECT_EQ(clipboardBytes(CF_HDROP).left(expected.size()), expected);
}
#endif

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
