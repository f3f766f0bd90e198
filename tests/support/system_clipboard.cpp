#include "support/system_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <cstring>
#include <string>
#ifdef Q_OS_WIN
#include <windows.h>

#include <shellapi.h>
#endif

namespace testsupport {

#ifdef Q_OS_WIN

namespace {

/// The clipboard, open while it lives (the test owns it: nothing else holds it for long).
struct OpenClipboardScope
{
    bool open = OpenClipboard(nullptr) != 0;
    ~OpenClipboardScope()
    {
        if (open)
            CloseClipboard();
    }
};

} // namespace

void setClipboardText(const QString& text)
{
    const OpenClipboardScope clipboard;
    if (!clipboard.open)
        return;
    EmptyClipboard();
    const std::size_t bytes = (std::size_t(text.size()) + 1) * sizeof(wchar_t);
    if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes)) {
        std::memcpy(GlobalLock(block), text.utf16(), bytes - sizeof(wchar_t));
        GlobalUnlock(block);
        if (!SetClipboardData(CF_UNICODETEXT, block))
            GlobalFree(block);
    }
}

QString clipboardText()
{
    const OpenClipboardScope clipboard;
    HANDLE block = clipboard.open ? GetClipboardData(CF_UNICODETEXT) : nullptr;
    if (!block)
        return {};
    const QString text = QString::fromWCharArray(static_cast<const wchar_t*>(GlobalLock(block)));
    GlobalUnlock(block);
    return text;
}

QList<QUrl> clipboardFiles()
{
    const OpenClipboardScope clipboard;
    const auto drop = static_cast<HDROP>(clipboard.open ? GetClipboardData(CF_HDROP) : nullptr);
    QList<QUrl> files;
    if (!drop)
        return files;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring name(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        name.resize(DragQueryFileW(drop, i, name.data(), UINT(name.size())));
        files << QUrl::fromLocalFile(QString::fromStdWString(name));
    }
    return files;
}

#else

void setClipboardText(const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
}

QString clipboardText()
{
    return QGuiApplication::clipboard()->text();
}

QList<QUrl> clipboardFiles()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data ? data->urls() : QList<QUrl>();
}

#endif

} // namespace testsupport
