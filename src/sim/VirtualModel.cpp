#include "sim/VirtualModel.h"

namespace corvatt {

const std::vector<VirtualModel>& VirtualModels() {
    static const std::vector<VirtualModel> models = {
        {"v1-wired", 0x1209, 0x0001, 0, 102, "CV01", 17, 0x20, true, 0x0102, "Corvatt V1"},
        {"v1-receiver", 0x1209, 0x0002, 1, 102, "CV01", 17, 0x20, true, 0x0105, "Corvatt V1 Receiver"},
        {"v2-wired", 0x1209, 0x0003, 0, 201, "CV02", 150, 0x40, false, 0x0201, "Corvatt V2"},
    };
    return models;
}

const VirtualModel* FindVirtualModel(std::string_view name) {
    for (const VirtualModel& model : VirtualModels()) {
        if (model.name == name) {
            return &model;
        }
    }
    return nullptr;
}

}  // namespace corvatt
