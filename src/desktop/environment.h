#pragma once
// Where the program finds its files and how it talks to the user; the tests build
// the real windows against temporary folders and a message sink of their own.

#include <QString>
#include <QStringList>

class MessageSink;

struct AppEnvironment {
    QString programDir;    // the language file unctora.sil stands here
    QString dataDir;       // settings file and generated pages
    QStringList arguments; // command line without the program name
    MessageSink* messages = nullptr;

    QString languageFile() const { return programDir + "/unctora.sil"; }
    QString settingsFile() const { return dataDir + "/unctora.INI"; }
    QString dataFilePath(const QString& name) const { return dataDir + "/" + name; }

    // The running program's folders: the executable's folder (links resolved) and
    // the per-user data folder <local app data>/Talvik/Unctora6.
    static QString defaultProgramDir();
    static QString defaultDataDir();
    // A switch such as "Log" given as -Log or /log, in any letter case.
    bool hasSwitch(const QString& name) const;
    // Registers the compiled-in pictures; safe to call more than once.
    static void initResources();
};
