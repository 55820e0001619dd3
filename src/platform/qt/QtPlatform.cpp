// The desktop services of the Platform interface, performed with Qt and libcanberra.
#include "platform/qt/QtPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QLocale>

#include <canberra.h>

namespace tavimo {

QtPlatform::~QtPlatform()
{
    if (m_canberra != nullptr) {
        ca_context_destroy(m_canberra);
    }
}

void QtPlatform::clearClipboard()
{
    // Left to setClipboardText, which the copy always calls next: Qt's setText replaces the
    // clipboard's content in every format in one hand-over. Emptying it first as an operation of
    // its own loses the copy on today's desktops: under Xwayland, weston's window manager takes
    // over a clipboard handed to nobody and serves the text that follows as an empty one; on
    // Wayland an empty selection first makes the compositor ignore the text's selection, which
    // comes with the same input event.
}

void QtPlatform::setClipboardText(const std::string& utf8)
{
    QGuiApplication::clipboard()->setText(QString::fromStdString(utf8));
}

void QtPlatform::beep()
{
    // The desktop's own bell sound; the window system's bell where no sound system answers.
    // Without a sound device libcanberra fails at once; it is then not asked again, so a press of
    // Run is never held up here and the sound library's complaints appear only once.
    if (m_canberraState == Canberra::Untried) {
        const bool ready = ca_context_create(&m_canberra) == CA_SUCCESS &&
                           ca_context_change_props(m_canberra, CA_PROP_APPLICATION_NAME, "Tavimo",
                                                   nullptr) == CA_SUCCESS &&
                           ca_context_open(m_canberra) == CA_SUCCESS;
        m_canberraState = ready ? Canberra::Ready : Canberra::Failed;
    }
    if (m_canberraState == Canberra::Ready) {
        if (ca_context_play(m_canberra, 0, CA_PROP_EVENT_ID, "bell", CA_PROP_EVENT_DESCRIPTION,
                            "Search finished", nullptr) == CA_SUCCESS) {
            return;
        }
        m_canberraState = Canberra::Failed;
    }
    QApplication::beep();
}

void QtPlatform::closeWindow()
{
    if (m_window != nullptr) {
        m_window->close();
    }
    // Leaves the event loop as soon as the handler returns: no further event is handled.
    QCoreApplication::exit(0);
}

std::optional<RecognisedNumber> QtPlatform::recogniseNumber(std::string_view text)
{
    const QLocale locale = QLocale::system();
    const NumberFormat format{locale.decimalPoint().toStdString(),
                              locale.groupSeparator().toStdString()};
    return tavimo::recogniseNumber(text, format);
}

} // namespace tavimo
