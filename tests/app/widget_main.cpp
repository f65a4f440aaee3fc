// Widget tests run on Qt's offscreen platform with one application object.
#include "app/environment.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle("Fusion");
    AppEnvironment::initResources();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
