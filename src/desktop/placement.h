#pragma once
// Window placement in the settings file: one section per window with WinLeft, WinTop,
// WinState and, for a resizable window, WinWidth and WinHeight.

#include <QRect>
#include <string>

class QWidget;

namespace unctora::app {

// The position a stored left/top gives a window of size w x h on a screen: a
// negative coordinate centres the window on that axis; then the window is kept on
// the screen, left and top edges before right and bottom ones (so a window larger
// than the screen may end at a negative coordinate).
QPoint placedPosition(int left, int top, int w, int h, const QSize& screen);

// Reads the section and moves (and for a resizable window, sizes) the window.
void RestoreWindowPlacement(QWidget& window, const std::string& settingsFile,
                            const std::string& section, bool resizable);
// Writes the section in one piece; raises WriteError when the file cannot be written.
void SaveWindowPlacement(const QWidget& window, const std::string& settingsFile,
                         const std::string& section, bool resizable);

} // namespace unctora::app
