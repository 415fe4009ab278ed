#pragma once

#include <string>
#include <vector>

#include "catalog/CatalogRecord.h"

namespace corvatt {

// The installation's index of supported models (config.xml).
class DeviceCatalog {
public:
    // Empties the lists and reads `config_path` again. `image_folder` is the skin folder's
    // "device/" folder, prefixed to each model's picture. Returns false when the file could
    // not be read or has no `config` root; the lists are then empty and the software block
    // keeps what it had.
    bool Load(const std::string& config_path, const std::string& image_folder);

    void Clear();
    void ClearModes() { m_modes.clear(); }

    const std::vector<CatalogRecord>& Models() const { return m_models; }
    const std::vector<CatalogRecord>& Modes() const { return m_modes; }
    const SoftwareInfo& Software() const { return m_software; }
    // True when the last load found a `software` element (its version is then valid).
    bool HasSoftware() const { return m_has_software; }

    // The first model in file order with this device type, or nullptr.
    const CatalogRecord* FindModel(int device_type) const;

private:
    std::vector<CatalogRecord> m_models;
    std::vector<CatalogRecord> m_modes;
    SoftwareInfo m_software;
    bool m_has_software = false;
};

}  // namespace corvatt
