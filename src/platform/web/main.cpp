// Tavimo in the browser: lists the primes between two natural numbers in a window with a
// Japanese interface, in a page; the page forwards its events to tavimoEvent.
#include "model/frmMain.h"
#include "platform/web/MainWindow.h"
#include "platform/web/WebPlatform.h"

#include <emscripten/bind.h>

namespace {

// The window lives as long as the page: main returns to the browser, which then calls the
// window's handlers through tavimoEvent.
tavimo::web::MainWindow* window = nullptr;

void tavimoEvent(emscripten::val event)
{
    if (window != nullptr) {
        window->handleEvent(event);
    }
}

} // namespace

EMSCRIPTEN_BINDINGS(tavimo)
{
    emscripten::function("tavimoEvent", &tavimoEvent);
}

int main()
{
    static tavimo::web::WebPlatform platform;
    static tavimo::frmMain form(platform);
    static tavimo::web::MainWindow mainWindow(form, platform);
    const emscripten::val document = emscripten::val::global("document");
    mainWindow.create(document.call<emscripten::val>("getElementById", std::string("tavimo")));
    form.Form_Load();
    mainWindow.refresh();
    mainWindow.focusTextBox(form.txt1);
    window = &mainWindow;
    // Tests and the bench wait for this mark: the window answers from here on.
    document["body"].call<void>("setAttribute", std::string("data-tavimo"), std::string("ready"));
    return 0;
}
