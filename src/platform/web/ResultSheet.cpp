// A long result text shown at first by a sheet over its text area.
#include "platform/web/ResultSheet.h"

#include "platform/web/Look.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

using emscripten::val;

namespace tavimo::web {
namespace {

// A text of fewer lines is set whole at once: it is laid out within a few milliseconds.
constexpr std::size_t leastLines = 500;
// Lines to a part of the sheet: the browser lays out the parts in view and those near it.
constexpr std::size_t linesPerPart = 32;
// The kinds of line measured for a sheet at most (a length of digits, or any other line as it is):
// a result text has a dozen.
constexpr std::size_t mostKinds = 64;

double box(const val& element, const char* side)
{
    return element.call<val>("getBoundingClientRect")[side].as<double>();
}

bool onlyDigits(std::string_view line)
{
    return !line.empty() &&
           std::all_of(line.begin(), line.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::vector<std::string_view> linesOf(std::string_view text)
{
    std::vector<std::string_view> lines;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) {
            return lines;
        }
        start = end + 1;
    }
}

// What the page's layout gave lines in a result box of one width and face: the boxes of one answer
// are as wide, and mostly those of the next answer too. Forgotten when the page changes its size
// or zoom, which may change the room beside the scroll bar.
struct Measures {
    std::optional<bool> digitsAlike; // whether every digit is as wide in the face
    double room = 0;                 // the sheet's inner width then
    std::map<std::string, double, std::less<>> heights;
};
std::map<std::string, Measures> known;

Measures& measuresFor(const val& area)
{
    const val style = area["style"];
    std::string key = style["width"].as<std::string>() + " " + style["font"].as<std::string>();
    if (known.size() >= 64 && known.count(key) == 0) {
        known.clear();
    }
    return known[key];
}

// Measures the lines not measured yet in a probe laid out in the sheet, with one layout of the
// page. A line's height is that of the line between two lines of one digit, less that of those two
// lines alone: the first and last lines of a part are laid out as they are in the text area.
void measure(val sheet, Measures& measures, const std::vector<std::string_view>& lines)
{
    val probe = makeElement("div", "", "probe");
    val reference = makeElement("div", "", "");
    reference.set("textContent", std::string("0\n0"));
    probe.call<void>("append", reference);
    std::vector<std::pair<std::string_view, val>> samples;
    for (const std::string_view line : lines) {
        samples.emplace_back(line, makeElement("div", "", ""));
        samples.back().second.set("textContent", "0\n" + std::string(line) + "\n0");
        probe.call<void>("append", samples.back().second);
    }
    std::vector<val> digitRuns;
    if (!measures.digitsAlike) {
        val digits = makeElement("div", "", "digits");
        for (char digit = '0'; digit <= '9'; ++digit) {
            digitRuns.push_back(makeElement("span", "", ""));
            digitRuns.back().set("textContent", std::string(8, digit));
            digits.call<void>("append", digitRuns.back());
        }
        probe.call<void>("append", digits);
    }
    sheet.call<void>("append", probe);

    if (!digitRuns.empty()) {
        const double zeroWidth = box(digitRuns.front(), "width");
        measures.digitsAlike = std::all_of(digitRuns.begin(), digitRuns.end(), [&](const val& run) {
            return box(run, "width") == zeroWidth;
        });
    }
    measures.room = sheet["clientWidth"].as<double>();
    const double twoLines = box(reference, "height");
    for (const auto& [line, sample] : samples) {
        measures.heights.emplace(line, box(sample, "height") - twoLines);
    }
    probe.call<void>("remove");
}

} // namespace

bool ResultSheet::show(val area, const std::string& text)
{
    drop();
    // A block shows no empty line after a last line break, a text area does.
    if (text.empty() || text.back() == '\n') {
        return false;
    }
    const std::vector<std::string_view> lines = linesOf(text);
    if (lines.size() < leastLines) {
        return false;
    }
    // The kinds of line, each measured once: where every digit is as wide, a line of digits is
    // laid out as a line of as many zeros.
    std::vector<std::string> kinds;
    std::vector<std::size_t> kindOf;
    kindOf.reserve(lines.size());
    for (const std::string_view line : lines) {
        std::string kind = onlyDigits(line) ? std::string(line.size(), '0') : std::string(line);
        const auto found = std::find(kinds.begin(), kinds.end(), kind);
        kindOf.push_back(std::size_t(found - kinds.begin()));
        if (found == kinds.end()) {
            if (kinds.size() == mostKinds) {
                return false;
            }
            kinds.push_back(std::move(kind));
        }
    }

    Measures& measures = measuresFor(area);
    std::vector<std::string_view> unmeasured;
    for (const std::string& kind : kinds) {
        if (measures.heights.count(kind) == 0) {
            unmeasured.push_back(kind);
        }
    }
    val sheet = makeElement("div", "", "box result sheet");
    sheet["style"].set("cssText", area["style"]["cssText"]);
    area.call<void>("after", sheet);
    if (!unmeasured.empty() || !measures.digitsAlike) {
        measure(sheet, measures, unmeasured);
    }
    if (!*measures.digitsAlike) {
        sheet.call<void>("remove");
        return false;
    }
    std::vector<double> heights;
    for (const std::string& kind : kinds) {
        heights.push_back(measures.heights.find(kind)->second);
    }

    // The lines in view as they are (the box is no taller than its place), the rest as a block of
    // their height: heights are whole 64ths of a pixel, added exactly, so that the scroll bar is
    // the whole text's. The rest's lines follow in parts, each as tall as its lines, once the
    // window has painted (addRest()).
    const std::string_view all(text);
    const auto span = [&](std::size_t first, std::size_t end) {
        const auto from = std::size_t(lines[first].data() - all.data());
        const auto to = std::size_t(lines[end - 1].data() + lines[end - 1].size() - all.data());
        return std::pair{from, to};
    };
    const double view = std::stod(area["style"]["height"].as<std::string>());
    std::size_t inView = 0;
    double whole = 0;
    while (inView < lines.size() && whole <= view) {
        whole += heights[kindOf[inView++]];
    }
    val shown = makeElement("div", "", "");
    const auto [from, to] = span(0, inView);
    shown.set("textContent", std::string(all.substr(from, to - from)));
    sheet.call<void>("append", shown);
    m_rest.clear();
    double rest = 0;
    for (std::size_t first = inView; first < lines.size(); first += linesPerPart) {
        const std::size_t end = std::min(first + linesPerPart, lines.size());
        Part part{span(first, end), 0};
        for (std::size_t line = first; line < end; ++line) {
            part.height += heights[kindOf[line]];
        }
        rest += part.height;
        m_rest.push_back(part);
    }
    whole += rest;
    m_spacer = makeElement("div", "", "");
    m_spacer["style"].set("height", std::to_string(rest) + "px");
    sheet.call<void>("append", m_spacer);

    // The empty text area beneath, one line as tall as the whole text: its scroll bar, which the
    // pointer meets, is the whole text's too.
    area.set("value", std::string());
    area["style"].set("lineHeight", std::to_string(whole) + "px");
    area.call<void>("setAttribute", std::string("aria-busy"), std::string("true"));
    m_area = area;
    m_sheet = sheet;
    m_text = text;
    m_room = measures.room;
    return true;
}

void ResultSheet::addRest()
{
    if (!partial()) {
        return;
    }
    val parts = val::global("document").call<val>("createDocumentFragment");
    for (const Part& rest : m_rest) {
        val part = makeElement("div", "", "part");
        part["style"].set("containIntrinsicHeight", std::to_string(rest.height) + "px");
        part.set("textContent", m_text.substr(rest.span.first, rest.span.second - rest.span.first));
        parts.call<void>("append", part);
    }
    m_spacer.call<void>("replaceWith", parts);
    m_spacer = val::undefined();
    m_rest = {};
}

void ResultSheet::complete()
{
    if (!waiting()) {
        return;
    }
    // The browser's search may have scrolled the sheet (the text area then is at its start), a
    // finger the text area.
    const double top = m_sheet["scrollTop"].as<double>();
    m_area.set("value", m_text);
    m_area.call<void>("setSelectionRange", 0, 0);
    drop();
    if (top != 0) {
        m_area.set("scrollTop", top);
    }
}

void ResultSheet::restyle()
{
    if (!waiting()) {
        return;
    }
    val area = m_area;
    const std::string text = std::move(m_text); // show() drops the sheet, and the text with it
    if (!show(area, text)) {
        area.set("value", text);
        area.call<void>("setSelectionRange", 0, 0);
    }
}

void ResultSheet::pageResized()
{
    known.clear();
}

void ResultSheet::followPage()
{
    if (waiting() && m_sheet["clientWidth"].as<double>() != m_room) {
        restyle();
    }
}

void ResultSheet::drop()
{
    if (!waiting()) {
        return;
    }
    m_sheet.call<void>("remove");
    m_area["style"].set("lineHeight", std::string());
    m_area.call<void>("removeAttribute", std::string("aria-busy"));
    m_sheet = val::undefined();
    m_spacer = val::undefined();
    m_text = std::string();
    m_rest = {};
}

} // namespace tavimo::web
