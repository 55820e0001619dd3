// The services of the Platform interface in the browser: clipboard, beep, close and numbers.
#include "platform/web/WebPlatform.h"

#include "model/NumberText.h"

using emscripten::val;

namespace tavimo::web {
namespace {

// The decimal point and group separator of the browser's language, as the desktop takes them from
// the user's locale.
NumberFormat browserNumberFormat()
{
    NumberFormat format;
    const val parts =
        val::global("Intl")["NumberFormat"].new_().call<val>("formatToParts", 12345.5);
    const int count = parts["length"].as<int>();
    for (int i = 0; i < count; ++i) {
        const std::string type = parts[i]["type"].as<std::string>();
        if (type == "decimal") {
            format.decimalPoint = parts[i]["value"].as<std::string>();
        } else if (type == "group") {
            format.groupSeparator = parts[i]["value"].as<std::string>();
        }
    }
    return format;
}

} // namespace

WebPlatform::WebPlatform() : m_format(browserNumberFormat()) {}

void WebPlatform::clearClipboard()
{
    // Left to setClipboardText, which the copy always calls next: the copy event replaces the
    // clipboard's content in every format at once.
}

void WebPlatform::setClipboardText(const std::string& utf8)
{
    // The copy command of the page, run within the user's click or key: its copy event (forwarded
    // to takeCopyEvent) puts the text on the clipboard exactly, CR LF included, and needs no
    // permission. The asynchronous clipboard is the way where the command is refused.
    m_copy = utf8;
    const bool copied = val::global("document").call<bool>("execCommand", std::string("copy"));
    if (m_copy && !copied) {
        const val clipboard = val::global("navigator")["clipboard"];
        if (!clipboard.isUndefined()) {
            clipboard.call<val>("writeText", *m_copy);
        }
    }
    m_copy.reset();
}

bool WebPlatform::takeCopyEvent(val event)
{
    if (!m_copy) {
        return false;
    }
    event["clipboardData"].call<void>("setData", std::string("text/plain"), *m_copy);
    event.call<void>("preventDefault");
    m_copy.reset();
    return true;
}

void WebPlatform::beep()
{
    // One short tone. The page's audio starts only after a user's gesture, which a press of Run
    // is.
    if (m_audio.isNull()) {
        val type = val::global("AudioContext");
        if (type.isUndefined()) {
            return;
        }
        m_audio = type.new_();
    }
    val oscillator = m_audio.call<val>("createOscillator");
    val gain = m_audio.call<val>("createGain");
    oscillator["frequency"].set("value", 880);
    gain["gain"].set("value", 0.2);
    oscillator.call<val>("connect", gain).call<val>("connect", m_audio["destination"]);
    const double now = m_audio["currentTime"].as<double>();
    oscillator.call<void>("start", now);
    oscillator.call<void>("stop", now + 0.12);
}

void WebPlatform::closeWindow()
{
    // A page cannot close the browser's tab it was opened in: the window goes, and the page says
    // so, with a way to open Tavimo again.
    m_closing = true;
    val document = val::global("document");
    val window = document.call<val>("getElementById", std::string("frmMain"));
    if (!window.isNull()) {
        window.call<void>("remove");
    }
    val ended = document.call<val>("getElementById", std::string("ended"));
    if (!ended.isNull()) {
        ended.set("hidden", false);
    }
}

std::optional<RecognisedNumber> WebPlatform::recogniseNumber(std::string_view text)
{
    return tavimo::recogniseNumber(text, m_format);
}

} // namespace tavimo::web
