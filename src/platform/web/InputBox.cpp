// The inputs for the bounds in the page: their character limit holds for what the user adds.
#include "platform/web/InputBox.h"

#include "platform/Utf16.h"

#include <string_view>

using emscripten::val;

namespace tavimo::web {
namespace {

// Characters that stay of `text` when the units [start, end) are replaced.
std::size_t keptBeside(std::u16string_view text, int start, int end)
{
    return characterCount(text) -
           characterCount(text.substr(std::size_t(start), std::size_t(end - start)));
}

} // namespace

bool InputBox::beforeInput(val event)
{
    const std::string type = event["inputType"].as<std::string>();
    std::u16string added;
    if (type == "insertText" || type == "insertReplacementText") {
        if (!event["data"].isString()) {
            return false;
        }
        added = event["data"].as<std::u16string>();
    } else if (type == "insertFromPaste" || type == "insertFromDrop") {
        // An input's event carries the text itself; other elements' a data transfer.
        const val transfer = event["dataTransfer"];
        if (event["data"].isString()) {
            added = event["data"].as<std::u16string>();
        } else if (!transfer.isNull() && !transfer.isUndefined()) {
            added = transfer.call<std::u16string>("getData", std::string("text/plain"));
        } else {
            return false;
        }
        added.resize(firstLine(added).size());
    } else {
        return false; // deletions, and the composition (cut once committed)
    }
    val element = event["target"];
    const auto text = element["value"].as<std::u16string>();
    const int start = element["selectionStart"].as<int>();
    const int end = element["selectionEnd"].as<int>();
    const std::size_t fits = m_limit.fittingUnits(added, keptBeside(text, start, end));
    if (fits == added.size() && type == "insertText") {
        return false; // the page inserts it itself
    }
    event.call<void>("preventDefault");
    if (fits == 0 && start == end) {
        return false;
    }
    element.call<void>("setRangeText", added.substr(0, fits), start, end, std::string("end"));
    return true;
}

void InputBox::compositionStart(val element)
{
    m_beforeComposition = element["value"].as<std::u16string>();
    m_compositionStart = element["selectionStart"].as<int>();
    m_compositionEnd = element["selectionEnd"].as<int>();
}

bool InputBox::compositionEnd(val element)
{
    const auto text = element["value"].as<std::u16string>();
    const std::u16string& before = m_beforeComposition;
    const auto start = std::size_t(m_compositionStart);
    const std::size_t replaced = std::size_t(m_compositionEnd - m_compositionStart);
    if (start + replaced > before.size() || text.size() + replaced < before.size()) {
        return false;
    }
    const std::size_t committedUnits = text.size() + replaced - before.size();
    const std::u16string_view committed = std::u16string_view(text).substr(start, committedUnits);
    const std::size_t fits =
        m_limit.fittingUnits(committed, keptBeside(before, m_compositionStart, m_compositionEnd));
    if (fits == committed.size()) {
        return false;
    }
    const std::u16string cut = before.substr(0, start) + std::u16string(committed.substr(0, fits)) +
                               before.substr(start + replaced);
    element.set("value", cut);
    element.call<void>("setSelectionRange", int(start + fits), int(start + fits));
    return true;
}

} // namespace tavimo::web
