// The window's outer size against its client area and frame: the rule for every binding.
#include "platform/WindowSize.h"

#include "platform/Twips.h"

namespace tavimo {

PixelSize WindowSize::frameWithinRoom(PixelSize frame)
{
    static const PixelSize room{twipsToPixels(230), twipsToPixels(450)};
    return {std::min(frame.width, room.width), std::min(frame.height, room.height)};
}

PixelSize WindowSize::modelOuterSize() const
{
    return {twipsToPixels(m_form.width()), twipsToPixels(m_form.height())};
}

PixelSize WindowSize::clientToPush(PixelSize frame)
{
    m_countedFrame = frameWithinRoom(frame);
    const PixelSize outer = modelOuterSize();
    m_pushedClient = {std::max(1, outer.width - m_countedFrame.width),
                      std::max(1, outer.height - m_countedFrame.height)};
    return m_pushedClient;
}

bool WindowSize::onlyFrameChanged(PixelSize client, PixelSize frame) const
{
    return frameWithinRoom(frame) != m_countedFrame && client == m_pushedClient;
}

WindowSize::Step WindowSize::afterFrameChange(PixelSize client, PixelSize frame,
                                              bool maximisedOrFullScreen) const
{
    if (frameWithinRoom(frame) == m_countedFrame) {
        return Step::None;
    }
    if (m_sizeFromOutside || client != m_pushedClient || maximisedOrFullScreen) {
        return Step::TakeOuterSize;
    }
    return Step::PushAgain;
}

bool WindowSize::takeOuterSize(PixelSize client, PixelSize frame)
{
    const PixelSize counted = frameWithinRoom(frame);
    const PixelSize outer{client.width + counted.width, client.height + counted.height};
    if (client != m_pushedClient) {
        m_sizeFromOutside = true;
    }
    if (outer == modelOuterSize()) {
        m_countedFrame = counted;
        m_pushedClient = client;
        return false;
    }
    m_form.setSize(pixelsToTwips(outer.width), pixelsToTwips(outer.height));
    return true;
}

} // namespace tavimo
