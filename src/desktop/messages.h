#pragma once
// Message boxes go through this interface so that widget tests can answer them.

#include <QString>
#include <QStringList>

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
    // A file dialog: the file chosen, or empty when the user cancels. filter as
    // QFileDialog takes it ("Plant files (*.csv)").
    enum class FileMode { Open, Save };
    virtual QString chooseFile(FileMode mode, const QString& caption, const QString& filter,
                               const QString& start) = 0;
    // Unsaved changes: save them, throw them away, or go back.
    enum class Answer { Save, Discard, Cancel };
    virtual Answer askSaveChanges(const QString& text) = 0;
    // A question with buttons of its own: the index of the button pressed, or -1 when
    // the box was closed (Escape) or nobody can be asked.
    virtual int askChoice(const QString& text, const QStringList& buttons) {
        (void)text, (void)buttons;
        return -1;
    }
    // Whether a person is there to answer.
    virtual bool asking() const { return true; }
    // The program is ending with nobody to answer (a signal ended the session): from
    // now on nothing may wait for the user.
    virtual void stopAsking() {}
};

// The real boxes, parented to the active window; once asking has stopped, the texts go
// to stderr instead and printing is declined.
class BoxMessages : public MessageSink {
public:
    void showError(const QString& text) override;
    void showMessage(const QString& text) override;
    bool choosePrinter(QPrinter& printer) override;
    QString chooseFile(FileMode mode, const QString& caption, const QString& filter,
                       const QString& start) override;
    Answer askSaveChanges(const QString& text) override;
    int askChoice(const QString& text, const QStringList& buttons) override;
    void stopAsking() override { m_asking = false; }
    bool asking() const override { return m_asking; }
    // Errors reported on stderr after asking stopped.
    int unansweredErrors() const { return m_unansweredErrors; }

private:
    bool m_asking = true;
    int m_unansweredErrors = 0;
};
