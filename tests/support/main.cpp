#include <gtest/gtest.h>

#include <QApplication>

#include "platform/core/fonts.h"

int main(int argc, char** argv) {
    // Tests never need a screen and must never wait on a dialog.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("RS501_UNATTENDED", "1");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    core::installFontSubstitutes();
    return RUN_ALL_TESTS();
}
