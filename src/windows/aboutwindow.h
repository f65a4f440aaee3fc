#pragma once
// The about window: created for each showing, modal, freed when closed. Its texts
// are fixed; the language does not reach it.

#include <QDialog>

class MessageSink;
class QLabel;
class QListWidget;
class QPushButton;

class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    // messages shows the full title on Shift + press on the version label.
    explicit TfrmAbout(MessageSink* messages, QWidget* parent = nullptr);

    QWidget* pMain = nullptr;
    QLabel* imgDial = nullptr;
    QLabel* lbPrgName = nullptr;
    QLabel* lbPrgDesc = nullptr;
    QLabel* imgLogo = nullptr;
    QListWidget* lbAddress = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* lbVer = nullptr;
    QLabel* lbCopyrite = nullptr;
    QLabel* lbWeb = nullptr;
    QLabel* lbEmail = nullptr;
    QListWidget* lbDisclaimer = nullptr;
    QPushButton* OKButton = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MessageSink* m_messages;
};

// Shows the about window modally and returns when it is closed: the About menu
// entry, the footer logo and the lubricator picture. Without a sink the message of
// the version label goes to a real message box.
void ShowAboutWindow(QWidget* parent, MessageSink* messages = nullptr);
