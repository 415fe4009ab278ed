#pragma once

#include <string>

namespace corvatt {

// What the default settings need to know about the current model.
struct ModelContext {
    std::string install_folder;  // ends with '/'
    std::string model_key;       // device_attr of the current model
    int current_profile = 0;

    // <installation folder>device/<model key>.xml
    std::string DescriptionPath() const { return install_folder + "device/" + model_key + ".xml"; }
};

}  // namespace corvatt
