// A Platform for the handler tests: records every call, recognises numbers in the Japanese format.
#pragma once

#include "model/Platform.h"

#include <string>
#include <vector>

namespace tavimo::test {

class RecordingPlatform : public Platform {
public:
    std::vector<std::string> calls; // in order: "clear", "set:<text>", "beep", "focus:<name>", ...
    std::string clipboard;

    void clearClipboard() override
    {
        calls.push_back("clear");
        clipboard.clear();
    }
    void setClipboardText(const std::string& utf8) override
    {
        calls.push_back("set:" + utf8);
        clipboard = utf8;
    }
    void beep() override { calls.push_back("beep"); }
    void focusWindow() override { calls.push_back("focus:window"); }
    void focusTextBox(const TextBox& box) override
    {
        calls.push_back("focus:" + std::string(box.name));
    }
    void closeWindow() override { calls.push_back("close"); }
    std::optional<RecognisedNumber> recogniseNumber(std::string_view text) override
    {
        return tavimo::recogniseNumber(text, japaneseNumberFormat());
    }

    int count(const std::string& call) const
    {
        int n = 0;
        for (const std::string& c : calls) {
            n += c == call ? 1 : 0;
        }
        return n;
    }
};

} // namespace tavimo::test
