// The main window with Qt: a real widget for each control of frmMain, and Qt's events turned into
// its handlers.
//
// What this binding implements of WindowBinding's steps, with Qt Widgets:
// - frames and the line as panels of one colour; labels as QLabel; command buttons as QPushButton
//   with a style sheet (Look.h), Qt's default button moved with the focus;
// - the inputs as InputBox (the character limit), the result boxes as ResultBox;
// - edits and selections written into the model as the user makes them (signals), so that a
//   handler needs no reading first;
// - the window's frame from the window system (WindowFrame), a size change as it is reported;
// - Enter and a mouse button going down on Run through an application-wide event filter;
// - accessible names and descriptions (AccessibleTexts.h) through Qt's accessibility bridge.
// What it leaves to Qt: scaling pixels to the screen, the edits' own keys and context menus.
#pragma once

#include "platform/WindowBinding.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/WindowFrame.h"

#include <QTextOption>
#include <QTimer>
#include <QWidget>

#include <array>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tavimo {

class ResultBox;

// Signals are blocked while pushing, so nothing pushed comes back as a user's edit.
class MainWindow final : public QWidget, public WindowBinding {
    Q_OBJECT

public:
    MainWindow(frmMain& form, QtPlatform& platform);
    ~MainWindow() override;

    void focusTextBox(const TextBox& box) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // One control, the widget that shows it and the values last pushed onto it (Mirror.h).
    struct FrameWidget {
        const Frame* model = nullptr;
        QWidget* widget = nullptr;
        std::optional<PixelRect> geometry;
    };
    struct BoxWidget {
        TextBox* model = nullptr;
        QWidget* widget = nullptr;
        QLineEdit* line = nullptr;  // single-line boxes
        ResultBox* lines = nullptr; // multi-line boxes
        PushedBox pushed;
        std::optional<QTextOption::WrapMode> wrap; // multi-line boxes
    };
    struct LabelWidget {
        const Label* model = nullptr;
        QLabel* widget = nullptr;
        PushedLabel pushed;
    };
    struct ButtonWidget {
        CommandButton* model = nullptr;
        QPushButton* widget = nullptr;
        PushedButton pushed;
    };

    void createControls();
    void setupAccessibleTexts();
    void setupTabOrder();
    void setupConnections();

    QWidget* container(Container container) const;
    QPushButton* buttonWidget(const CommandButton& button) const;

    // The window's size: WindowSize decides, these ask the window system and apply.
    PixelSize clientSize() const;
    void adaptToFrame();
    void takeOuterSize();

    void click(CommandButton& button) override;
    void pushWindowSize() override;
    void pushFrame(const Frame& frame) override;
    void pushLabel(const Label& label) override;
    void pushButton(const CommandButton& button) override;
    void pushLine() override;
    void pushBox(TextBox& box) override;
    void focusWindow() override;
    void applySelection(const TextBox& box) override;

    void fitWrapModeToText(BoxWidget& box, const QString& text);
    void moveDefaultEmphasis(QWidget* focus);
    void readText(BoxWidget& box);
    void readSelection(BoxWidget& box);

    std::array<FrameWidget, 3> m_frames;
    std::array<BoxWidget, 6> m_boxes;
    std::array<LabelWidget, 3> m_labels;
    std::array<ButtonWidget, 10> m_buttons;
    QWidget* m_line = nullptr;
    std::optional<PixelRect> m_lineGeometry;
    WindowFrame m_frame{*this};
    // Builds the whole document of one waiting result box a round (ResultBox.h).
    QTimer m_completion;
};

} // namespace tavimo
