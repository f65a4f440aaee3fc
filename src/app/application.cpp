#include "app/application.h"

#include "app/messages.h"

UnctoraApplication::UnctoraApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName("Unctora");
    setOrganizationName("Talvik");
    // Lets the desktop match the window with the menu entry and its icon.
    setDesktopFileName("org.talvik.Unctora");
}

bool UnctoraApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        if (m_messages)
            m_messages->showError(QString::fromStdString(e.what()));
    } catch (...) {
        if (m_messages)
            m_messages->showError("Unknown error");
    }
    return false;
}
