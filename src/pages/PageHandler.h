#pragma once

#include <cstdint>

namespace corvatt {

// A page's handler of the control notifications the main window routes to it; nonzero = handled.
class PageHandler {
public:
    virtual ~PageHandler() = default;
    virtual int OnPageMessage(int id, int event, intptr_t param) = 0;
};

}  // namespace corvatt
