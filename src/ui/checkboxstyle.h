#pragma once

class QStyle;

namespace vex {

// The style of the window's check boxes: the application's style with the gap between the
// indicator and the caption narrowed to half, as the design's boxes have it. Fusion starts a
// check box's caption 19 pixels in, which leaves "+Ko&mment." 54 of the 57 pixels it needs
// in its box of 74; the narrower gap shows the caption whole. One instance, owned by the
// application.
QStyle* CheckBoxStyle();

}  // namespace vex
