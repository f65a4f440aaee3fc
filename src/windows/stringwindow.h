#pragma once
// The string window: the translators' editor of the string table. The program owns
// the table for the whole run (every window's look-ups go to it); this window loads
// the language file into it, edits it and exports it.
//
// The editor shows the table's line list itself (lbText), the eleven languages
// (lbLang) and the text of the selected key in the language selected there. An
// accepted edit replaces the line in the table at once, so the main window shows it
// at its next text update; Save exports the table to "unctora.six" beside the
// program, never to the language file. The window is created hidden at start-up and
// lives until the program ends; its placement is kept under [frmStrings].

#include "desktop/environment.h"
#include "strings/stringtable.h"

#include <QWidget>

class QLineEdit;
class QListView;
class QListWidget;
class QStatusBar;
class QToolButton;
class QAction;
class MessageSink;

class TfrmStrings : public QWidget {
    Q_OBJECT
public:
    // Loads the language file into `table` at creation; the language starts as
    // English. The table must outlive the window. The environment gives the language
    // file, the program folder (for the export file), the settings file (placement)
    // and the message sink.
    TfrmStrings(const AppEnvironment& env, unctora::strings::StringTable& table, QWidget* parent = nullptr);
    // Saves the window placement.
    ~TfrmStrings() override;

    // The program's table, which this window edits.
    unctora::strings::StringTable* table() { return &m_table; }
    const unctora::strings::StringTable* table() const { return &m_table; }

    // Reads the language file again: unsaved edits are lost, the current language
    // stays. False (and the table unchanged) when the file cannot be read.
    bool LoadLanguageFile();
    // Shows the key and text of the selected line in the selected language; a line
    // of a language-numbered family moves the selection to that language's line.
    void ShowSelected();
    // Stores the text of edStrValue in the selected line.
    void AcceptEdit();
    // Writes the table to stringFilePath(); throws files::WriteError on failure.
    void SaveStringFile();
    QString stringFilePath() const;

    // The row of lbText that is selected; -1 when none.
    int selectedLine() const;

    QListWidget* lbLang = nullptr;
    QListView* lbText = nullptr;
    QLineEdit* edStrName = nullptr;
    QLineEdit* edStrValue = nullptr;
    QAction* bnAcceptValue = nullptr; // the accept button inside edStrValue
    QStatusBar* sbStatus = nullptr;
    QToolButton* bnReload = nullptr;
    QToolButton* bnSave = nullptr;
    QToolButton* bnSearch = nullptr;
    QToolButton* bnClose = nullptr;

protected:
    // Brings the selected line into view, which a hidden window leaves undone.
    void showEvent(QShowEvent* event) override;

private:
    class LineModel;

    void createControls();
    void selectLine(int row);
    void onSave();
    void showError(const QString& text);
    void RestoreWindowPlacement();
    void SaveWindowPlacement();

    QString m_file;
    QString m_programDir;
    QString m_settingsFile;
    MessageSink* m_messages = nullptr;
    unctora::strings::StringTable& m_table;
    LineModel* m_model = nullptr;
    bool m_showing = false; // ShowSelected moves the selection itself
};
