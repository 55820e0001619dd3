// The frame around the window's client area, as far as the program can know it.
#pragma once

#include <QByteArray>
#include <QSize>

#include <cstdint>
#include <optional>

class QWidget;

namespace tavimo {

// The window's sizes are outer sizes: the client area is the size less this frame.
//
// - X11: the frame extents that the window manager announces on the window
//   (_NET_FRAME_EXTENTS), read when they change. A window manager that announces none adds a
//   frame the program cannot know: Qt would guess it from the parent window, and a compositor's
//   shadow then counts as frame (Xwayland in weston: 76 x 97 pixels), so the client area would
//   lose what a user never sees as frame. Without announced extents the frame counts as none,
//   and the client area takes the size itself.
// - Elsewhere, what Qt reports: its own title bar and border on Wayland, which it draws and
//   therefore knows exactly; nothing where the compositor decorates (it tells no client its
//   decoration) and on the offscreen platform.
class WindowFrame {
public:
    explicit WindowFrame(const QWidget& window) : m_window(window) {}

    // Left plus right, top plus bottom, in device-independent pixels.
    QSize size() const;

    // Takes a native event delivered to the window; true when it announces new frame extents.
    bool takeNativeEvent(const QByteArray& eventType, void* message);

private:
    QSize announcedX11Frame() const;

    const QWidget& m_window;
    mutable std::optional<QSize> m_x11Frame; // the extents last read; empty when to be read again
    mutable std::uint32_t m_extentsAtom = 0;
};

} // namespace tavimo
