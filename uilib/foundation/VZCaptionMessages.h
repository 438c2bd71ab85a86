// Private messages between a caption bar, its popup and the caption's
// notify owner.
#pragma once

// The popup's push pin was clicked: the pane docks under the caption again.
const UINT VZWM_CAPTION_PINNED = 10046;
// The focus left the popup: it closes.
const UINT VZWM_CAPTION_POPUP_CLOSED = 10047;
// The caption button's control id.
const UINT VZ_ID_CAPTION_BUTTON = 9115;
