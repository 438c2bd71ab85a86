// The caption bar's button: a push button drawn by the caption-button
// themes in the colours and font of the caption that owns it.
#pragma once

#include "CVZButton.h"

class CVZCaption;

class CVZCaptionButton : public CVZButton
{
    DECLARE_DYNAMIC(CVZCaptionButton)
public:
    CVZCaptionButton();

    // Keeps the draw style and theme: copies the owning caption's colours
    // and font into the button instead; returns the current draw style.
    DWORD SetDrawStyle(DWORD dwStyle, BOOL bRedraw = TRUE) override;

    CVZCaption* m_pCaption;
};
