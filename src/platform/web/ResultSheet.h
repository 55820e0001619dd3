// A long result text shown at first by a sheet over its text area.
//
// Chromium lays out every line of a text area's value before it paints the box, about 14 µs a
// line of digits: four boxes of 5000 lines take a quarter of a second and more. So a long text is
// first drawn by a sheet: a block laid over the text area, as the text area draws itself (same
// class, place, face and alignment), that holds the lines in view, and below them a block as tall
// as the other lines. Once the window has painted, the other lines follow in parts of a few lines
// each, which the browser lays out only near the view (`content-visibility: auto`) and its search
// finds. Each part is given its height beforehand, so that the sheet's scroll bar is the whole
// text's: a line of digits takes the height of a line of as many zeros where the face's digits are
// all as wide, and every other line is measured as it is.
//
// The sheet takes no pointer and no focus: the text area beneath it, empty, as tall as the whole
// text in one line and marked busy, is the box for everything a user does. The first event that
// reaches into the box (the pointer coming over it, the focus, the wheel, a drag) or a selection
// from the window gives the text area its whole text and removes the sheet, before the browser acts
// on the event: whatever a user or an input method does to the box meets the text area as it is
// when set whole. A screen reader finds the box busy beside the lines in view until it takes the
// focus, and then the whole text. A box moved, resized or given another face or alignment is drawn
// anew.
#pragma once

#include <emscripten/val.h>

#include <string>
#include <utility>
#include <vector>

namespace tavimo::web {

class ResultSheet {
public:
    // Shows `text` (LF line breaks) by a sheet over `area`, the box's text area, which is shown and
    // styled as the box: true, with the text area emptied; false, where the text is too short to
    // need one or a sheet could not show it exactly (the text area is then to be set whole).
    bool show(emscripten::val area, const std::string& text);

    bool waiting() const { return !m_sheet.isUndefined(); }
    // Whether the sheet holds only the lines in view, the rest to follow by addRest().
    bool partial() const { return !m_spacer.isUndefined(); }

    // Adds the lines below the view to the sheet.
    void addRest();
    // Gives the text area its whole text, scrolled as the sheet was, and removes the sheet.
    void complete();
    // Removes the sheet for a new text; the text area is then set by its caller.
    void drop();
    // Draws the sheet anew after its text area's place, face or alignment changed (or gives the
    // text area its text where a sheet can no longer show it exactly): a resize of the window
    // costs no layout of the whole text.
    void restyle();

    // After the page has changed its size or zoom: lines are measured anew, and a sheet whose room
    // beside its scroll bar changed is drawn anew (its lines may wrap otherwise).
    static void pageResized();
    void followPage();

private:
    emscripten::val m_area = emscripten::val::undefined();
    emscripten::val m_sheet = emscripten::val::undefined();
    // The lines below the view, until addRest(): a block of their height, and their parts to come.
    struct Part {
        std::pair<std::size_t, std::size_t> span; // in m_text
        double height = 0;
    };
    emscripten::val m_spacer = emscripten::val::undefined();
    std::vector<Part> m_rest;
    std::string m_text;
    double m_room = 0; // the sheet's inner width when its lines were measured
};

} // namespace tavimo::web
