#pragma once
// The about window: created for each showing, modal, freed when closed.

#include <QDialog>

class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAbout(QWidget* parent = nullptr);
};

// Shows the about window modally; used by the About menu and the picture clicks.
void ShowAboutWindow(QWidget* parent);
