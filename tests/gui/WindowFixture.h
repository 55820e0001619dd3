// The main window as every GUI test starts with it: loaded, shown and active, the focus in txt1.
#pragma once

#include "model/frmMain.h"
#include "platform/qt/MainWindow.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/ResultBox.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <string_view>

namespace guitest {

class Window : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.Form_Load();
        window.refresh();
        window.show();
        window.focusTextBox(form.txt1);
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // A control's widget. A missing one ends the test as failed (GoogleTest reports the exception)
    // instead of handing it a null pointer that would crash the whole run.
    template <typename T = QWidget> T* widget(std::string_view name)
    {
        T* found = window.findChild<T*>(QString::fromUtf8(name));
        if (found == nullptr) {
            throw std::runtime_error("no widget " + std::string(name) + " of the type asked for");
        }
        return found;
    }

    static QString focusName()
    {
        const QWidget* focus = QApplication::focusWidget();
        return focus != nullptr ? focus->objectName() : QString();
    }

    // As a user does it: select what the input holds and type over it.
    void type(std::string_view input, const QString& text)
    {
        auto* edit = widget<QLineEdit>(input);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    // Lets the window catch up after a press of Run: a long result box shows its lines at each end
    // at first and builds its whole document in the next rounds of events.
    void settle()
    {
        const auto waiting = [this] {
            const auto boxes = window.findChildren<tavimo::ResultBox*>();
            return std::any_of(boxes.begin(), boxes.end(),
                               [](const tavimo::ResultBox* box) { return box->waiting(); });
        };
        for (int round = 0; round < 1000 && waiting(); ++round) {
            QTest::qWait(1);
        }
        ASSERT_FALSE(waiting());
    }

    QString resultText(std::string_view box)
    {
        settle();
        return widget<QPlainTextEdit>(box)->toPlainText();
    }

    tavimo::QtPlatform platform;
    tavimo::frmMain form{platform};
    tavimo::MainWindow window{form, platform};
};

} // namespace guitest
