// The window's outer size against its client area and frame: the rule for every binding.
#pragma once

#include "model/frmMain.h"

#include <algorithm>
#include <optional>

namespace tavimo {

// A size in device-independent pixels.
struct PixelSize {
    int width = 0;
    int height = 0;
    friend bool operator==(PixelSize, PixelSize) = default;
};

// The model's size is the window's outer size: the client area is that less the frame. A binding
// knows the frame as far as its window system tells it (WindowFrame in each binding) and the
// client size that the window reports; this class decides what either of them means for the
// model, and remembers what was pushed.
class WindowSize {
public:
    explicit WindowSize(frmMain& form) : m_form(form) {}

    // How much of a frame counts. The layout leaves room for a frame at the window's edges: the
    // copy buttons end 450 twips above its bottom edge, the result boxes 230 twips or more left
    // of its right edge. A frame counts up to that room, so that no frame covers a control: a
    // thicker one (Qt's own title bar on Wayland, 33 pixels high) makes the window larger than
    // its size by the difference.
    static PixelSize frameWithinRoom(PixelSize frame);

    // The client size that shows the model's outer size with this frame (left plus right, top
    // plus bottom); it is remembered as pushed. A binding resizes its client area to it when
    // it differs from the present client size, and then calls clientResized().
    PixelSize clientToPush(PixelSize frame);
    void clientResized() { m_sizeFromOutside = false; }

    // While true, the binding is pushing the model onto the window: a size change reported
    // then is the program's own.
    bool pushing() const { return m_pushing; }
    void setPushing(bool pushing) { m_pushing = pushing; }

    // Whether a client size that the window system reports (not while pushing) is the pushed
    // one with a new frame around it: a frame that appeared as the size was pushed is no change
    // of the size, and afterFrameChange decides. Otherwise the window's outer size is to be
    // taken (takeOuterSize). (A new frame with a new size, as when a window manager maximises
    // the window, is the window manager's size.)
    bool onlyFrameChanged(PixelSize client, PixelSize frame) const;

    enum class Step {
        None,         // nothing to do
        PushAgain,    // the client area makes room for the new frame: push the size again
        TakeOuterSize // the window's present outer size is the model's size: takeOuterSize
    };
    // What a frame that may have changed means, on a visible window (not while pushing). A size
    // that the user or the window manager set (maximised, restored, full screen) stands: the
    // outer size is that with the new frame.
    Step afterFrameChange(PixelSize client, PixelSize frame, bool maximisedOrFullScreen) const;

    // Writes the window's outer size (client plus counted frame) into the model. True when the
    // model's size changed, and the binding is to refresh; a size that is the rounding of the
    // model's own is no change, and must not lay the window out again with a rounded value.
    bool takeOuterSize(PixelSize client, PixelSize frame);

private:
    PixelSize modelOuterSize() const;

    frmMain& m_form;
    PixelSize m_countedFrame;       // the frame counted when the window's size was last pushed
    PixelSize m_pushedClient;       // the client size pushed then
    bool m_sizeFromOutside = false; // the size in force is the user's or the window manager's
    bool m_pushing = false;
};

} // namespace tavimo
