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

private:
    MessageSink* m_messages = nullptr;
};
