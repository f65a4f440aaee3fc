#pragma once
#include "desktop/messages.h"

#include <QStringList>

class QWidget;

class RecordedMessages : public MessageSink {
public:
    void showError(const QString& text) override { errors << text; }
    void showMessage(const QString& text) override { messages << text; }
    // Answers the print dialog: prints to a PDF file, or cancels.
    bool choosePrinter(QPrinter& printer) override;
    // Answers the file dialogs with the next of these (empty: cancelled) and the
    // question about unsaved changes with `answer`.
    QString chooseFile(FileMode, const QString& caption, const QString&, const QString&) override {
        fileDialogs << caption;
        return files.isEmpty() ? QString() : files.takeFirst();
    }
    Answer askSaveChanges(const QString& text) override {
        questions << text;
        return answer;
    }
    // Answers the questions with buttons of their own with the next of `choices`
    // (-1 when none are left).
    int askChoice(const QString& text, const QStringList&) override {
        questions << text;
        return choices.isEmpty() ? -1 : choices.takeFirst();
    }
    QList<int> choices;
    bool asking() const override { return askingUser; }
    void stopAsking() override { askingUser = false; }
    bool askingUser = true;
    QStringList files;
    QStringList fileDialogs;
    Answer answer = Answer::Cancel;
    QStringList questions;
    QString pdfPath;
    bool cancelPrint = false;
    int printDialogs = 0;
    QStringList errors;
    QStringList messages;
};

// The sink the application object reports escaped exceptions to.
RecordedMessages& applicationMessages();

// The object names of the visible controls of window that Tab reaches, and of those
// among them a screen reader would announce without a name.
struct FocusStops {
    QStringList all;
    QStringList unnamed;
};
FocusStops focusStops(const QWidget& window);
