#pragma once
// Message boxes go through this interface so that widget tests can answer them.

#include <QString>

class QPrinter;
class QWidget;

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // The general error message: something failed, the program goes on.
    virtual void showError(const QString& text) = 0;
    // A plain message with an OK button.
    virtual void showMessage(const QString& text) = 0;
    // The print dialog: false when the user cancels.
    virtual bool choosePrinter(QPrinter& printer) = 0;
};

// The real boxes, parented to the active window.
class BoxMessages : public MessageSink {
public:
    void showError(const QString& text) override;
    void showMessage(const QString& text) override;
    bool choosePrinter(QPrinter& printer) override;
};
