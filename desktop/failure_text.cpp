#include "desktop/failure_text.h"

#include <QDir>

#include "desktop/error_report.h"

namespace desktop {
namespace {

using failure::What;

QString utf8(const std::string& text)
{
    return QString::fromStdString(text);
}

QString shownFile(const failure::Failure& failure)
{
    return shownFileName(utf8(failure.file));
}

QString pictureSize(const failure::Failure& failure)
{
    return QStringLiteral("%1 x %2 точек").arg(failure.figure(0)).arg(failure.figure(1));
}

QString jpegText(const QString& why)
{
    return QStringLiteral("Не удалось прочитать JPEG: ") + why;
}

// Failures of reading a file (as against decoding what was read).
bool isReadFailure(What what)
{
    switch (what) {
    case What::FileNotFound:
    case What::FileNotOpened:
    case What::FileTooLarge:
    case What::FileGrewTooLarge:
    case What::ReadFailed:
    case What::ReadStopped:
    case What::FileChanged:
        return true;
    default:
        return false;
    }
}

} // namespace

QString failureText(const failure::Failure& failure)
{
    switch (failure.what) {
    case What::FileNotFound:
        return QStringLiteral("File not found");
    case What::FileNotOpened:
        return utf8(failure.detail);
    case What::FileTooLarge:
        return QStringLiteral("Файл слишком велик: %1 байт (можно прочитать не более %2 байт)")
            .arg(failure.figure(0))
            .arg(failure.figure(1));
    case What::FileGrewTooLarge:
        return QStringLiteral("Файл слишком велик: больше %1 байт").arg(failure.figure(0));
    case What::ReadFailed:
        return QStringLiteral("Ошибка чтения (%1) после %2 байт из %3 — диск повреждён или вынут из привода")
            .arg(utf8(failure.detail))
            .arg(failure.figure(0))
            .arg(failure.figure(1));
    case What::ReadStopped:
        return QStringLiteral("Чтение прервано");
    case What::FileChanged:
        return QStringLiteral("Файл изменился, пока карта была открыта; откройте её снова");
    case What::PictureEmpty:
        return jpegText(QStringLiteral("файл пуст"));
    case What::PictureDataTooLarge:
        return jpegText(QStringLiteral("файл слишком велик"));
    case What::NotJpeg:
        return jpegText(QStringLiteral("файл не является рисунком JPEG"));
    case What::DamagedJpeg:
        return jpegText(QStringLiteral("файл повреждён"));
    case What::UnsupportedJpeg:
        return jpegText(QStringLiteral("такой вид JPEG не поддерживается"));
    case What::JpegPrecision:
        return jpegText(QStringLiteral("рисунки с точностью %1 бит не поддерживаются").arg(failure.figure(0)));
    case What::TooManyScans:
        return jpegText(QStringLiteral("в файле больше %1 сканов").arg(failure.figure(0)));
    case What::NoPixels:
        return jpegText(QStringLiteral("у рисунка нет точек"));
    case What::PictureTooLarge:
        return QStringLiteral("Рисунок слишком велик: %1 (можно открыть не более %2 миллионов точек)")
            .arg(pictureSize(failure))
            .arg(failure.figure(2) / 1'000'000);
    case What::NoMemoryForPicture:
        return QStringLiteral("Недостаточно памяти для рисунка %1").arg(pictureSize(failure));
    case What::RowsStopped:
        return jpegText(QStringLiteral("чтение строк остановилось"));
    case What::NoHeadOfTurned:
        return jpegText(QStringLiteral("у повёрнутого рисунка нет отдельных строк"));
    case What::NoHeadOfProgressive:
        return jpegText(QStringLiteral("у прогрессивного файла нет отдельных строк"));
    case What::DecodeStopped:
        return QStringLiteral("Чтение рисунка прервано.");
    case What::DecodeInterrupted:
        return failure.detail.empty() ? QStringLiteral("Чтение рисунка прервано.") : utf8(failure.detail);
    case What::NoMemory:
        return QStringLiteral("Недостаточно памяти для этого действия.");
    case What::ClipboardRefused:
        return QStringLiteral("Cannot open clipboard");
    case What::WriteFailed:
        return QStringLiteral("Не удалось записать файл %1: %2").arg(shownFile(failure), utf8(failure.detail));
    case What::NothingToSave:
        return utf8(failure.detail);
    case What::CollatorUnavailable:
        return QStringLiteral("Не удалось открыть правила сравнения текстов ICU (%1)").arg(utf8(failure.detail));
    case What::ConverterUnavailable:
        return QStringLiteral("Не удалось открыть преобразователь кодовой страницы 1251 ICU (%1)")
            .arg(utf8(failure.detail));
    case What::BadOption:
        return QStringLiteral("mapcatalogue: %1").arg(utf8(failure.detail));
    case What::TooManyArguments:
        return QStringLiteral("mapcatalogue: too many arguments; give at most one collection folder");
    case What::NotAFolder:
        return QStringLiteral("mapcatalogue: %1 is not a folder").arg(utf8(failure.file));
    }
    Q_UNREACHABLE();
    return {};
}

QString shownFileName(const QString& path)
{
    return path.isEmpty() ? path : QDir::toNativeSeparators(QDir::cleanPath(path));
}

QString failureMessage(Action action, const failure::Failure& failure)
{
    const QString file = shownFile(failure);
    switch (action) {
    case Action::LoadCatalogue:
        return QStringLiteral("%1: %2").arg(failureText(failure), file);
    case Action::ShowPicture:
        if (isReadFailure(failure.what))
            return QStringLiteral("%1: %2").arg(failureText(failure), file);
        if (failure.what == What::NotJpeg || failure.what == What::PictureEmpty)
            return QStringLiteral("Формат файла %1 не поддерживается: показываются только рисунки JPEG.").arg(file);
        return QStringLiteral("Рисунок %1 не удалось прочитать: %2").arg(file, failureText(failure));
    case Action::OpenMap:
        return QStringLiteral("Не удалось открыть карту %1: %2")
            .arg(file, failure.what == What::NoMemory ? QStringLiteral("недостаточно памяти") : failureText(failure));
    case Action::StepToMap:
        if (failure.what == What::FileNotFound)
            return QStringLiteral("Файл ") + file + QStringLiteral(" не найден!");
        return failureMessage(Action::OpenMap, failure);
    case Action::SavePicture:
    case Action::CopyFile:
    case Action::Other:
        break;
    }
    return failureText(failure);
}

void reportFailure(Action action, const failure::Failure& failure)
{
    showMessage(failureMessage(action, failure));
}

} // namespace desktop
