// Pictures drawn by velloran-cli's picture module, loaded the first time a command draws.

#include <dlfcn.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "cli/PictureDrawing.h"
#include "cli/PictureModuleEntry.h"
#include "common/CommandErrors.h"
#include "common/Version.h"

namespace {

const PictureModuleEntry* module = nullptr;
bool applicationStarted = false;

[[noreturn]] void RefuseToDraw(const std::string& reason) {
    ShowMessageAndAbort("Pictures cannot be drawn: " + reason);
}

// Where the module lies: VELLORAN_PICTURE_MODULE_DIR (relative to the tool's folder) in the
// build tree as in the installed one.
std::filesystem::path ModulePath() {
    std::error_code error;
    const std::filesystem::path tool = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        RefuseToDraw("the tool's own folder is unknown (/proc/self/exe: " + error.message() +
                     ")");
    }
    return (tool.parent_path() / VELLORAN_PICTURE_MODULE_DIR / PictureModuleFileName)
        .lexically_normal();
}

const PictureModuleEntry& LoadModule() {
    if (module == nullptr) {
        const std::string path = ModulePath().string();
        // Not closed: Qt's plugins, loaded from within the module, stay until the end.
        void* const handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            RefuseToDraw(dlerror());
        }
        const auto* entry =
            static_cast<const PictureModuleEntry*>(dlsym(handle, PictureModuleEntryName));
        if (entry == nullptr) {
            RefuseToDraw(path + " is not velloran-cli's picture module");
        }
        if (std::strcmp(entry->version, VelloranVersion) != 0) {
            RefuseToDraw(path + " is of version " + entry->version + ", the tool of " +
                         VelloranVersion);
        }
        module = entry;
    }
    return *module;
}

}  // namespace

void PreparePictureDrawing() {
    const PictureModuleEntry& entry = LoadModule();
    if (!applicationStarted) {
        entry.startApplication();
        applicationStarted = true;
    }
}

bool WritePreparedPicture(QIODevice& file, const PictureSpec& picture,
                          const std::function<void(Canvas&)>& draw) {
    PreparePictureDrawing();
    return module->writePicture(file, picture, draw);
}

void EndPictureDrawing() {
    if (applicationStarted) {
        module->endApplication();
        applicationStarted = false;
    }
}
