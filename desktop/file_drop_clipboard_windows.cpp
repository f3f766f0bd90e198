// The file list on the clipboard as Explorer's Copy leaves it: CF_HDROP and the preferred drop effect "copy". Qt's
// own conversion of URLs to CF_HDROP offers no drop effect and says nothing when the clipboard is refused.
#include <cstring>
#include <oleidl.h>
#include <shlobj.h>
#include <windows.h>

#include "desktop/file_drop_clipboard.h"

namespace desktop {
namespace {

static_assert(sizeof(DROPFILES) == 20, "dropFilesBlock() writes the header of 64-bit Windows");

/// A window of no size that only owns the clipboard's data: EmptyClipboard() gives the clipboard to the window that
/// opened it, and a clipboard without an owner refuses SetClipboardData().
HWND clipboardOwner()
{
    static const HWND owner = CreateWindowExW(0, L"STATIC", L"mapcatalogue clipboard", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                              nullptr, GetModuleHandleW(nullptr), nullptr);
    return owner;
}

/// A movable block of global memory holding size bytes from data, as the clipboard takes it; null when there is no
/// memory.
HGLOBAL globalCopy(const void* data, std::size_t size)
{
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!block)
        return nullptr;
    void* bytes = GlobalLock(block);
    if (!bytes) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(bytes, data, size);
    GlobalUnlock(block);
    return block;
}

/// Hands a block to the open clipboard, which owns it from then on; frees it when the clipboard does not take it.
bool giveToClipboard(UINT format, HGLOBAL block)
{
    if (SetClipboardData(format, block))
        return true;
    GlobalFree(block);
    return false;
}

} // namespace

failure::Result<void> CopyFileToClipboard(const QString& absolutePath)
{
    const QByteArray list = dropFilesBlock(absolutePath);
    const DWORD copyEffect = DROPEFFECT_COPY;
    const HGLOBAL drop = globalCopy(list.constData(), std::size_t(list.size()));
    const HGLOBAL effect = globalCopy(&copyEffect, sizeof copyEffect);
    if (!drop || !effect) {
        GlobalFree(drop);
        GlobalFree(effect);
        return failure::Failure{failure::What::NoMemory, absolutePath.toStdString(), {}, {}};
    }
    // Another program holding the clipboard keeps it, with its content.
    if (!OpenClipboard(clipboardOwner())) {
        GlobalFree(drop);
        GlobalFree(effect);
        return failure::Failure{failure::What::ClipboardRefused, absolutePath.toStdString(), {}, {}};
    }
    EmptyClipboard();
    const bool taken = giveToClipboard(CF_HDROP, drop);
    if (taken)
        giveToClipboard(RegisterClipboardFormatW(CFSTR_PREFERREDDROPEFFECT), effect);
    else
        GlobalFree(effect);
    CloseClipboard();
    if (!taken)
        return failure::Failure{failure::What::ClipboardRefused, absolutePath.toStdString(), {}, {}};
    return {};
}

} // namespace desktop
