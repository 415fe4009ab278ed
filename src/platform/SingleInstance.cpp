#include "platform/SingleInstance.h"

namespace corvatt {

bool IsInstanceCommand(std::string_view command) {
    return command == kInstanceCommandShow || command == kInstanceCommandQuit;
}

}  // namespace corvatt
