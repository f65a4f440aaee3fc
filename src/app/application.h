#pragma once
// The application object: every exception that escapes an event handler ends up in
// notify(), is shown in the general error message and the program goes on.

#include <QApplication>

class MessageSink;

class UnctoraApplication : public QApplication {
    Q_OBJECT
public:
    UnctoraApplication(int& argc, char** argv);
    void setMessages(MessageSink* messages) { m_messages = messages; }
    bool notify(QObject* receiver, QEvent* event) override;

    // SIGTERM, SIGINT and SIGHUP (a session that ends, Ctrl+C in a terminal) end the
    // program as Quit does, so the settings and the window position are saved.
    void quitOnTerminationSignals();

private:
    MessageSink* m_messages = nullptr;
};
