// The frame around the window's client area, as far as the program can know it.
#include "platform/qt/WindowFrame.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <cmath>
#include <cstdlib>

namespace tavimo {
namespace {

xcb_connection_t* x11Connection()
{
    // Only the X11 platform itself: the offscreen platform may hold an X11 connection too.
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        return nullptr;
    }
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

} // namespace

QSize WindowFrame::size() const
{
    if (x11Connection() != nullptr) {
        return announcedX11Frame();
    }
    return m_window.frameGeometry().size() - m_window.size();
}

QSize WindowFrame::announcedX11Frame() const
{
    // Before the native window exists no window manager has seen it.
    const WId window = m_window.internalWinId();
    if (window == 0) {
        return {0, 0};
    }
    if (m_x11Frame) {
        return *m_x11Frame;
    }
    xcb_connection_t* connection = x11Connection();
    if (m_extentsAtom == 0) {
        static constexpr char name[] = "_NET_FRAME_EXTENTS";
        xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, sizeof name - 1, name), nullptr);
        if (atom == nullptr) {
            return {0, 0};
        }
        m_extentsAtom = atom->atom;
        std::free(atom);
    }
    xcb_get_property_reply_t* reply =
        xcb_get_property_reply(connection,
                               xcb_get_property(connection, 0, static_cast<xcb_window_t>(window),
                                                m_extentsAtom, XCB_ATOM_CARDINAL, 0, 4),
                               nullptr);
    QSize frame(0, 0);
    if (reply != nullptr && reply->format == 32 && xcb_get_property_value_length(reply) == 16) {
        // Left, right, top, bottom, in the screen's pixels.
        const auto* extents = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
        const double ratio = m_window.devicePixelRatioF();
        frame = QSize(static_cast<int>(std::lround((extents[0] + extents[1]) / ratio)),
                      static_cast<int>(std::lround((extents[2] + extents[3]) / ratio)));
    }
    std::free(reply);
    m_x11Frame = frame;
    return frame;
}

bool WindowFrame::takeNativeEvent(const QByteArray& eventType, void* message)
{
    if (eventType != "xcb_generic_event_t" || m_extentsAtom == 0) {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY) {
        return false;
    }
    const auto* property = reinterpret_cast<const xcb_property_notify_event_t*>(event);
    if (property->atom != m_extentsAtom || property->window != m_window.internalWinId()) {
        return false;
    }
    m_x11Frame.reset();
    return true;
}

} // namespace tavimo
