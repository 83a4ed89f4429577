#pragma once

namespace vex {

// Pixel sizes of the window are given at 96 dots per inch and scale by dpi / 96 (integer
// division), as the window was designed on such a screen.
class Scale {
public:
    explicit Scale(int dpi = 96) : dpi_(dpi > 0 ? dpi : 96) {}
    int dpi() const { return dpi_; }
    int px(int designPixels) const { return designPixels * dpi_ / 96; }
    // Total width of the two result-grid columns: one pixel less above 100 dpi.
    int gridColumnsWidth() const { return px(540) - (dpi_ > 100 ? 1 : 0); }

private:
    int dpi_;
};

// The dots per inch of the primary screen (96 when there is none).
int ScreenDpi();

}  // namespace vex
