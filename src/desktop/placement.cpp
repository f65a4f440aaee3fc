#include "desktop/placement.h"

#include "files/regini.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace unctora::app {

QPoint placedPosition(int left, int top, int w, int h, const QSize& screen) {
    if (left < 0)
        left = (screen.width() - w) / 2;
    if (top < 0)
        top = (screen.height() - h) / 2;
    // Compared as "left > width - w": a position read from a damaged settings file can
    // be so large that left + w passes the int range, and the window would end off screen.
    if (left < 0)
        left = 0;
    if (left > screen.width() - w)
        left = screen.width() - w;
    if (top < 0)
        top = 0;
    if (top > screen.height() - h)
        top = screen.height() - h;
    return {left, top};
}

void RestoreWindowPlacement(QWidget& window, const std::string& settingsFile,
                            const std::string& section, bool resizable) {
    files::TStRegIni ini(settingsFile, true);
    ini.Section = section;
    const int left = ini.ReadInteger("WinLeft", 0);
    const int top = ini.ReadInteger("WinTop", 0);
    int w = resizable ? ini.ReadInteger("WinWidth", 0) : -1;
    int h = resizable ? ini.ReadInteger("WinHeight", 0) : -1;
    const QSize current = window.frameGeometry().size().expandedTo(window.size());
    if (w <= 0)
        w = resizable ? window.width() : current.width();
    if (h <= 0)
        h = resizable ? window.height() : current.height();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize area = screen ? screen->geometry().size() : QSize(1280, 1024);
    // A stored size from a damaged file (up to 2^31 - 1) would make a window of
    // gigabytes; no window of ours needs more than the screen offers.
    const QSize available = screen ? screen->availableGeometry().size() : area;
    if (resizable) {
        w = std::min(w, std::max(available.width(), 1));
        h = std::min(h, std::max(available.height(), 1));
    }
    window.move(placedPosition(left, top, w, h, area));
    if (resizable)
        window.resize(w, h);
}

void SaveWindowPlacement(const QWidget& window, const std::string& settingsFile,
                         const std::string& section, bool resizable) {
    files::TStRegIni ini(settingsFile, true);
    ini.setDeferred(true);
    ini.Section = section;
    const bool normal = !window.isMaximized() && !window.isMinimized();
    const QRect r = normal ? window.geometry() : window.normalGeometry();
    ini.WriteInteger("WinLeft", normal ? window.x() : r.x());
    ini.WriteInteger("WinTop", normal ? window.y() : r.y());
    ini.WriteInteger("WinState", window.isMinimized() ? 1 : window.isMaximized() ? 2 : 0);
    if (resizable) {
        ini.WriteInteger("WinWidth", r.width());
        ini.WriteInteger("WinHeight", r.height());
    }
    ini.UpdateFile();
}

} // namespace unctora::app
