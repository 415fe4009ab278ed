#pragma once

namespace corvatt {

// The screen scale in percent for an effective horizontal DPI: up to 96 (and 0, unknown)
// gives 100, 120 gives 125, 144 / 168 / 192 give 150 / 175 / 200, anything else 100.
int ScreenScaleFromDpi(int effective_dpi);

// Whether the program scales itself: a screen narrower than 1400 or lower than 800, or
// exactly 1920 x 1080 at a scale above 125.
bool DecideDpiAware(int width, int height, int effective_dpi_or_0);

}  // namespace corvatt
