// The uninstaller's registry calls on the stand-in's in-memory registry.
#include "platform/registry.h"

#include "fake/state.h"

namespace platform::fake {

std::string registryPath(RegistryRoot root, const std::string& key) {
    std::string path = root == RegistryRoot::CurrentUser ? "HKCU" : "HKLM";
    size_t start = 0;
    while (start < key.size()) {
        size_t end = key.find('\\', start);
        if (end == std::string::npos)
            end = key.size();
        if (end > start)
            path += "\\" + upperCase(key.substr(start, end - start));
        start = end + 1;
    }
    return path;
}

}  // namespace platform::fake

namespace platform {

using namespace platform::fake;

bool registryReadString(RegistryRoot root, const std::string& key, const std::string& value,
                        std::string& text) {
    auto found = state().registry.find(registryPath(root, key));
    if (found == state().registry.end())
        return false;
    auto item = found->second.values.find(upperCase(value));
    if (item == found->second.values.end())
        return false;
    text = item->second;
    return true;
}

bool registryKeyExists(RegistryRoot root, const std::string& key) {
    return state().registry.count(registryPath(root, key)) != 0;
}

bool registryDeleteKeyTree(RegistryRoot root, const std::string& key) {
    const std::string path = registryPath(root, key);
    auto& keys = state().registry;
    if (keys.count(path) == 0 || path.find('\\') == std::string::npos)
        return false;
    for (auto it = keys.lower_bound(path);
         it != keys.end() && it->first.compare(0, path.size(), path) == 0; ++it) {
        const bool inside = it->first.size() == path.size() || it->first[path.size()] == '\\';
        if (inside && it->second.locked)
            return false;
    }
    for (auto it = keys.lower_bound(path);
         it != keys.end() && it->first.compare(0, path.size(), path) == 0;) {
        const bool inside = it->first.size() == path.size() || it->first[path.size()] == '\\';
        if (inside)
            it = keys.erase(it);
        else
            ++it;
    }
    return true;
}

}  // namespace platform
