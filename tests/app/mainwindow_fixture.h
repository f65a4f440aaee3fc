#pragma once
// Builds the real main window against a temporary program folder (with the shipped
// language file beside a fake program path) and a temporary data folder, and answers
// its message boxes.

#include "tabs/dialtab.h"
#include "app/environment.h"
#include "app/mainwindow.h"
#include "app/messages.h"
#include "windows/stringwindow.h"
#include "widget_main.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>


class MainWindowTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(programDir.isValid() && dataRoot.isValid());
        ASSERT_TRUE(QFile::copy(UNCTORA_SOURCE_DIR "/resources/unctora.sil",
                                programDir.filePath("unctora.sil")));
        env.programDir = programDir.path();
        env.dataDir = dataRoot.filePath("Talvik/Unctora6");
        env.messages = &messages;
    }

    // Creates the windows in the program's order and runs the first activation.
    TfrmMain& start(const QStringList& args = {}) {
        window.reset();
        strings.reset();
        env.arguments = args;
        window = std::make_unique<TfrmMain>(env);
        if (window->created()) {
            strings = std::make_unique<TfrmStrings>(env);
            window->attachWindows(nullptr, nullptr, strings.get());
            window->FirstActivation();
        }
        return *window;
    }
    // Ends the program as Quit does: settings and placement are written.
    void quit() {
        window.reset();
        strings.reset();
    }
    DialTab& dial() { return *window->dialTab(); }
    template <class T> T* child(const char* name) { return window->findChild<T*>(name); }
    void writeSettings(const QByteArray& text) {
        QDir().mkpath(env.dataDir);
        QFile f(env.settingsFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    QByteArray readSettings() {
        QFile f(env.settingsFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir programDir;
    QTemporaryDir dataRoot;
    RecordedMessages messages;
    AppEnvironment env;
    std::unique_ptr<TfrmMain> window;
    std::unique_ptr<TfrmStrings> strings;

    // The main window goes before the string window it takes its texts from, as
    // quit() does it.
    ~MainWindowTest() override {
        window.reset();
        strings.reset();
    }
};
