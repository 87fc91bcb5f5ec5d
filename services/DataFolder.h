#pragma once

#include <QString>
#include <functional>

namespace vkt {

// Where the data folder may be, in the order the rule tries them.
struct DataFolderPlaces {
    QString commandLine;  // --data DIR; empty when not given
    QString environment;  // VKT_DATA_DIR; empty when not set
    QString portable;     // Pic beside the program
    QString user;         // vkt/Pic under the user's XDG data home
    QString shipped;      // the installed read-only copy, <prefix>/share/vkt/Pic
};

enum class DataFolderSource { CommandLine, Environment, Portable, User };

struct DataFolderChoice {
    DataFolderSource source;
    QString path;
};

// Makes the folder and its parents. Empty when it is there, else why not, in words: a file or a
// dangling link where it should be, a file on the way, no permission, a read-only disk.
QString makeFolder(const QString& folder);

using FolderProbe = std::function<bool(const QString& folder)>;
bool isWritableFolder(const QString& folder);

// The places of the running program; needs the application object for the user folder.
DataFolderPlaces programDataFolderPlaces(const QString& commandLineFolder);

// --data first, then VKT_DATA_DIR, then Pic beside the program when it is a writable folder,
// else the user's own folder.
DataFolderChoice chooseDataFolder(const DataFolderPlaces& places, const FolderProbe& writable = isWritableFolder);

// The portable folder is used as it is. Any other is created when missing and gets a copy of every
// shipped file it lacks; a file already there is never overwritten, so an upgrade cannot clobber a
// user's list or journal. Returns what went wrong, naming the folder and the reason; empty when
// the folder is ready.
QString prepareDataFolder(const DataFolderChoice& choice, const QString& shipped,
                          const FolderProbe& writable = isWritableFolder);

// Start-up: choose, prepare and use the folder. Returns the problem to tell the user, or empty.
QString startDataFolder(const QString& commandLineFolder);

// Every data file lies here. Until start-up has chosen (tests, tools): VKT_DATA_DIR, else Pic
// beside the program.
void useDataFolder(const QString& folder);
QString dataFolder();
QString dataFile(const QString& name);

} // namespace vkt
