#include "desktop/environment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString AppEnvironment::defaultProgramDir() {
    const QFileInfo exe(QCoreApplication::applicationFilePath());
    return QFileInfo(exe.canonicalFilePath()).absolutePath();
}

QString AppEnvironment::defaultDataDir() {
    // The generic data location is $XDG_DATA_HOME (~/.local/share) on Linux and the
    // local application data folder on Windows.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir::cleanPath(base + "/Talvik/Unctora6");
}

// The pictures are compiled into a static library, which must register them itself.
static void registerResources() { Q_INIT_RESOURCE(unctora); }

void AppEnvironment::initResources() {
    static const bool once = (registerResources(), true);
    (void)once;
}

bool AppEnvironment::hasSwitch(const QString& name) const {
    for (const QString& a : arguments)
        if ((a.startsWith('-') || a.startsWith('/')) && a.mid(1).compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}
