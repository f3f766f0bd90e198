#pragma once

#include <QApplication>
#include <QString>

/// The application object. It catches nothing: no exception travels through Qt's event delivery (a handler that
/// fails reports the failure at its edge, desktop/error_report.h), and the start-up options.
class MapApplication : public QApplication
{
    Q_OBJECT
public:
    MapApplication(int& argc, char** argv);
};

/// What the command line asks for.
struct StartOptions
{
    bool help = false;
    bool version = false;     ///< --version: print the version and end
    bool folderGiven = false; ///< the folder came from the command line
    QString collectionFolder; ///< absolute; the working directory when none was given
    QString error;            ///< a usage error to print
};
StartOptions parseStartOptions(const QStringList& arguments, const QString& workingDirectory);

/// The text printed for --help.
QString usageText();
