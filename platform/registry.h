// The few registry calls of the uninstaller.
#pragma once

#include <string>

namespace platform {

enum class RegistryRoot { CurrentUser, LocalMachine };

// Opens the key for reading and reads a text value; false if either is missing.
bool registryReadString(RegistryRoot root, const std::string& key, const std::string& value,
                        std::string& text);

// The key can be opened with full access.
bool registryKeyExists(RegistryRoot root, const std::string& key);

// Deletes the key with all its sub-keys; false when it could not be deleted.
bool registryDeleteKeyTree(RegistryRoot root, const std::string& key);

}  // namespace platform
