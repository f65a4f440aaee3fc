// Widget tests run on Qt's offscreen platform with the program's own application
// object, so that its one exception handler is the one under test.
#include "app/application.h"
#include "app/environment.h"
#include "widget_main.h"

#include <QPrinter>
#include <gtest/gtest.h>

bool RecordedMessages::choosePrinter(QPrinter& printer) {
    ++printDialogs;
    if (cancelPrint)
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    return true;
}

RecordedMessages& applicationMessages() {
    static RecordedMessages messages;
    return messages;
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    UnctoraApplication app(argc, argv);
    app.setMessages(&applicationMessages());
    QApplication::setStyle("Fusion");
    AppEnvironment::initResources();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
