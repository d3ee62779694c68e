#include "editor/EditorExit.h"

#include <cctype>
#include <cerrno>
#include <filesystem>
#include <iostream>
#include <system_error>
#include <vector>

namespace {

bool exists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::symlink_status(path, ignored).type() != std::filesystem::file_type::not_found;
}

// The first of newtrack-1.txt, newtrack-2.txt, ... in `folder` that nothing
// holds yet; "" when all are taken.
std::string spareName(const std::string& folder) {
    for (int n = 1; n <= EditorExit::kSpareNames; ++n) {
        const std::string name = folder + "newtrack-" + std::to_string(n) + ".txt";
        if (!exists(name)) return name;
    }
    return "";
}

}  // namespace

bool EditorExit::needsSaving(const std::string& text) const {
    // a session that changed nothing leaves an earlier newtrack.txt alone
    return text != start || !exists(kFile);
}

std::string EditorExit::remedy(const TrackFile::Failure& why) {
    switch (why.error) {
        case EISDIR: return "rename or remove the folder " + why.file;
        case ENOSPC:
        case EDQUOT: return "free some space on the disk";
        case EACCES:
        case EPERM:
        case EROFS: return "make the game's folder writable";
        default: return "mend that";
    }
}

bool EditorExit::leave(const std::string& text) {
    if (!needsSaving(text)) return true;
    TrackFile::Failure why;
    if (TrackFile::save(text, kFile, kBackup, &why)) {
        message.clear();
        return true;
    }
    std::string todo = remedy(why);
    todo[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(todo[0])));
    message = "Not saved: " + why.describe() + ". " + todo + ", then Escape saves again; " + kLeaveKey +
              " leaves without saving.";
    std::cerr << message << std::endl;
    return false;
}

bool EditorExit::leaveUnsaved() {
    if (!hasFailed()) return false;
    std::cerr << "Left the editor without saving" << std::endl;
    return true;
}

std::string EditorExit::leaveNow(const std::string& text) {
    if (!needsSaving(text)) return "";
    TrackFile::Failure why;
    if (TrackFile::save(text, kFile, kBackup, &why)) return kFile;
    // the end cannot wait for the author: the track goes wherever it can
    std::cerr << "Cannot save " << kFile << " (" << why.describe() << ")";
    std::vector<std::string> folders = {""};
    std::error_code failed;
    const std::string temporary = std::filesystem::temp_directory_path(failed).string();
    if (!failed && !temporary.empty()) folders.push_back(temporary.back() == '/' ? temporary : temporary + '/');
    for (const std::string& folder : folders) {
        const std::string name = spareName(folder);
        if (name.empty() || !TrackFile::save(text, name)) continue;
        std::cerr << "; the track is saved as " << name << " instead" << std::endl;
        return name;
    }
    // nowhere on disk: the text itself, which a terminal or a log keeps
    std::cerr << "; nowhere else to save it, so here it is:" << std::endl << text << std::flush;
    return "";
}
