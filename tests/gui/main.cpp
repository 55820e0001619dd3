// Runs the binding's tests inside one QApplication on Qt's offscreen platform, with Qt's own texts
// in Japanese as in the program.
#include "platform/qt/QtTranslations.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Test discovery runs the program without the tests' environment: it must not need a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    // Qt's own texts in Japanese, as the program has them.
    tavimo::installJapaneseQtTexts(application);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
