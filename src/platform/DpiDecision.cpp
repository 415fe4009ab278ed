#include "platform/DpiDecision.h"

namespace corvatt {

int ScreenScaleFromDpi(int effective_dpi) {
    if (effective_dpi <= 96) {
        return 100;
    }
    switch (effective_dpi) {
        case 120:
            return 125;
        case 144:
            return 150;
        case 168:
            return 175;
        case 192:
            return 200;
        default:
            return 100;
    }
}

bool DecideDpiAware(int width, int height, int effective_dpi_or_0) {
    if (width < 1400 || height < 800) {
        return true;
    }
    return width == 1920 && height == 1080 && ScreenScaleFromDpi(effective_dpi_or_0) > 125;
}

}  // namespace corvatt
