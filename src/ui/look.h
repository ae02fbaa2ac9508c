#pragma once

// The classic desktop controls the layouts were drawn for: grey bevelled command buttons with a
// dotted focus rectangle, embossed disabled captions and the classic message box icons, in the
// colours of that style's own scheme. The game and its tests call this once, right after making
// the application object, so that both see the same screens.
void useClassicLook();
