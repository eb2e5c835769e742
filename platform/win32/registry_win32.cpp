// The uninstaller's registry calls.
#include <windows.h>

#include <vector>

#include "platform/registry.h"

namespace platform {

namespace {

HKEY rootKey(RegistryRoot root) {
    return root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

class Key {
public:
    Key(HKEY parent, const std::string& path, REGSAM access) {
        if (RegOpenKeyExA(parent, path.c_str(), 0, access, &key_) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~Key() {
        if (key_ != nullptr)
            RegCloseKey(key_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

// RegDeleteKeyA of Windows NT leaves a key with sub-keys alone, so the tree
// goes from the leaves up.
bool deleteTree(HKEY parent, const std::string& path) {
    {
        Key key(parent, path, KEY_ALL_ACCESS);
        if (key.get() == nullptr)
            return false;
        char name[MAX_PATH + 1];
        while (RegEnumKeyA(key.get(), 0, name, sizeof name) == ERROR_SUCCESS) {
            if (!deleteTree(key.get(), name))
                return false;
        }
    }
    return RegDeleteKeyA(parent, path.c_str()) == ERROR_SUCCESS;
}

}  // namespace

bool registryReadString(RegistryRoot root, const std::string& key, const std::string& value,
                        std::string& text) {
    Key opened(rootKey(root), key, KEY_READ);
    if (opened.get() == nullptr)
        return false;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(opened.get(), value.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return false;
    }
    std::vector<char> buffer(size + 1, '\0');
    if (RegQueryValueExA(opened.get(), value.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS) {
        return false;
    }
    buffer[size] = '\0';
    text = buffer.data();  // the stored text may or may not carry its NUL
    return true;
}

bool registryKeyExists(RegistryRoot root, const std::string& key) {
    Key opened(rootKey(root), key, KEY_ALL_ACCESS);
    return opened.get() != nullptr;
}

bool registryDeleteKeyTree(RegistryRoot root, const std::string& key) {
    // An empty path would name the root itself.
    if (key.empty())
        return false;
    return deleteTree(rootKey(root), key);
}

}  // namespace platform
