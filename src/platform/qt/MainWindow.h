// The main window on the screen: a real widget for each control of frmMain, and Qt's events
// turned into its handlers.
#pragma once

#include "model/frmMain.h"
#include "platform/Mirror.h"
#include "platform/WindowSize.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/WindowFrame.h"

#include <QRect>
#include <QSize>
#include <QTextOption>
#include <QWidget>

#include <array>
#include <optional>
#include <string>
#include <utility>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tavimo {

class ResultBox;

// The widgets only mirror frmMain; they hold no state of their own. A user's edit, selection or
// resize is written into the model as it happens. An event then runs one handler, and refresh()
// pushes onto the widgets what the handler changed, comparing with the values it pushed last, so
// that a long text that did not change is never laid out again. Signals are blocked while
// pushing, so nothing pushed comes back as a user's edit.
class MainWindow final : public QWidget {
    Q_OBJECT

public:
    MainWindow(frmMain& form, QtPlatform& platform);
    ~MainWindow() override;

    // Pushes the model onto the widgets, then applies the handler's focus request and the
    // selections that the handler set.
    void refresh();
    // Keyboard focus into one text box, as the program's start does for txt1.
    void focusTextBox(const TextBox& box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    using FontKey = std::pair<float, int>; // points and weight

    // One control and the values last pushed onto its widget (empty before the first push).
    struct FrameWidget {
        Frame* model = nullptr;
        QWidget* widget = nullptr;
        std::optional<QRect> geometry;
    };
    struct BoxWidget {
        TextBox* model = nullptr;
        QLineEdit* line = nullptr;  // single-line boxes
        ResultBox* lines = nullptr; // multi-line boxes
        std::optional<QRect> geometry;
        std::optional<FontKey> font;
        std::optional<Alignment> alignment;
        std::optional<std::string> text;
        std::optional<bool> visible;
        std::optional<Selection> selection;
        std::optional<QTextOption::WrapMode> wrap; // multi-line boxes
        QWidget* widget() const;
    };
    struct LabelWidget {
        Label* model = nullptr;
        QLabel* widget = nullptr;
        std::optional<QRect> geometry;
        std::optional<FontKey> font;
        std::optional<std::string> caption;
        std::optional<bool> opaque;
    };
    struct ButtonWidget {
        CommandButton* model = nullptr;
        QPushButton* widget = nullptr;
        std::optional<QRect> geometry;
        std::optional<FontKey> font;
        std::optional<std::string> caption;
        std::optional<std::string> toolTip;
        std::optional<bool> visible;
        std::optional<bool> enabled;
    };

    void createControls();
    void setupAccessibleTexts();
    void setupTabOrder();
    void setupConnections();
    void run(Handler handler);

    QWidget* container(Container container) const;
    QPushButton* buttonWidget(const CommandButton& button) const;

    // The window's size: WindowSize decides, these ask the window system and apply.
    PixelSize clientSize() const;
    void pushWindowSize();
    void adaptToFrame();
    void takeOuterSize();
    void pushFrame(FrameWidget& frame);
    void pushBox(BoxWidget& box);
    QRect labelGeometry(const Label& label) const;
    void pushLabel(LabelWidget& label);
    void pushButton(ButtonWidget& button);
    void pushLine();
    void applyFocusRequest();
    void applySelection(BoxWidget& box);
    void fitWrapModeToText(BoxWidget& box, const QString& text);
    void moveDefaultEmphasis(QWidget* focus);

    void readText(BoxWidget& box);
    void readSelection(BoxWidget& box);

    frmMain& m_form;
    QtPlatform& m_platform;
    std::array<FrameWidget, 3> m_frames;
    std::array<BoxWidget, 6> m_boxes;
    std::array<LabelWidget, 3> m_labels;
    std::array<ButtonWidget, 10> m_buttons;
    QWidget* m_line = nullptr;
    std::optional<QRect> m_lineGeometry;
    WindowFrame m_frame{*this};
    WindowSize m_size{m_form};
};

} // namespace tavimo
