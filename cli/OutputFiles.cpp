#include "cli/OutputFiles.h"

#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <vector>

#include "cli/UsageError.h"

namespace {

struct FileIdentity {
    dev_t device;
    ino_t inode;
    std::string nameInFolder;  // for a file not there yet: device and inode are its folder's

    bool operator==(const FileIdentity&) const = default;
};

// Nothing when neither the file nor its folder can be found: no other file can be it.
std::optional<FileIdentity> IdentityOf(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) == 0) {
        return FileIdentity{info.st_dev, info.st_ino, {}};
    }
    const std::filesystem::path name(path);
    const std::filesystem::path folder = name.has_parent_path() ? name.parent_path() : ".";
    if (stat(folder.c_str(), &info) == 0) {
        return FileIdentity{info.st_dev, info.st_ino, name.filename().native()};
    }
    return std::nullopt;
}

}  // namespace

void RefuseOutputsOverTheReport(const std::string& report,
                                std::initializer_list<OutputFile> outputs) {
    RefuseOutputsOverTheInput(report, "the gun report", outputs);
}

void RefuseOutputsOverTheInput(const std::string& input, const std::string& inputName,
                               std::initializer_list<OutputFile> outputs) {
    const std::optional<FileIdentity> inputIdentity = IdentityOf(input);
    std::vector<std::pair<const char*, FileIdentity>> checked;
    for (const OutputFile& output : outputs) {
        if (output.path.empty() || output.path == "-") {
            continue;
        }
        const std::optional<FileIdentity> identity = IdentityOf(output.path);
        if (!identity) {
            continue;
        }
        if (identity == inputIdentity) {
            throw UsageError(std::string(output.option) + " would overwrite " + inputName);
        }
        for (const auto& [option, earlier] : checked) {
            if (*identity == earlier) {
                throw UsageError(std::string(option) + " and " + output.option +
                                 " name the same file");
            }
        }
        checked.emplace_back(output.option, *identity);
    }
}
