// The inputs for the bounds in the page: their character limit holds for what the user adds.
#pragma once

#include "platform/InputLimit.h"

#include <emscripten/val.h>

#include <string>

namespace tavimo::web {

// An input element's `maxlength` counts UTF-16 units; the limit counts characters. What the user
// types, pastes or drops is cut to what fits beside the characters that stay, before the page
// inserts it; a composition of an input method, which the page lets no one cut while it goes on,
// is cut once it is committed.
class InputBox {
public:
    explicit InputBox(int limit) : m_limit(limit) {}

    // The page's beforeinput event on the element. True where the box's text changed here.
    bool beforeInput(emscripten::val event);
    void compositionStart(emscripten::val element);
    // True where the committed text was cut.
    bool compositionEnd(emscripten::val element);

private:
    InputLimit m_limit;
    std::u16string m_beforeComposition; // the value as the composition started
    int m_compositionStart = 0;         // the selection it replaces
    int m_compositionEnd = 0;
};

} // namespace tavimo::web
