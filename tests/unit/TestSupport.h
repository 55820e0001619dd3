// Helpers that several unit tests share: the loaded window and a press of Run, settings taken
// from the environment, and the numbers a search listed.
#pragma once

#include "RecordingPlatform.h"
#include "model/frmMain.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace tavimo::test {

// The window as the program's start leaves it, on a recording platform.
struct LoadedWindow : ::testing::Test {
    RecordingPlatform platform;
    frmMain form{platform};
    LoadedWindow() { form.Form_Load(); }

    // Run pressed with the mouse (mouse-down, then the click), or from the keyboard (the click).
    void press(const std::string& a, const std::string& b, bool mouse = true)
    {
        form.txt1.text = a;
        form.txt2.text = b;
        if (mouse) {
            form.cmdJIKKO_MouseDown(1, 0, 0, 0);
        }
        form.cmdJIKKO_Click();
    }
};

// A count or seed that a longer run sets in the environment, else the test's own.
inline long settingFromEnvironment(const char* name, long fallback)
{
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtol(text, nullptr, 10) : fallback;
}

// Every number listed in the result boxes, in order: the entries between the line breaks and
// commas that consist of digits only.
inline std::vector<std::int64_t> listed(const frmMain& form)
{
    std::vector<std::int64_t> numbers;
    for (const TextBox* box : {&form.txt3, &form.txt4, &form.txt5, &form.txt6}) {
        std::string entry;
        for (char c : box->text + "\n") {
            if (c == '\r' || c == '\n' || c == ',') {
                if (!entry.empty() && entry.find_first_not_of("0123456789") == std::string::npos) {
                    numbers.push_back(std::stoll(entry));
                }
                entry.clear();
            } else {
                entry += c;
            }
        }
    }
    return numbers;
}

} // namespace tavimo::test
